#pragma once

#include "ModuloDomanda.h"

#include <QStringList>

#include <algorithm>

// An application that passes every storing check, as the boxes would show
// it (untrimmed, lower case, dates with their slashes), in tab order.
inline ModuloDomanda ModuloCompleto() {
    const QStringList testi =
        QStringLiteral(
            "  rossi |mario|roma|05/03/1970|RSSMRA70C05H501X|roma|00100|via dei mille|12|"
            "rossi|luca|roma|29/02/2000|RSSLCU00B69H501Y|roma|00100|via dei mille|12|"
            "1234.56|5000")
            .split(u'|');
    ModuloDomanda modulo;
    std::ranges::copy(testi, modulo.testi.begin());
    return modulo;
}
