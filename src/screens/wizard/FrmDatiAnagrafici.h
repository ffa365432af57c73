#pragma once

#include "ModuloDomanda.h"
#include "Screen.h"
#include "ScreenContext.h"

// The entry screen, on which the operator types the applications of the
// current list; it keeps the list open on handle 1 while it is loaded.
class FrmDatiAnagrafici : public Screen {
    Q_OBJECT

public:
    explicit FrmDatiAnagrafici(ScreenContext& context);

    // The texts of the 20 boxes as they stand.
    ModuloDomanda LeggiModulo() const;
    // Puts texts into the 20 boxes (the search shows a found application).
    void ScriviModulo(const ModuloDomanda& modulo);
    // Empties every box and forgets that the application on screen is stored.
    void PulisciModulo();

private:
    ScreenContext& context_;
};
