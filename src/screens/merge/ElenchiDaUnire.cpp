#include "ElenchiDaUnire.h"

#include "AperturaElenchi.h"
#include "AvvisiUnione.h"
#include "FileElenco.h"
#include "TestiDelProgramma.h"

#include <QLineEdit>

ElenchiDaUnire::ElenchiDaUnire(ScreenContext& context, CommonDialog& dialogo)
    : context_(context), dialogo_(dialogo) {}

void ElenchiDaUnire::Sfoglia(int handle, QLineEdit* casella) {
    dialogo_.Filter = kFiltroElenchi;
    dialogo_.ShowOpen();
    if (dialogo_.FileName.trimmed().isEmpty()) {
        AvvisiUnione::avvisa(context_.dialogs, QStringLiteral("scegliere un file"));
        return;
    }
    if (aperto(handle)) {
        context_.elenco.ChiudiElenco(handle);
        aperto(handle) = false;
        casella->clear();
    }
    const Result<void> aperta =
        ApriElencoConConsenso(context_.elenco, context_.dialogs, dialogo_.FileName, handle);
    if (!aperta) {
        AvvisiUnione::segnalaGuasto(context_.dialogs, aperta.error());
        return;
    }
    aperto(handle) = true;
    casella->setText(dialogo_.FileName);
}

bool ElenchiDaUnire::Scelto(int handle) const {
    return aperti_[handle - 1];
}

void ElenchiDaUnire::ChiudiTutti() {
    for (int handle = 1; handle <= static_cast<int>(aperti_.size()); ++handle) {
        if (aperto(handle)) {
            context_.elenco.ChiudiElenco(handle);
            aperto(handle) = false;
        }
    }
}
