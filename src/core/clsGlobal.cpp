#include "clsGlobal.h"

namespace {

// Characters da to a of the text, counting from 1; empty beyond its end.
QString pezzo(const QString& testo, int da, int a) {
    return testo.mid(da - 1, a - da + 1);
}

QString unisci(const QString& primo, const QString& separatore, const QString& secondo,
               const QString& terzo) {
    return primo + separatore + secondo + separatore + terzo;
}

constexpr int kGiornoMeseAnno = 1;
constexpr int kMeseGiornoAnno = 2;
constexpr int kAnnoMeseGiorno = 3;
constexpr int kLunghezzaData = 10;

}  // namespace

Result<QString> clsGlobal::DbConvertiData(const QString& DataOrig, int DaTipo, int ATipo) const {
    if (DataOrig.isEmpty()) {
        return QString();
    }
    if (DaTipo == ATipo) {
        return DataOrig;
    }
    if (DataOrig.size() != kLunghezzaData) {
        return Error::conversion(
            static_cast<int>(kErroreLunghezzaData),
            QStringLiteral("Errore di passaggio parametri a funzione convertidata, la "
                           "data deve essere in formato 10 caratteri"),
            kSorgente);
    }
    const QString barra = QStringLiteral("/");
    const QString trattino = QStringLiteral("-");
    const auto p = [&DataOrig](int da, int a) { return pezzo(DataOrig, da, a); };
    switch (DaTipo) {
        case kGiornoMeseAnno:
            return ATipo == kAnnoMeseGiorno ? unisci(p(7, 10), trattino, p(4, 5), p(1, 2))
                                            : unisci(p(4, 5), barra, p(1, 2), p(7, 10));
        case kMeseGiornoAnno:
            return ATipo == kAnnoMeseGiorno ? unisci(p(7, 10), trattino, p(1, 2), p(4, 5))
                                            : unisci(p(4, 5), barra, p(1, 2), p(7, 10));
        case kAnnoMeseGiorno:
            return ATipo == kGiornoMeseAnno ? unisci(p(9, 10), barra, p(6, 7), p(1, 4))
                                            : unisci(p(6, 7), barra, p(9, 10), p(1, 4));
        default:
            return QString();
    }
}

QString clsGlobal::DbRicostruisciData(const QString& DataOrig, int enTipo,
                                      const QString& sSeparatore) const {
    const auto p = [&DataOrig](int da, int a) { return pezzo(DataOrig, da, a); };
    switch (enTipo) {
        case kGiornoMeseAnno:
            return unisci(p(7, 8), sSeparatore, p(5, 6), p(1, 4));
        case kMeseGiornoAnno:
            return unisci(p(1, 2), sSeparatore, p(3, 4), p(5, 8));
        case kAnnoMeseGiorno:
            return unisci(p(1, 4), sSeparatore, p(5, 6), p(7, 8));
        default:
            return QString();
    }
}
