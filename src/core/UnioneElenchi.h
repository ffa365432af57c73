#pragma once

#include "FileElenco.h"
#include "PianoCopia.h"
#include "Result.h"

#include <QString>

#include <cstdint>

// Copying whole lists record by record: appending list 2 to list 1, or
// writing list 1 and then list 2 into a new list. Records are copied as raw
// 418-byte images, never decoded. Each operation is all or nothing: the
// records are written without waiting for the disk, flushed once at the end,
// and a failure anywhere puts the target back as it was; the sources are
// only read.

// The handles of the shared list component that the merge screens use.
inline constexpr int kHandlePrimo = 1;
inline constexpr int kHandleSecondo = 2;
inline constexpr int kHandleNuovo = 3;

// The plan for the lists open on handles 1 and 2, from their lengths now.
Result<PianoCopia> PianificaDaElenchi(const FileElenco& elenco, TipoCopia tipo);

// Appends the records of list 2 (handle 2) to list 1 (handle 1) as planned.
// List 2 may be the same file as list 1: the list is then doubled. On
// failure list 1 gets back its former length and bytes, and the message
// says whether that worked.
Result<void> AggiungiElenco(FileElenco& elenco, const PianoCopia& piano);

// The length in bytes of the file that already bears the new list's name
// (0 when there is none), a refusal when that name is one of the two lists
// to merge (handles 1 and 2) or not a regular file, or the error met
// looking at it.
Result<std::int64_t> EsaminaNuovoElenco(const FileElenco& elenco, const QString& nuovo);

// Writes list 1 (handle 1) and then list 2 (handle 2) as planned into a
// temporary file beside `nuovo`, flushes it and renames it to `nuovo`,
// replacing any file of that name only when the new list is complete. On
// failure the temporary file is removed and `nuovo` is left as it was.
// Handle 3 is used for the temporary file and is free again afterwards. A
// `nuovo` that another running copy of the program holds open is refused
// (with a question for the operator when that copy may be gone, see
// FileElenco::ApriElenco). The new list takes the permissions of the one it
// replaces.
Result<void> CreaUnione(FileElenco& elenco, const QString& nuovo, const PianoCopia& piano,
                        Subentro subentro = Subentro::Vietato);
