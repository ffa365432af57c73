#pragma once

#include "CommonDialog.h"
#include "ScreenContext.h"

#include <array>

class QLineEdit;

// The two lists that an append or merge screen chooses with its browse
// buttons and opens on handles 1 and 2 of the shared list component. It
// closes only what it opened itself, so that a list another screen holds
// open stays open.
class ElenchiDaUnire {
public:
    ElenchiDaUnire(ScreenContext& context, CommonDialog& dialogo);

    // "Sfoglia...": the Open dialog; a chosen name is opened on the handle
    // (1 or 2), after closing the list the slot held, and shown in the box.
    void Sfoglia(int handle, QLineEdit* casella);

    bool Scelto(int handle) const;

    // Closes the lists opened here.
    void ChiudiTutti();

private:
    bool& aperto(int handle) { return aperti_[handle - 1]; }

    ScreenContext& context_;
    CommonDialog& dialogo_;
    std::array<bool, 2> aperti_{};
};
