#include "FrmDatiAnagrafici.h"

FrmDatiAnagrafici::FrmDatiAnagrafici(ScreenContext& context)
    : Screen(context.screens), context_(context) {
    setObjectName(QStringLiteral("FrmDatiAnagrafici"));
    setWindowTitle(QStringLiteral("Dati anagrafici"));
}

ModuloDomanda FrmDatiAnagrafici::LeggiModulo() const { return {}; }

void FrmDatiAnagrafici::ScriviModulo(const ModuloDomanda&) {}

void FrmDatiAnagrafici::PulisciModulo() {}
