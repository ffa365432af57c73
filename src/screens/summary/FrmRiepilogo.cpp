#include "FrmRiepilogo.h"

FrmRiepilogo::FrmRiepilogo(ScreenContext& context) : Screen(context.screens), context_(context) {
    setObjectName(QStringLiteral("FrmRiepilogo"));
    setWindowTitle(QStringLiteral("Tabella di riepilogo"));
}
