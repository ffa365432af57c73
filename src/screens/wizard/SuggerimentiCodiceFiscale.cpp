#include "SuggerimentiCodiceFiscale.h"

#include "ControlloCodiceFiscale.h"
#include "Module1.h"
#include "SenzaSpaziEsterni.h"
#include "StudenteRipetuto.h"
#include "TrailingHint.h"

#include <QLineEdit>

SuggerimentiCodiceFiscale::SuggerimentiCodiceFiscale(
    const std::array<QLineEdit*, kNumeroCaselle>& caselle, const FileElenco& elenco, int handle,
    const Module1& stato)
    : elenco_(elenco),
      handle_(handle),
      stato_(stato),
      persone_{persona(caselle, Casella::CognRich, Casella::NomeRich, Casella::DataRich,
                       Casella::CodFiscRich, false),
               persona(caselle, Casella::CognStud, Casella::NomeStud, Casella::DataStud,
                       Casella::CodFiscStud, true)} {}

SuggerimentiCodiceFiscale::Persona SuggerimentiCodiceFiscale::persona(
    const std::array<QLineEdit*, kNumeroCaselle>& caselle, Casella cognome, Casella nome,
    Casella data, Casella codice, bool studente) {
    const auto casella = [&caselle](Casella quale) {
        return caselle[static_cast<std::size_t>(quale)];
    };
    return {casella(cognome),
            casella(nome),
            casella(data),
            casella(codice),
            new TrailingHint(casella(codice)),
            studente};
}

void SuggerimentiCodiceFiscale::casellaLasciata(const QObject* box) {
    for (const Persona& persona : persone_) {
        if (box == persona.cognome || box == persona.nome || box == persona.data ||
            box == persona.codice) {
            controlla(persona);
        }
    }
}

void SuggerimentiCodiceFiscale::domandaCaricata() {
    for (const Persona& persona : persone_) {
        controlla(persona);
    }
}

void SuggerimentiCodiceFiscale::controlla(const Persona& persona) const {
    const QString codice = persona.codice->text();
    QStringList avvisi = IncongruenzeCodiceFiscale(
        {persona.cognome->text(), persona.nome->text(), persona.data->displayText(), codice});
    if (persona.studente) {
        avvisi += stessoStudente(codice);
    }
    persona.avviso->show(avvisi);
}

QStringList SuggerimentiCodiceFiscale::stessoStudente(const QString& codice) const {
    // The search waits for a full box.
    if (SenzaSpaziEsterni(codice).size() < Descrizione(Casella::CodFiscStud).larghezza) {
        return {};
    }
    const std::int16_t escluso = stato_.bTrovato ? stato_.nRecordTrovato : kNessunRecordEscluso;
    const Result<std::optional<StudenteRipetuto>> ripetuto =
        CercaStudenteRipetuto(elenco_, handle_, codice, escluso);
    if (!ripetuto || !ripetuto->has_value()) {
        return {};
    }
    return {AvvisoStudenteRipetuto(**ripetuto)};
}
