#pragma once

#include <QString>

// The text of an amount as the amount boxes take it: "." as the decimal
// separator whatever the locale, no thousands separators, no exponent, no
// trailing zeros, and the fewest digits that read back as the very same
// single-precision value (1250.5 gives "1250.5", 300 gives "300").
QString ImportoConPunto(float importo);
