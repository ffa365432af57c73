#include "RicercaDomanda.h"

#include "SenzaSpaziEsterni.h"
#include "Windows1252.h"

#include <array>
#include <vector>

namespace {

std::vector<const DescrizioneCampo*> campiDelCriterio(CriterioRicerca criterio) {
    const DescrizioneCampo* cognome = &Descrizione(Campo::CognRich);
    const DescrizioneCampo* nome = &Descrizione(Campo::NomeRich);
    const DescrizioneCampo* codiceFiscale = &Descrizione(Campo::CodFiscRich);
    switch (criterio) {
        case CriterioRicerca::Nominativo:
            return {cognome, nome};
        case CriterioRicerca::CodiceFiscale:
            return {codiceFiscale};
        case CriterioRicerca::NominativoCodice:
            return {cognome, nome, codiceFiscale};
    }
    return {};
}

constexpr int kNessunaMaiuscolaSemplice = -1;

// For each byte of a record, the byte of its upper-case letter when
// upper-casing gives one character that Windows-1252 holds (a -> A, à -> À,
// ÿ -> Ÿ), kNessunaMaiuscolaSemplice when it does not (µ becomes a Greek
// letter, ß becomes "SS"): such records are compared as text.
std::array<int, 256> costruisciMaiuscole() {
    std::array<int, 256> maiuscole{};
    for (int byte = 0; byte < 256; ++byte) {
        const char carattere = static_cast<char>(byte);
        const QString maiuscola = Windows1252::Decodifica(&carattere, 1).toUpper();
        const bool semplice = maiuscola.size() == 1 && Windows1252::PuoCodificare(maiuscola);
        maiuscole[byte] = semplice
                              ? static_cast<unsigned char>(Windows1252::Codifica(maiuscola).at(0))
                              : kNessunaMaiuscolaSemplice;
    }
    return maiuscole;
}

const std::array<int, 256>& maiuscole() {
    static const std::array<int, 256> tabella = costruisciMaiuscole();
    return tabella;
}

// Compares the key fields of raw records with a key. Most records are
// compared byte by byte on their stored bytes, without decoding them; the
// few whose key fields hold a byte with no one-byte upper case are decoded
// and compared as text.
class ConfrontoChiave {
public:
    ConfrontoChiave(CriterioRicerca criterio, const QString& chiave)
        : campi_(campiDelCriterio(criterio)),
          chiave_(chiave),
          chiaveCodificabile_(Windows1252::PuoCodificare(chiave)),
          byteChiave_(chiaveCodificabile_ ? Windows1252::Codifica(chiave) : QByteArray()) {}

    bool corrisponde(const char* record) const {
        const std::array<int, 256>& tabella = maiuscole();
        qsizetype confrontati = 0;
        // A key that Windows-1252 cannot hold matches only records compared as text.
        bool giaDiverso = !chiaveCodificabile_;
        for (const DescrizioneCampo* campo : campi_) {
            for (const char byte :
                 SenzaSpaziEsterni(QByteArrayView(record + campo->offset, campo->larghezza))) {
                const int maiuscola = tabella[static_cast<unsigned char>(byte)];
                if (maiuscola == kNessunaMaiuscolaSemplice) {
                    return confrontoComeTesto(record);
                }
                if (giaDiverso) {
                    continue;
                }
                if (confrontati == byteChiave_.size() ||
                    static_cast<char>(maiuscola) != byteChiave_.at(confrontati)) {
                    // A difference among bytes that upper-case one to one is
                    // final: nothing after it can make the texts equal.
                    return false;
                }
                ++confrontati;
            }
        }
        return !giaDiverso && confrontati == byteChiave_.size();
    }

private:
    bool confrontoComeTesto(const char* record) const {
        QString testo;
        for (const DescrizioneCampo* campo : campi_) {
            testo +=
                TestoDiConfronto(Windows1252::Decodifica(record + campo->offset, campo->larghezza));
        }
        return testo == chiave_;
    }

    std::vector<const DescrizioneCampo*> campi_;
    QString chiave_;
    bool chiaveCodificabile_;
    QByteArray byteChiave_;
};

}  // namespace

QString TestoDiConfronto(const QString& testo) {
    return SenzaSpaziEsterni(testo).toUpper();
}

QString ChiaveDiRicerca(const QStringList& parti) {
    QString chiave;
    for (const QString& parte : parti) {
        chiave += TestoDiConfronto(parte);
    }
    return chiave;
}

Result<std::optional<DatiDomanda>> CercaDomanda(const FileElenco& elenco, int handle,
                                                CriterioRicerca criterio, const QString& chiave,
                                                std::int16_t& posizione) {
    const Result<std::int16_t> domande = elenco.ContaDomande(handle);
    if (!domande) {
        return domande.error();
    }
    const ConfrontoChiave confronto(criterio, chiave);
    std::optional<DatiDomanda> trovata;
    const Result<void> letto = elenco.LeggiABlocchi(
        handle, posizione + 1, *domande, [&](std::int32_t, const QByteArray& blocco) {
            for (qsizetype inizio = 0; inizio < blocco.size(); inizio += kLunghezzaRecord) {
                // posizione < a 16-bit count: the next number still fits 16 bits.
                posizione = static_cast<std::int16_t>(posizione + 1);
                if (confronto.corrisponde(blocco.constData() + inizio)) {
                    trovata = DecodificaDomanda(blocco.constData() + inizio, kLunghezzaRecord);
                    return false;
                }
            }
            return true;
        });
    if (!letto) {
        return letto.error();
    }
    return trovata;
}
