#include "PianoCopia.h"

#include "Arrotondamento.h"
#include "DatiDomanda.h"
#include "FileElenco.h"

#include <QLocale>

namespace {

const QString kNessunaModifica = QStringLiteral("\nNessun file è stato modificato.");

// Counts written with the thousands separator the operator reads them with.
QString numero(double valore) {
    return QLocale(QLocale::Italian, QLocale::Italy).toString(static_cast<qlonglong>(valore));
}

Error troppeDaCopiare(int elenco, double domande) {
    return Error::refusal(
        QStringLiteral("L'elenco n. %1 contiene %2 domande: da un elenco se ne possono "
                       "copiare al massimo %3.")
            .arg(elenco)
            .arg(numero(domande), numero(kMassimoDaCopiare)) +
        kNessunaModifica);
}

Error risultatoTroppoGrande(double primo, double secondo) {
    return Error::refusal(
        QStringLiteral("L'elenco n. 1 contiene %1 domande e l'elenco n. 2 ne contiene "
                       "%2: insieme sarebbero %3, ma un elenco può contenere al "
                       "massimo %4 domande.")
            .arg(numero(primo), numero(secondo), numero(primo + secondo),
                 numero(FileElenco::kMassimoDomande)) +
        kNessunaModifica);
}

}  // namespace

double DomandeInLunghezza(std::int64_t lunghezza) {
    return ArrotondaPari(static_cast<double>(lunghezza) / kLunghezzaRecord);
}

Result<PianoCopia> PianificaCopia(TipoCopia tipo, std::int64_t lunghezzaPrimo,
                                  std::int64_t lunghezzaSecondo) {
    const double primo = DomandeInLunghezza(lunghezzaPrimo);
    const double secondo = DomandeInLunghezza(lunghezzaSecondo);
    if (tipo == TipoCopia::Unione && primo > kMassimoDaCopiare) {
        return troppeDaCopiare(1, primo);
    }
    if (secondo > kMassimoDaCopiare) {
        return troppeDaCopiare(2, secondo);
    }
    if (primo + secondo > FileElenco::kMassimoDomande) {
        return risultatoTroppoGrande(primo, secondo);
    }
    return PianoCopia{static_cast<std::int16_t>(primo), static_cast<std::int16_t>(secondo)};
}
