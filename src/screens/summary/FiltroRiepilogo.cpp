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
};

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
                tutti.push_back(
                    {campo.offset, campo.larghezza,
                     i + 1 < campi.size() ? SeparatoreRiepilogo(col) : QLatin1StringView("\n")});
            }
        }
        return tutti;
    }();
    return pezzi;
}

// The longest folded row: every text at its full width, with what follows it.
int lunghezzaMassima() {
    int lunghezza = 0;
    for (const Pezzo& pezzo : pezziDiTesto()) {
        lunghezza += pezzo.larghezza + static_cast<int>(pezzo.dopo.size());
    }
    return lunghezza;
}

// Appends the texts of the record's text columns as shown, folded.
void piegaRecord(const char* record, QByteArray& piegati) {
    const std::array<char, 256>& piega = piegaByte();
    for (const Pezzo& pezzo : pezziDiTesto()) {
        const qsizetype inizio = piegati.size();
        for (int i = 0; i < pezzo.larghezza; ++i) {
            const char c = piega[static_cast<unsigned char>(record[pezzo.offset + i])];
            if (c != ' ' || piegati.size() > inizio) {
                piegati.append(c);
            }
        }
        while (piegati.size() > inizio && piegati.back() == ' ') {
            piegati.chop(1);
        }
        piegati.append(pezzo.dopo.data(), pezzo.dopo.size());
    }
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
    if (fini_.size() >= fino) {
        return;
    }
    // Reserved at the longest, the room no row fills is never touched.
    piegati_.reserve(piegati_.size() +
                     static_cast<qsizetype>(fino - fini_.size()) * lunghezzaMassima());
    fini_.reserve(fino);
    for (std::size_t r = fini_.size(); r < fino; ++r) {
        piegaRecord(records.constData() + r * kLunghezzaRecord, piegati_);
        fini_.push_back(static_cast<std::uint32_t>(piegati_.size()));
    }
}

bool FiltroRiepilogo::ammette(std::size_t indice, const char* record) {
    // An amount that is not a number meets no limit.
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
