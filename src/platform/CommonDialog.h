#pragma once

#include "DialogService.h"

#include <QString>

// A screen's own file dialog. It keeps the last name set or chosen in it
// for as long as the screen exists, so a cancelled dialog gives that name
// back, unless the screen asked for a cancel to be reported as an error.
class CommonDialog {
public:
    explicit CommonDialog(DialogService& dialogs) : dialogs_(dialogs) {}

    QString FileName;
    QString Filter;
    bool CancelError = false;

    enum class Esito { Scelto, Annullato };

    // Shows the dialog. Returns Annullato only for a cancel with CancelError
    // set; otherwise FileName holds the chosen name, or the kept one after a
    // cancel.
    Esito ShowOpen() { return show(FileDialogMode::Open); }
    Esito ShowSave() { return show(FileDialogMode::Save); }

private:
    Esito show(FileDialogMode mode);

    DialogService& dialogs_;
};
