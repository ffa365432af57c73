#pragma once

#include "Screen.h"
#include "ScreenContext.h"

// The search for a stored application, by the requester's surname and first
// name, by codice fiscale, or by both.
class FrmRicerca : public Screen {
    Q_OBJECT

public:
    explicit FrmRicerca(ScreenContext& context);

    // The entry screen hands back after "Annulla" or a stored modification:
    // the search button then reads "Trova Successivo".
    void MostraTrovaSuccessivo();

private:
    ScreenContext& context_;
};
