#pragma once

#include "CampiDomanda.h"

#include <QString>

#include <array>

// The texts of the entry screen's 20 boxes, one for each field, exactly as
// the boxes show them: untrimmed, a date box as its ten displayed characters
// ("__/__/____" when empty), the amounts as typed (with "." as the decimal
// separator). The field checks read it and RiempiRecord turns it into a
// record.
struct ModuloDomanda {
    std::array<QString, kNumeroCampi> testi;

    QString& operator[](Campo campo) { return testi[static_cast<std::size_t>(campo)]; }
    const QString& operator[](Campo campo) const { return testi[static_cast<std::size_t>(campo)]; }

    bool operator==(const ModuloDomanda&) const = default;
};
