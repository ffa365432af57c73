#include "FrmRicerca.h"

FrmRicerca::FrmRicerca(ScreenContext& context) : Screen(context.screens), context_(context) {
    setObjectName(QStringLiteral("FrmRicerca"));
    setWindowTitle(QStringLiteral("Modifica i dati di un modulo di partecipazione"));
}

void FrmRicerca::MostraTrovaSuccessivo() {}
