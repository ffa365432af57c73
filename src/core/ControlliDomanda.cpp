#include "ControlliDomanda.h"

#include "ControlloImporti.h"
#include "DataCalendario.h"
#include "SenzaSpaziEsterni.h"
#include "Windows1252.h"

#include <array>

namespace {

enum class Prova { Vuota, Corta, Data, Virgola, Decimali };

struct Riga {
    int numero;
    Casella casella;
    Prova prova;
    const char16_t* testo;
    bool successivo, salvaModulo, modifica;
};

// The table of checks, in the order they run.
constexpr std::array<Riga, 25> kRighe = {{
    {1, Casella::CognRich, Prova::Vuota, u" Cognome Richiedente non valido", true, true, true},
    {2, Casella::NomeRich, Prova::Vuota, u" Nome Richiedente non valido", true, true, true},
    {3, Casella::LuogoRich, Prova::Vuota, u" Luogo di Nascita del Richiedente non valido", true,
     true, true},
    {4, Casella::DataRich, Prova::Data, u" Data di Nascita del Richiedente non valid", true, true,
     true},
    {5, Casella::CodFiscRich, Prova::Corta, u" Codice Fiscale del Richiedente non valido", true,
     false, false},
    {6, Casella::CapRich, Prova::Corta, u" CAP del Richiedente non valido", false, true, true},
    {7, Casella::ComRich, Prova::Vuota, u" Comune di Residenza del Richiedente non valido", true,
     true, true},
    {8, Casella::CapRich, Prova::Corta, u" CAP Richiedente non valido", true, false, false},
    {9, Casella::ViaRich, Prova::Vuota, u" Indirizzo Richiedente non valido", true, true, true},
    {10, Casella::ViaRich, Prova::Virgola, nullptr, true, false, false},
    {11, Casella::NumRich, Prova::Vuota,
     u" Numero Civico dell'indirizzo del Richiedente non valido", true, true, true},
    {12, Casella::CognStud, Prova::Vuota, u" Cognome Studente non valido", true, true, true},
    {13, Casella::NomeStud, Prova::Vuota, u" Nome Studente non valido", true, true, true},
    {14, Casella::LuogoStud, Prova::Vuota, u" Luogo di Nascita dello Studente non valido", true,
     true, true},
    {15, Casella::DataStud, Prova::Data, u" Data di Nascita dello Studente non valida", true, true,
     true},
    {16, Casella::CodFiscStud, Prova::Corta, u" Codice Fiscale dello Studente non valido", true,
     true, true},
    {17, Casella::ComStud, Prova::Vuota, u" Comune di Residenza dello Studente non valido", true,
     true, true},
    {18, Casella::CapStud, Prova::Corta, u" CAP Studente non valido", true, true, true},
    {19, Casella::ViaStud, Prova::Vuota, u" Indirizzo dello Studente non valido", true, true, true},
    {20, Casella::ViaStud, Prova::Virgola, nullptr, true, false, false},
    {21, Casella::NumStud, Prova::Vuota, u" Numero civico dell'indirizzo dello Studente non valido",
     true, true, true},
    {22, Casella::Spese, Prova::Vuota, u"Importo indicato nelle Spese Sostenute non valido", true,
     true, true},
    {23, Casella::Spese, Prova::Decimali, nullptr, true, false, true},
    {24, Casella::Isee, Prova::Vuota, u" L'ISEE indicato non è un importo valido", true, true,
     true},
    {25, Casella::Isee, Prova::Decimali, nullptr, true, false, true},
}};

bool applicata(const Riga& riga, Operazione operazione) {
    switch (operazione) {
        case Operazione::Successivo:
            return riga.successivo;
        case Operazione::SalvaModulo:
            return riga.salvaModulo;
        case Operazione::Modifica:
            return riga.modifica;
    }
    return false;
}

// True when a check of kind Vuota, Corta (shorter than the box's length),
// Data or Virgola refuses the text.
bool rifiuta(const Riga& riga, const QString& testo) {
    const QString pulito = SenzaSpaziEsterni(testo);
    switch (riga.prova) {
        case Prova::Vuota:
            return pulito.isEmpty();
        case Prova::Corta:
            return pulito.size() < LunghezzaCasella(riga.casella);
        case Prova::Data:
            return !DataValida(testo);
        case Prova::Virgola:
            return testo.contains(u',');
        case Prova::Decimali:
            break;
    }
    return false;
}

Segnalazione rifiuto(const Riga& riga) {
    if (riga.prova == Prova::Virgola) {
        return {riga.numero, kMessaggioCaratteriSpeciali, MessageIcon::Information, std::nullopt,
                std::nullopt};
    }
    return {riga.numero, MessaggioAttenzione(QString::fromUtf16(riga.testo)),
            MessageIcon::Exclamation, riga.casella, std::nullopt};
}

// The decimals check of one amount: the message and the box reset to 0 when
// it fails. Gives whether it failed.
bool controllaDecimali(const Riga& riga, ModuloDomanda& modulo, EsitoControlli& esito) {
    QString& testo = modulo[riga.casella];
    const EsitoDecimali decimali = ControllaDecimali(testo);
    if (decimali.bTroppiDecimali) {
        esito.segnalazioni.push_back(
            {riga.numero, kMessaggioDecimali, MessageIcon::None, std::nullopt, riga.casella});
    }
    testo = decimali.testo;
    return decimali.bTroppiDecimali;
}

void registraDecimali(const Riga& riga, Operazione operazione, ModuloDomanda& modulo,
                      EsitoControlli& esito) {
    const bool fallito = controllaDecimali(riga, modulo, esito);
    const bool spese = riga.casella == Casella::Spese;
    (spese ? esito.bErroreSpese : esito.bErroreIsee) = fallito;
    const Operazione azzeraSu = spese ? Operazione::Successivo : Operazione::Modifica;
    if (fallito && operazione == azzeraSu) {
        esito.azzeraPunti = true;
    }
}

// The first character (a whole one, also when it takes two UTF-16 units) of
// the box that the list file could not hold once in upper case.
std::optional<QString> carattereNonRegistrabile(const QString& testo) {
    for (qsizetype indice = 0; indice < testo.size(); ++indice) {
        const bool coppia = testo.at(indice).isHighSurrogate() && indice + 1 < testo.size();
        const QString carattere = testo.mid(indice, coppia ? 2 : 1);
        if (carattere.at(0).category() == QChar::Other_Control) {
            // A tab, a line break or another control character pasted into a
            // box is no text: named by its code, as it has no look.
            return QStringLiteral("U+%1")
                .arg(carattere.at(0).unicode(), 4, 16, QLatin1Char('0'))
                .toUpper();
        }
        if (!Windows1252::PuoCodificare(carattere.toUpper())) {
            return carattere;
        }
        indice += coppia ? 1 : 0;
    }
    return std::nullopt;
}

// What the list file cannot hold: a character outside its code page or a
// control character, an amount beyond single precision.
std::optional<Segnalazione> controllaRegistrabile(const ModuloDomanda& modulo) {
    for (const DescrizioneCampo& campo : kCampi) {
        const Casella casella = campo.campo;
        const QString& testo = modulo[casella];
        if (campo.tipo == TipoCampo::Importo && !ValoreImporto(testo)) {
            return Segnalazione{
                kRigaCaratteri,
                MessaggioAttenzione(QStringLiteral(" L'importo della casella %1 è troppo grande.")
                                        .arg(NomeCasella(casella))),
                MessageIcon::Exclamation, casella, std::nullopt};
        }
        const QString registrato = SenzaSpaziEsterni(testo);
        const int lunghezza = LunghezzaCasella(casella);
        if (lunghezza > 0 && registrato.toUpper().size() > lunghezza) {
            return Segnalazione{
                kRigaCaratteri,
                MessaggioAttenzione(QStringLiteral(" Il testo della casella %1 in maiuscolo "
                                                   "supera i %2 caratteri: accorciarlo.")
                                        .arg(NomeCasella(casella))
                                        .arg(lunghezza)),
                MessageIcon::Exclamation, casella, std::nullopt};
        }
        if (const auto carattere = carattereNonRegistrabile(registrato)) {
            return Segnalazione{
                kRigaCaratteri,
                MessaggioAttenzione(
                    QStringLiteral(" Il carattere \"%1\" della casella %2 non può essere "
                                   "registrato nell'elenco: sostituirlo.")
                        .arg(*carattere, NomeCasella(casella))),
                MessageIcon::Exclamation, casella, std::nullopt};
        }
    }
    return std::nullopt;
}

}  // namespace

QString MessaggioAttenzione(const QString& testo) {
    return QStringLiteral("ATTENZIONE!\n") + testo;
}

EsitoControlli ControllaDomanda(Operazione operazione, const ModuloDomanda& modulo) {
    EsitoControlli esito;
    ModuloDomanda corrente = modulo;
    for (const Riga& riga : kRighe) {
        if (!applicata(riga, operazione)) {
            continue;
        }
        if (riga.prova == Prova::Decimali) {
            registraDecimali(riga, operazione, corrente, esito);
            continue;
        }
        if (rifiuta(riga, corrente[riga.casella])) {
            esito.segnalazioni.push_back(rifiuto(riga));
            return esito;
        }
    }
    if (esito.bErroreSpese || esito.bErroreIsee) {
        return esito;
    }
    if (const auto segnalazione = controllaRegistrabile(corrente)) {
        esito.segnalazioni.push_back(*segnalazione);
        return esito;
    }
    esito.registrabile = true;
    return esito;
}
