#include "FrmDatiAnagrafici.h"

FrmDatiAnagrafici::FrmDatiAnagrafici(ScreenContext& context)
    : Screen(context.screens), context_(context) {
    setObjectName(QStringLiteral("FrmDatiAnagrafici"));
    setWindowTitle(QStringLiteral("Dati anagrafici"));
}
