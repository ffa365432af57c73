#include "FrmIntestazione.h"

FrmIntestazione::FrmIntestazione(ScreenContext& context)
    : Screen(context.screens), context_(context) {
    setObjectName(QStringLiteral("FrmIntestazione"));
    setWindowTitle(QStringLiteral("Intestazione"));
}
