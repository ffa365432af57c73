#include "CaselleModulo.h"

const std::array<DescrizioneCasella, kNumeroCaselle> kCaselle = {{
    {Casella::CognRich, &ModuloDomanda::CognRich, 30, u"Cognome del richiedente"},
    {Casella::NomeRich, &ModuloDomanda::NomeRich, 30, u"Nome del richiedente"},
    {Casella::LuogoRich, &ModuloDomanda::LuogoRich, 30, u"Luogo di nascita del richiedente"},
    {Casella::DataRich, &ModuloDomanda::DataRich, 10, u"Data di nascita del richiedente"},
    {Casella::CodFiscRich, &ModuloDomanda::CodFiscRich, 16, u"Codice fiscale del richiedente"},
    {Casella::ComRich, &ModuloDomanda::ComRich, 30, u"Comune di residenza del richiedente"},
    {Casella::CapRich, &ModuloDomanda::CapRich, 5, u"CAP del richiedente"},
    {Casella::ViaRich, &ModuloDomanda::ViaRich, 50, u"Via o piazza del richiedente"},
    {Casella::NumRich, &ModuloDomanda::NumRich, 4, u"Numero civico del richiedente"},
    {Casella::CognStud, &ModuloDomanda::CognStud, 30, u"Cognome dello studente"},
    {Casella::NomeStud, &ModuloDomanda::NomeStud, 30, u"Nome dello studente"},
    {Casella::LuogoStud, &ModuloDomanda::LuogoStud, 30, u"Luogo di nascita dello studente"},
    {Casella::DataStud, &ModuloDomanda::DataStud, 10, u"Data di nascita dello studente"},
    {Casella::CodFiscStud, &ModuloDomanda::CodFiscStud, 16, u"Codice fiscale dello studente"},
    {Casella::ComStud, &ModuloDomanda::ComStud, 30, u"Comune di residenza dello studente"},
    {Casella::CapStud, &ModuloDomanda::CapStud, 5, u"CAP dello studente"},
    {Casella::ViaStud, &ModuloDomanda::ViaStud, 50, u"Via o piazza dello studente"},
    {Casella::NumStud, &ModuloDomanda::NumStud, 4, u"Numero civico dello studente"},
    {Casella::Spese, &ModuloDomanda::Spese, 0, u"Spese sostenute in euro"},
    {Casella::Isee, &ModuloDomanda::Isee, 0, u"ISEE in euro"},
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
