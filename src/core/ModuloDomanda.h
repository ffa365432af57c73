#pragma once

#include <QString>

// The texts of the entry screen's 20 boxes, exactly as the boxes show them:
// untrimmed, a date box as its ten displayed characters ("__/__/____" when
// empty), the amounts as typed (with "." as the decimal separator). The
// field checks read it and RiempiRecord turns it into a record.
struct ModuloDomanda {
    QString CognRich, NomeRich, LuogoRich, DataRich, CodFiscRich;
    QString ComRich, CapRich, ViaRich, NumRich;
    QString CognStud, NomeStud, LuogoStud, DataStud, CodFiscStud;
    QString ComStud, CapStud, ViaStud, NumStud;
    QString Spese, Isee;

    bool operator==(const ModuloDomanda&) const = default;
};
