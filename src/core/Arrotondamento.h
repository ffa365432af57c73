#pragma once

#include <cmath>

// Rounds to the nearest whole number, a half going to the even neighbour
// (2.5 gives 2, 3.5 gives 4), as record counts derived from file lengths are.
inline double ArrotondaPari(double valore) {
    const double intero = std::floor(valore);
    const double resto = valore - intero;
    if (resto > 0.5) {
        return intero + 1.0;
    }
    if (resto < 0.5) {
        return intero;
    }
    return std::fmod(intero, 2.0) == 0.0 ? intero : intero + 1.0;
}
