#include "FrmCaricaFile.h"

FrmCaricaFile::FrmCaricaFile(ScreenContext& context) : Screen(context.screens), context_(context) {
    setObjectName(QStringLiteral("FrmCaricaFile"));
    setWindowTitle(QStringLiteral("Unione elenchi"));
}
