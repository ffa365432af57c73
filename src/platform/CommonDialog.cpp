#include "CommonDialog.h"

CommonDialog::Esito CommonDialog::show(FileDialogMode mode) {
    const std::optional<QString> scelto = dialogs_.fileDialog({mode, Filter, FileName});
    if (scelto) {
        FileName = *scelto;
        return Esito::Scelto;
    }
    return CancelError ? Esito::Annullato : Esito::Scelto;
}
