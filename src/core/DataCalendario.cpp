#include "DataCalendario.h"

#include <QDate>

namespace {

constexpr qsizetype kLunghezzaData = 10;

bool cifre(const QString& testo, qsizetype inizio, qsizetype quante) {
    for (qsizetype indice = inizio; indice < inizio + quante; ++indice) {
        const QChar carattere = testo.at(indice);
        if (carattere < u'0' || carattere > u'9') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool DataValida(const QString& testo) {
    if (testo.size() != kLunghezzaData || testo.at(2) != u'/' || testo.at(5) != u'/') {
        return false;
    }
    if (!cifre(testo, 0, 2) || !cifre(testo, 3, 2) || !cifre(testo, 6, 4)) {
        return false;
    }
    return QDate::isValid(testo.mid(6, 4).toInt(), testo.mid(3, 2).toInt(),
                          testo.mid(0, 2).toInt());
}
