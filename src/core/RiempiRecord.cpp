#include "RiempiRecord.h"

#include "ControlloImporti.h"

namespace {

struct Destinazione {
    Casella casella;
    QString DatiDomanda::*campo;
};

// Where each text box goes in the record.
constexpr std::array<Destinazione, 18> kDestinazioni = {{
    {Casella::CognRich, &DatiDomanda::CognRich},
    {Casella::NomeRich, &DatiDomanda::NomeRich},
    {Casella::LuogoRich, &DatiDomanda::LuogoRich},
    {Casella::DataRich, &DatiDomanda::DataRich},
    {Casella::CodFiscRich, &DatiDomanda::CodFiscRich},
    {Casella::ComRich, &DatiDomanda::ComRich},
    {Casella::CapRich, &DatiDomanda::CapRich},
    {Casella::ViaRich, &DatiDomanda::ViaRich},
    {Casella::NumRich, &DatiDomanda::NumRich},
    {Casella::CognStud, &DatiDomanda::CognStud},
    {Casella::NomeStud, &DatiDomanda::NomeStud},
    {Casella::LuogoStud, &DatiDomanda::LuogoStud},
    {Casella::DataStud, &DatiDomanda::DataStud},
    {Casella::CodFiscStud, &DatiDomanda::CodFiscStud},
    {Casella::ComStud, &DatiDomanda::ComStud},
    {Casella::CapStud, &DatiDomanda::CapStud},
    {Casella::ViaStud, &DatiDomanda::ViaStud},
    {Casella::NumStud, &DatiDomanda::NumStud},
}};

bool eData(Casella casella) {
    return casella == Casella::DataRich || casella == Casella::DataStud;
}

}  // namespace

QString TestoDaRegistrare(const ModuloDomanda& modulo, Casella casella) {
    const QString& testo = TestoDi(modulo, casella);
    return eData(casella) ? testo : SenzaSpaziEsterni(testo).toUpper();
}

DatiDomanda RiempiRecord(const ModuloDomanda& modulo) {
    DatiDomanda domanda;
    for (const Destinazione& destinazione : kDestinazioni) {
        domanda.*destinazione.campo = TestoDaRegistrare(modulo, destinazione.casella);
    }
    domanda.Spese = ValoreImporto(modulo.Spese).value_or(0.0f);
    domanda.Isee = ValoreImporto(modulo.Isee).value_or(0.0f);
    return domanda;
}
