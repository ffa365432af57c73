#pragma once

#include <QString>

#include <cstdint>

// The state that the screens share for the whole run; nothing of it is saved.
// Counters and record numbers are signed 16-bit, as in the list file.
struct Module1 {
    // Full path of the current list file.
    QString sFileElenco;
    // True when the current list was named on the heading screen in this run.
    bool bElencoNuovo = false;
    // Records already loaded into the summary table.
    std::int16_t nIndiceRiepilogo = 0;
    // Record number at which the next new application will be written.
    std::int16_t nProssimoRecord = 0;
    // True while the application on the entry screen is already stored.
    bool bDomandaSalvata = false;
    // Record number of the application found by the search.
    std::int16_t nRecordTrovato = 0;
    // True once a stored application was modified since the entry screen
    // was loaded: the summary then rebuilds its table from record 1.
    bool bModificaEseguita = false;
    // True while the entry screen shows a found application (modify mode).
    bool bTrovato = false;
    // True when a new list was asked for on a file that already holds
    // applications: the entry screen then offers only going back or leaving.
    bool bPrimaAttivazione = false;
    // The school year of the current list, as typed or selected.
    QString sIntestazione;
};
