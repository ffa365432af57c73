#pragma once

#include "FileSystem.h"
#include "Result.h"

#include <QString>

// Writing a file under a temporary name and putting it in place only when it
// is complete, so that neither a failure nor a crash leaves a half-written
// file under the chosen name.

// A name that no file has yet, in the same folder as `percorso`:
// "<percorso>.unione-<13 random letters and digits>.tmp".
QString NomeTemporaneo(FileSystem& fs, const QString& percorso);

// Removes the temporary files of `percorso` that a copy which died in the
// middle left behind, with their lock and journal files: only names of that
// exact form. Only the holder of the lock on `percorso` calls this: nobody
// else writes such files.
void RimuoviTemporaneiAbbandonati(FileSystem& fs, const QString& percorso);

// Gives the file `temporaneo` the permissions of the file `percorso` that it
// is to replace, if there is one.
Result<void> CopiaPermessi(FileSystem& fs, const QString& temporaneo, const QString& percorso);

// Renames the complete, flushed file `temporaneo` to `percorso`, replacing a
// file of that name in one step.
Result<void> MettiAlPosto(FileSystem& fs, const QString& temporaneo, const QString& percorso);

// Makes the folder's entries of the file (its new name after MettiAlPosto)
// durable on the disk.
Result<void> SincronizzaCartellaDi(FileSystem& fs, const QString& percorso);

// Removes a file; a file that is already gone is no failure.
Result<void> EliminaFile(FileSystem& fs, const QString& percorso);

// True when the two paths name the same existing file (through another
// spelling, a link or a relative name as well).
bool StessoFile(FileSystem& fs, const QString& primo, const QString& secondo);
