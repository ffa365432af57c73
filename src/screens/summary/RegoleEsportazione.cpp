#include "RegoleEsportazione.h"

#include <cmath>
#include <limits>

namespace {

// Numbers of the failures of reading a column list: a piece that is not a
// number, and a number that does not fit 16 bits.
constexpr int kErroreNonNumero = 13;
constexpr int kErroreFuoriIntervallo = 6;
constexpr int kLunghezzaNomeFoglio = 31;

Error erroreElenco(int numero, const QString& elenco, const QString& pezzo, const QString& motivo) {
    return Error::conversion(numero,
                             QStringLiteral("Elenco di colonne \"%1\" non valido: \"%2\" %3.")
                                 .arg(elenco, pezzo, motivo));
}

}  // namespace

Result<std::vector<std::int16_t>> LeggiElencoColonne(const QString& elenco) {
    std::vector<std::int16_t> colonne;
    if (elenco.trimmed().isEmpty()) {
        return colonne;
    }
    for (const QString& pezzo : elenco.split(QLatin1Char('-'))) {
        bool numero = false;
        const long long valore = pezzo.trimmed().toLongLong(&numero);
        if (!numero) {
            return erroreElenco(kErroreNonNumero, elenco, pezzo,
                                QStringLiteral("non è un numero di colonna"));
        }
        if (valore < std::numeric_limits<std::int16_t>::min() ||
            valore > std::numeric_limits<std::int16_t>::max()) {
            return erroreElenco(kErroreFuoriIntervallo, elenco, pezzo,
                                QStringLiteral("è fuori dall'intervallo dei numeri di colonna"));
        }
        colonne.push_back(static_cast<std::int16_t>(valore));
    }
    return colonne;
}

QString PulisciNomeFoglio(QString nome) {
    for (const QChar vietato : {u':', u'\\', u'/', u'?', u'*', u'[', u']'}) {
        nome.remove(vietato);
    }
    return nome;
}

QString NomeFoglioFinale(QString nome, const QString& nomeEsistente) {
    if (nome == nomeEsistente) {
        nome += QStringLiteral("-nuovo");
    }
    nome.truncate(kLunghezzaNomeFoglio);
    // Never leave half of a character that takes two UTF-16 units.
    if (!nome.isEmpty() && nome.back().isHighSurrogate()) {
        nome.chop(1);
    }
    return nome;
}

std::optional<double> NumeroInChiaro(const QString& testo, const QLocale& locale) {
    if (testo.isEmpty() || testo.back().isSpace()) {
        return std::nullopt;
    }
    const QString segno = locale.negativeSign();
    const qsizetype inizio = testo.startsWith(segno) ? segno.size() : 0;
    if (inizio >= testo.size() || !testo.at(inizio).isDigit()) {
        return std::nullopt;
    }
    bool numero = false;
    double valore = 0.0;
    if (locale.numberOptions().testFlag(QLocale::RejectGroupSeparator)) {
        valore = locale.toDouble(testo, &numero);
    } else {
        QLocale rigoroso(locale);
        rigoroso.setNumberOptions(QLocale::RejectGroupSeparator);
        valore = rigoroso.toDouble(testo, &numero);
    }
    if (!numero || !std::isfinite(valore)) {
        return std::nullopt;
    }
    return valore;
}
