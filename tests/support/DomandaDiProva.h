#pragma once

#include "DatiDomanda.h"

#include <QStringList>

#include <algorithm>

// An application from its 18 texts in file order and its two amounts, all
// "|"-separated: "ROSSI|MARIO|ROMA|05/03/1970|...|1250.5|300".
inline DatiDomanda DomandaDa(const QString& campi) {
    const QStringList testi = campi.split(u'|');
    DatiDomanda domanda;
    std::array<DescrizioneCampo, kNumeroCampi> inOrdine = kCampi;
    std::ranges::sort(inOrdine, {}, &DescrizioneCampo::offset);
    for (std::size_t i = 0; i < inOrdine.size(); ++i) {
        const DescrizioneCampo& campo = inOrdine[i];
        const QString testo = testi.value(static_cast<qsizetype>(i));
        if (campo.tipo == TipoCampo::Importo) {
            domanda.importo(campo.campo) = testo.toFloat();
        } else {
            domanda[campo.campo] = testo;
        }
    }
    return domanda;
}
