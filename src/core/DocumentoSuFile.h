#pragma once

#include "FileSystem.h"
#include "Result.h"

#include <QString>

#include <functional>

class QIODevice;

// The documents the program writes for the operator (the printout as a PDF):
// never over a list, never half-written, readable by the operator alone.

// Whether a PDF may be written at `percorso`. Refused, with an Italian
// message that names the file: a name ending in ".svz", the list open in the
// program (`elencoAperto`, under any name that leads to it), something that
// is not a file, and an existing file that is not a PDF, as a list named
// without extension is. A file that cannot be read fails with the reason.
Result<void> DestinazionePdf(FileSystem& fs, const QString& percorso, const QString& elencoAperto);

// Writes a document at `percorso`: `scrivi` writes it into a new temporary
// file beside it (permissions 0600), which is then made durable on the disk
// and renamed over `percorso`. When `scrivi` returns false (the operator
// stopped it) or a step fails, the temporary file is removed and whatever
// was at `percorso` stays exactly as it was. True when the document is in
// place, false when it was stopped. Every failure is told in words that
// name the document, also the one that comes when it is already in place.
Result<bool> SalvaDocumento(FileSystem& fs, const QString& percorso,
                            const std::function<bool(QIODevice&)>& scrivi);
