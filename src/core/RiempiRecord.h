#pragma once

#include "CaselleModulo.h"
#include "DatiDomanda.h"
#include "ModuloDomanda.h"

#include <QString>

// The text a box stores: without leading and trailing blanks, in upper case
// (accented letters too: à becomes À). Date boxes store their ten characters
// unchanged.
QString TestoDaRegistrare(const ModuloDomanda& modulo, Casella casella);

// The record that the boxes of the entry screen make: texts as
// TestoDaRegistrare gives them, dates unchanged, amounts read with "." as the
// decimal separator as single precision (an amount beyond that range, which
// the storing checks refuse, reads as 0).
DatiDomanda RiempiRecord(const ModuloDomanda& modulo);
