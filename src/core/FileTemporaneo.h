#pragma once

#include "Result.h"

#include <QString>

// Writing a file under a temporary name and putting it in place only when it
// is complete, so that neither a failure nor a crash leaves a half-written
// file under the chosen name.

// A name that no file has yet, in the same folder as `percorso`:
// "<percorso>.<random>.tmp".
QString NomeTemporaneo(const QString& percorso);

// Renames the complete, flushed file `temporaneo` to `percorso`, replacing a
// file of that name in one step.
Result<void> MettiAlPosto(const QString& temporaneo, const QString& percorso);

// Makes the folder's entries of the file (its new name after MettiAlPosto)
// durable on the disk.
Result<void> SincronizzaCartellaDi(const QString& percorso);

// Removes a file; a file that is already gone is no failure.
Result<void> EliminaFile(const QString& percorso);

// True when the two paths name the same existing file (through another
// spelling, a link or a relative name as well).
bool StessoFile(const QString& primo, const QString& secondo);
