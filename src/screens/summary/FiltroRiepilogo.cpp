#include "FiltroRiepilogo.h"

#include "ColonneRiepilogo.h"
#include "ControlloImporti.h"
#include "DatiDomanda.h"
#include "RigaRiepilogo.h"
#include "Windows1252.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// What a character that has no form of one byte becomes; all of them
// (the euro sign, typographic quotes and dashes) are alike to the search.
constexpr char kSenzaForma = '\x1A';

// A character as the search compares it: in lower case without its accent,
// any blank a blank and any apostrophe the plain one.
char piegaCarattere(QChar c) {
    if (c.isSpace()) {
        return ' ';
    }
    if (c == u'\u2019' || c == u'\u2018' || c == u'`' || c == u'\u00B4') {
        return '\'';
    }
    if (c.decompositionTag() == QChar::Canonical) {
        c = c.decomposition().front();
    }
    c = c.toLower();
    return c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : kSenzaForma;
}

// The folded form of each byte of a record's text.
const std::array<char, 256>& piegaByte() {
    static const std::array<char, 256> tabella = [] {
        std::array<char, 256> piegati{};
        for (std::size_t b = 0; b < piegati.size(); ++b) {
            const char byte = static_cast<char>(b);
            piegati[b] = piegaCarattere(Windows1252::Decodifica(&byte, 1).front());
        }
        return piegati;
    }();
    return tabella;
}

// A field of a text column, and what follows it in the folded row: the
// column's separator before its second field, a line break after its last.
struct Pezzo {
    int offset;
    int larghezza;
    QLatin1StringView dopo;
    bool ultimo;  // of its column
};
// Room for any folded row: every byte of a record and, for each column, a
// separator of up to three characters and the line break.
constexpr std::size_t kRigaMassima = kLunghezzaRecord + 4 * kColonneRiepilogo;

const std::vector<Pezzo>& pezziDiTesto() {
    static const std::vector<Pezzo> pezzi = [] {
        std::vector<Pezzo> tutti;
        for (int col = 0; col < kColonneRiepilogo; ++col) {
            if (TipoDellaColonna(col) != TipoColonna::Testo) {
                continue;
            }
            const std::span<const Campo> campi = CampiDellaColonna(col);
            for (std::size_t i = 0; i < campi.size(); ++i) {
                const DescrizioneCampo& campo = Descrizione(campi[i]);
                const bool ultimo = i + 1 == campi.size();
                tutti.push_back({campo.offset, campo.larghezza,
                                 ultimo ? QLatin1StringView("\n") : SeparatoreRiepilogo(col),
                                 ultimo});
            }
        }
        return tutti;
    }();
    return pezzi;
}

// The bytes of a field without the blanks at either end.
std::string_view senzaBianchi(const char* record, const Pezzo& pezzo) {
    const std::array<char, 256>& piega = piegaByte();
    const char* inizio = record + pezzo.offset;
    const char* fine = inizio + pezzo.larghezza;
    while (inizio < fine && piega[static_cast<unsigned char>(*inizio)] == ' ') {
        ++inizio;
    }
    while (fine > inizio && piega[static_cast<unsigned char>(fine[-1])] == ' ') {
        --fine;
    }
    return {inizio, static_cast<std::size_t>(fine - inizio)};
}

// Writes the texts of the record's text columns as shown, folded, each
// followed by a line break, and returns where they end. A column whose text
// is already there (the student's address is mostly the requester's) is
// left out: the row is found by the same words.
char* piegaRecord(const char* record, char* piegato) {
    const std::array<char, 256>& piega = piegaByte();
    std::array<std::string_view, kColonneRiepilogo> colonne;
    std::size_t scritte = 0;
    char* colonna = piegato;
    for (const Pezzo& pezzo : pezziDiTesto()) {
        for (const char c : senzaBianchi(record, pezzo)) {
            *piegato++ = piega[static_cast<unsigned char>(c)];
        }
        piegato = std::copy(pezzo.dopo.begin(), pezzo.dopo.end(), piegato);
        if (pezzo.ultimo) {
            const std::string_view testo(colonna, static_cast<std::size_t>(piegato - colonna));
            if (std::find(colonne.begin(), colonne.begin() + scritte, testo) !=
                colonne.begin() + scritte) {
                piegato = colonna;
            } else {
                colonne[scritte++] = testo;
            }
            colonna = piegato;
        }
    }
    return piegato;
}

qsizetype lunghezzaPiegata(const char* record) {
    std::array<char, kRigaMassima> riga;
    return piegaRecord(record, riga.data()) - riga.data();
}

