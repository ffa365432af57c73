#include "ImportoConPunto.h"

#include <array>
#include <charconv>

QString ImportoConPunto(float importo) {
    // Fixed notation of any binary32 fits: the largest value takes 39 digits,
    // the smallest subnormal "0." and 45 decimals, a sign one more.
    std::array<char, 64> testo{};
    const std::to_chars_result scritto =
        std::to_chars(testo.data(), testo.data() + testo.size(), importo, std::chars_format::fixed);
    return QString::fromLatin1(testo.data(), scritto.ptr - testo.data());
}
