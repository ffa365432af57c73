#include "ImpaginazioneRiepilogo.h"

#include "RigaRiepilogo.h"

#include <algorithm>
#include <cmath>

namespace {

// The longest value of the columns that keep their width; empty for the
// columns that share the rest.
QString campione(int col) {
    switch (col) {
        case 0:
            return QStringLiteral("32767");
        case 3:
        case 9:
            return QStringLiteral("00/00/0000");
        case 4:
        case 10:
            return QStringLiteral("DLLMLS70C45H223W");
        case 13:
        case 14:
            return QStringLiteral("1234567,8");
        default:
            return {};
    }
}

}  // namespace

ImpaginazioneRiepilogo::ImpaginazioneRiepilogo(double larghezza, double altezza, double altezzaRiga,
                                               int righe, const Misura& misura)
    : altezza_(altezza), altezzaRiga_(altezzaRiga), righe_(righe) {
    const int linee = static_cast<int>(std::floor(altezza / altezzaRiga));
    righePerPagina_ = std::max(1, linee - kRigheIntestazione - kRighePiede);
    // The totals take their lines after the last row, both on one page.
    pagine_ = std::max(1, (righe + kRigheTotali + righePerPagina_ - 1) / righePerPagina_);
    double fisse = 0.0;
    int condivise = 0;
    for (int col = 0; col < kColonneRiepilogo; ++col) {
        const QString testo = campione(col);
        larghezze_.push_back(testo.isEmpty() ? 0.0 : misura(testo) + 2 * margine());
        fisse += larghezze_.back();
        condivise += testo.isEmpty() ? kColonneTabella[static_cast<std::size_t>(col)].larghezza : 0;
    }
    double x = 0.0;
    for (int col = 0; col < kColonneRiepilogo; ++col) {
        double& l = larghezze_[static_cast<std::size_t>(col)];
        if (l == 0.0) {
            l = std::max(0.0, larghezza - fisse) *
                kColonneTabella[static_cast<std::size_t>(col)].larghezza / condivise;
        }
        sinistre_.push_back(x);
        x += l;
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
