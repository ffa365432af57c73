#pragma once

#include "FileDiBlocco.h"
#include "Result.h"

#include <QString>

#include <functional>

class DialogService;
class FileElenco;

// Taking a list over from a copy of the program that may still be running
// is the operator's decision: these run an operation on a list and, when
// its lock is held by such a copy, ask (default No) before running it again
// with leave to take the list over.

// Runs the operation, asking as said above; gives its outcome.
Result<void> ConConsensoDelOperatore(DialogService& dialoghi,
                                     const std::function<Result<void>(Subentro)>& operazione);

// Opens the list on the handle, asking as said above, and tells the operator
// what was found beside it, if anything.
Result<void> ApriElencoConConsenso(FileElenco& elenco, DialogService& dialoghi,
                                   const QString& percorso, int handle);
