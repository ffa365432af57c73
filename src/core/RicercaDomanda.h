#pragma once

#include "DatiDomanda.h"
#include "FileElenco.h"
#include "Result.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The three ways of looking for a stored application, all on the requester.
enum class CriterioRicerca {
    Nominativo,        // surname and first name
    CodiceFiscale,     // codice fiscale
    NominativoCodice,  // surname, first name and codice fiscale
};

// A text as a search compares it: leading and trailing blanks removed,
// upper-cased. Blanks inside the text stay.
QString TestoDiConfronto(const QString& testo);

// The key of a search: its parts as TestoDiConfronto gives them, joined with
// nothing in between, so that surname "AB" with first name "C" gives the same
// key as surname "A" with first name "BC".
QString ChiaveDiRicerca(const QStringList& parti);

// Reads the records after `posizione` one by one, in ascending order and up to
// the last record of the list, and stops at the first whose fields for the
// criterion, joined as ChiaveDiRicerca joins them, give `chiave`. Gives the
// found application, or nothing when the end of the list was reached.
//
// `posizione` is the number of the last record examined: the found record on
// a hit, the record count at the end of the list, so that the next call goes
// on after it. A read that fails stops the scan with its error and leaves
// `posizione` on the last record read, so that a new call reads the failed
// record again.
Result<std::optional<DatiDomanda>> CercaDomanda(const FileElenco& elenco, int handle,
                                                CriterioRicerca criterio, const QString& chiave,
                                                std::int16_t& posizione);
