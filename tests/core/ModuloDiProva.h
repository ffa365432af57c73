#pragma once

#include "ModuloDomanda.h"

// An application that passes every storing check, as the boxes would show
// it (untrimmed, lower case, dates with their slashes).
inline ModuloDomanda ModuloCompleto() {
    ModuloDomanda modulo;
    modulo.CognRich = QStringLiteral("  rossi ");
    modulo.NomeRich = QStringLiteral("mario");
    modulo.LuogoRich = QStringLiteral("roma");
    modulo.DataRich = QStringLiteral("05/03/1970");
    modulo.CodFiscRich = QStringLiteral("RSSMRA70C05H501X");
    modulo.ComRich = QStringLiteral("roma");
    modulo.CapRich = QStringLiteral("00100");
    modulo.ViaRich = QStringLiteral("via dei mille");
    modulo.NumRich = QStringLiteral("12");
    modulo.CognStud = QStringLiteral("rossi");
    modulo.NomeStud = QStringLiteral("luca");
    modulo.LuogoStud = QStringLiteral("roma");
    modulo.DataStud = QStringLiteral("29/02/2000");
    modulo.CodFiscStud = QStringLiteral("RSSLCU00B69H501Y");
    modulo.ComStud = QStringLiteral("roma");
    modulo.CapStud = QStringLiteral("00100");
    modulo.ViaStud = QStringLiteral("via dei mille");
    modulo.NumStud = QStringLiteral("12");
    modulo.Spese = QStringLiteral("1234.56");
    modulo.Isee = QStringLiteral("5000");
    return modulo;
}
