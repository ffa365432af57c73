#pragma once

#include "Result.h"

#include <cstdint>

// How many records an append or a merge copies and where they land, worked
// out from the file lengths alone before anything is written.
//
// A list's record count is its length / 418 as a floating-point quotient,
// rounded to the nearest whole number with halves going to the even
// neighbour. The copy loops count in 16-bit integers, so a source can be
// copied whole only up to 32,766 records; the result may not pass the 32,767
// records that the 16-bit record numbers of the rest of the program reach.
struct PianoCopia {
    // Records of list 1: copied to the new list by a merge, kept in place by
    // an append.
    std::int16_t domandePrimo = 0;
    // Records of list 2, copied after those of list 1.
    std::int16_t domandeSecondo = 0;

    // The number that record i of list 2 takes in the target: right after
    // the records of list 1. For every length that is not a whole number of
    // records plus exactly half a record this is also i + quotient 1 rounded;
    // at exactly half, rounding i + quotient 1 would give two records of
    // list 2 the same number and lose one of them.
    std::int32_t numeroNelRisultato(std::int16_t i) const {
        return static_cast<std::int32_t>(domandePrimo) + i;
    }

    std::int32_t totale() const { return static_cast<std::int32_t>(domandePrimo) + domandeSecondo; }
};

enum class TipoCopia {
    Aggiunta,  // list 2 appended to list 1
    Unione,    // list 1 and then list 2 written into a new list
};

// The most records that one copy loop can take from a source.
inline constexpr std::int32_t kMassimoDaCopiare = 32766;

// Record count of a file of that length: length / 418, halves to even.
double DomandeInLunghezza(std::int64_t lunghezza);

// The plan for copying lists of these lengths, or a refusal (code 0) whose
// message gives the counts when a source or the result is too large.
Result<PianoCopia> PianificaCopia(TipoCopia tipo, std::int64_t lunghezzaPrimo,
                                  std::int64_t lunghezzaSecondo);
