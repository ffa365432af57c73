#include "FrmCreaUnione.h"

FrmCreaUnione::FrmCreaUnione(ScreenContext& context) : Screen(context.screens), context_(context) {
    setObjectName(QStringLiteral("FrmCreaUnione"));
    setWindowTitle(QStringLiteral("Unione elenchi"));
}
