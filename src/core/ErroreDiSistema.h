#pragma once

#include "Result.h"

#include <QString>

// The reason of a failed system call in words an operator understands, in
// Italian ("spazio esaurito sul disco" for ENOSPC).
QString DescrizioneErrore(int codiceErrore);

// An Error that names the action, the file and the reason, e.g.
// Impossibile scrivere nel file "/x/Roma.svz": spazio esaurito sul disco.
// Its code is the system's error number.
Error ErroreDiSistema(int codiceErrore, const QString& azione, const QString& percorso);
