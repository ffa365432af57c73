#include "ImpaginazioneRiepilogo.h"

#include "RigaRiepilogo.h"

#include <algorithm>
#include <cmath>

ImpaginazioneRiepilogo::ImpaginazioneRiepilogo(double larghezza, double altezza, double altezzaRiga,
                                               int righe)
    : altezza_(altezza), altezzaRiga_(altezzaRiga), righe_(righe) {
    const int linee = static_cast<int>(std::floor(altezza / altezzaRiga));
    righePerPagina_ = std::max(1, linee - kRigheIntestazione - kRighePiede);
    // The totals take their lines after the last row, both on one page.
    pagine_ = std::max(1, (righe + kRigheTotali + righePerPagina_ - 1) / righePerPagina_);
    int totale = 0;
    for (const ColonnaRiepilogo& colonna : kColonneTabella) {
        totale += colonna.larghezza;
    }
    double x = 0.0;
    for (const ColonnaRiepilogo& colonna : kColonneTabella) {
        sinistre_.push_back(x);
        larghezze_.push_back(larghezza * colonna.larghezza / totale);
        x += larghezze_.back();
    }
}

int ImpaginazioneRiepilogo::primaRiga(int pagina) const {
    return (pagina - 1) * righePerPagina_ + 1;
}

int ImpaginazioneRiepilogo::ultimaRiga(int pagina) const {
    return std::min(righe_, pagina * righePerPagina_);
}

QString PaginaDi(int pagina, int pagine) {
    return QStringLiteral("Pagina %1 di %2").arg(pagina).arg(pagine);
}
