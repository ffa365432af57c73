#include "CaselleModulo.h"

const std::array<DescrizioneCasella, kNumeroCaselle> kCaselle = {{
    {Casella::CognRich, &ModuloDomanda::CognRich, u"Cognome del richiedente"},
    {Casella::NomeRich, &ModuloDomanda::NomeRich, u"Nome del richiedente"},
    {Casella::LuogoRich, &ModuloDomanda::LuogoRich, u"Luogo di nascita del richiedente"},
    {Casella::DataRich, &ModuloDomanda::DataRich, u"Data di nascita del richiedente"},
    {Casella::CodFiscRich, &ModuloDomanda::CodFiscRich, u"Codice fiscale del richiedente"},
    {Casella::ComRich, &ModuloDomanda::ComRich, u"Comune di residenza del richiedente"},
    {Casella::CapRich, &ModuloDomanda::CapRich, u"CAP del richiedente"},
    {Casella::ViaRich, &ModuloDomanda::ViaRich, u"Via o piazza del richiedente"},
    {Casella::NumRich, &ModuloDomanda::NumRich, u"Numero civico del richiedente"},
    {Casella::CognStud, &ModuloDomanda::CognStud, u"Cognome dello studente"},
    {Casella::NomeStud, &ModuloDomanda::NomeStud, u"Nome dello studente"},
    {Casella::LuogoStud, &ModuloDomanda::LuogoStud, u"Luogo di nascita dello studente"},
    {Casella::DataStud, &ModuloDomanda::DataStud, u"Data di nascita dello studente"},
    {Casella::CodFiscStud, &ModuloDomanda::CodFiscStud, u"Codice fiscale dello studente"},
    {Casella::ComStud, &ModuloDomanda::ComStud, u"Comune di residenza dello studente"},
    {Casella::CapStud, &ModuloDomanda::CapStud, u"CAP dello studente"},
    {Casella::ViaStud, &ModuloDomanda::ViaStud, u"Via o piazza dello studente"},
    {Casella::NumStud, &ModuloDomanda::NumStud, u"Numero civico dello studente"},
    {Casella::Spese, &ModuloDomanda::Spese, u"Spese sostenute in euro"},
    {Casella::Isee, &ModuloDomanda::Isee, u"ISEE in euro"},
}};

const DescrizioneCasella& Descrizione(Casella casella) {
    return kCaselle[static_cast<std::size_t>(casella)];
}

const QString& TestoDi(const ModuloDomanda& modulo, Casella casella) {
    return modulo.*Descrizione(casella).testo;
}

QString& TestoDi(ModuloDomanda& modulo, Casella casella) {
    return modulo.*Descrizione(casella).testo;
}

QString NomeCasella(Casella casella) {
    return QString::fromUtf16(Descrizione(casella).nome);
}

QString SenzaSpaziEsterni(const QString& testo) {
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && testo.at(inizio) == u' ') {
        ++inizio;
    }
    while (fine > inizio && testo.at(fine - 1) == u' ') {
        --fine;
    }
    return testo.mid(inizio, fine - inizio);
}
