#pragma once

#include "DatiDomanda.h"

#include <QStringList>

// An application from its 18 texts in file order and its two amounts, all
// "|"-separated: "ROSSI|MARIO|ROMA|05/03/1970|...|1250.5|300".
inline DatiDomanda DomandaDa(const QString& campi) {
    const QStringList testi = campi.split(u'|');
    DatiDomanda domanda;
    for (std::size_t i = 0; i < kCampiTesto.size(); ++i) {
        domanda.*kCampiTesto[i].membro = testi.value(static_cast<qsizetype>(i));
    }
    domanda.Spese = testi.value(18).toFloat();
    domanda.Isee = testi.value(19).toFloat();
    return domanda;
}
