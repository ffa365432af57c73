#pragma once

#include "DatiDomanda.h"
#include "ModuloDomanda.h"

// The record that the boxes of the entry screen make: texts without leading
// and trailing blanks and in upper case (accented letters too: à becomes À),
// dates unchanged, amounts read with "." as the decimal separator as single
// precision (an amount beyond that range, which the storing checks refuse,
// reads as 0).
DatiDomanda RiempiRecord(const ModuloDomanda& modulo);

// The boxes that show a stored record: texts at their full stored width,
// trailing blanks included, dates as stored, amounts with "." as the decimal
// separator.
ModuloDomanda ModuloDelRecord(const DatiDomanda& domanda);
