#include "RigaRiepilogo.h"

namespace {

constexpr int kCifreSignificative = 7;

QString unisci(const QString& primo, QLatin1StringView separatore, const QString& secondo) {
    return primo.trimmed() + separatore + secondo.trimmed();
}

// The nine fields of the requester or of the student.
struct Persona {
    const QString& cognome;
    const QString& nome;
    const QString& luogo;
    const QString& data;
    const QString& codiceFiscale;
    const QString& via;
    const QString& numero;
    const QString& comune;
    const QString& cap;
};

// The six columns of a person: name, place and date of birth, codice
// fiscale, address, municipality and postcode.
void aggiungiPersona(std::vector<QString>& cells, const Persona& p) {
    cells.push_back(unisci(p.cognome, QLatin1StringView(" "), p.nome));
    cells.push_back(p.luogo.trimmed());
    cells.push_back(p.data.trimmed());
    cells.push_back(p.codiceFiscale.trimmed());
    cells.push_back(unisci(p.via, QLatin1StringView(", "), p.numero));
    cells.push_back(unisci(p.comune, QLatin1StringView(" - "), p.cap));
}

}  // namespace

RigaRiepilogo::RigaRiepilogo(const QLocale& locale) : locale_(locale) {
    locale_.setNumberOptions(QLocale::OmitGroupSeparator);
}

QString RigaRiepilogo::importo(float valore) const {
    return locale_.toString(static_cast<double>(valore), 'g', kCifreSignificative).trimmed();
}

void RigaRiepilogo::aggiungi(std::vector<QString>& cells, int nRecord, const DatiDomanda& d) const {
    cells.push_back(QString::number(nRecord));
    aggiungiPersona(cells, {d[Campo::CognRich], d[Campo::NomeRich], d[Campo::LuogoRich],
                            d[Campo::DataRich], d[Campo::CodFiscRich], d[Campo::ViaRich],
                            d[Campo::NumRich], d[Campo::ComRich], d[Campo::CapRich]});
    aggiungiPersona(cells, {d[Campo::CognStud], d[Campo::NomeStud], d[Campo::LuogoStud],
                            d[Campo::DataStud], d[Campo::CodFiscStud], d[Campo::ViaStud],
                            d[Campo::NumStud], d[Campo::ComStud], d[Campo::CapStud]});
    cells.push_back(importo(d.importo(Campo::Spese)));
    cells.push_back(importo(d.importo(Campo::Isee)));
}
