#pragma once

#include "Result.h"

#include <QString>

class DialogService;

// The message boxes of the append and merge screens.
namespace AvvisiUnione {

// A notice: information icon, "OK" button, application title.
void avvisa(DialogService& dialogs, const QString& testo);

// A failed read or write: its reason, with the critical icon.
void segnalaGuasto(DialogService& dialogs, const Error& errore);

// An operation refused before anything was written (code 0) is a notice;
// anything else is a failure.
void segnalaRifiuto(DialogService& dialogs, const Error& errore);

// What the operator still has to choose before the lists can be joined.
struct Mancanti {
    bool elenco1 = false;
    bool elenco2 = false;
    bool nuovoElenco = false;

    bool nessuno() const { return !elenco1 && !elenco2 && !nuovoElenco; }
};
QString testoMancanti(const Mancanti& mancanti);

}  // namespace AvvisiUnione