bool isCifra(QChar c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::optional<float> LimiteImporto(const QString& testo) {
    QString numero = testo.trimmed();
    numero.replace(u',', u'.');
    const bool importo =
        numero.count(u'.') <= 1 && std::any_of(numero.begin(), numero.end(), isCifra) &&
        std::all_of(numero.begin(), numero.end(), [](QChar c) { return isCifra(c) || c == u'.'; });
    return importo ? ValoreImporto(numero) : std::nullopt;
}

bool NonImporto(const QString& testo) {
    return !testo.trimmed().isEmpty() && !LimiteImporto(testo);
}

void FiltroRiepilogo::imposta(CriteriRiepilogo criteri, const QByteArray& records) {
    criteri_ = std::move(criteri);
    QByteArray cerca;
    for (const QChar c : criteri_.cerca) {
        cerca.append(piegaCarattere(c));
    }
    parole_.clear();
    for (const QByteArray& parola : cerca.split(' ')) {
        if (!parola.isEmpty()) {
            parole_.push_back(parola);
        }
    }
    mostrate_.clear();
    nMostrate_ = 0;
    spese_ = 0.0;
    segui(records);
}

void FiltroRiepilogo::segui(const QByteArray& records) {
    const auto righe = static_cast<std::size_t>(records.size() / kLunghezzaRecord);
    if (!parole_.empty()) {
        piega(records, righe);
    }
    mostrate_.reserve(righe);
    for (std::size_t r = mostrate_.size(); r < righe; ++r) {
        const char* record = records.constData() + r * kLunghezzaRecord;
        const bool mostrata = ammette(r, record);
        mostrate_.push_back(mostrata);
        if (mostrata) {
            ++nMostrate_;
            spese_ += ImportoDelRecord(record, Campo::Spese);
        }
    }
}

void FiltroRiepilogo::dimentica() {
    QByteArray().swap(piegati_);
    std::vector<std::uint32_t>().swap(fini_);
    std::vector<bool>().swap(mostrate_);
    nMostrate_ = 0;
    spese_ = 0.0;
}

void FiltroRiepilogo::piega(const QByteArray& records, std::size_t fino) {
    const std::size_t primo = fini_.size();
    const auto record = [&](std::size_t r) { return records.constData() + r * kLunghezzaRecord; };
    // Measured first, so that the texts take no more room than they need.
    const qsizetype prima = piegati_.size();
    qsizetype lunghezza = prima;
    for (std::size_t r = primo; r < fino; ++r) {
        lunghezza += lunghezzaPiegata(record(r));
    }
    // A row's last column is written before it is found to repeat another.
    piegati_.reserve(lunghezza + static_cast<qsizetype>(kRigaMassima));
    piegati_.resize(lunghezza + static_cast<qsizetype>(kRigaMassima));
    fini_.reserve(fino);
    char* piegato = piegati_.data() + prima;
    for (std::size_t r = primo; r < fino; ++r) {
        piegato = piegaRecord(record(r), piegato);
        fini_.push_back(static_cast<std::uint32_t>(piegato - piegati_.constData()));
    }
    piegati_.resize(lunghezza);
}

bool FiltroRiepilogo::ammette(std::size_t indice, const char* record) const {
    // A stored amount that is not a number is neither at most nor at least
    // any limit.
    if (criteri_.iseeMassimo && !(ImportoDelRecord(record, Campo::Isee) <= *criteri_.iseeMassimo)) {
        return false;
    }
    if (criteri_.speseMinime &&
        !(ImportoDelRecord(record, Campo::Spese) >= *criteri_.speseMinime)) {
        return false;
    }
    if (parole_.empty()) {
        return true;
    }
    const std::uint32_t inizio = indice == 0 ? 0 : fini_[indice - 1];
    const std::string_view testo(piegati_.constData() + inizio, fini_[indice] - inizio);
    return std::all_of(parole_.begin(), parole_.end(), [&](const QByteArray& parola) {
        return testo.find(std::string_view(parola.constData(), parola.size())) !=
               std::string_view::npos;
    });
}

QString FiltroRiepilogo::descrizione() const {
    QStringList parti;
    if (const QString cerca = criteri_.cerca.simplified(); !cerca.isEmpty()) {
        parti << QStringLiteral("Cerca \"%1\"").arg(cerca);
    }
    if (criteri_.iseeMassimo) {
        parti << QStringLiteral("ISEE fino a € ") + ImportoInEuro(*criteri_.iseeMassimo);
    }
    if (criteri_.speseMinime) {
        parti << QStringLiteral("Spese da € ") + ImportoInEuro(*criteri_.speseMinime);
    }
    return parti.isEmpty() ? QString()
                           : QStringLiteral("Filtro: ") + parti.join(QStringLiteral(", "));
}
