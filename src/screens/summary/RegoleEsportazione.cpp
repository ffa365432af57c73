#include "RegoleEsportazione.h"

#include <algorithm>
#include <array>
#include <charconv>
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

// A text of digits with at most one decimal point after an optional "-",
// the form of nearly every amount, read without the locale's general parser;
// nothing for any other form.
std::optional<double> letturaRapida(const QString& testo, QChar punto) {
    std::array<char, 64> cifre{};
    if (testo.size() >= static_cast<qsizetype>(cifre.size())) {
        return std::nullopt;
    }
    std::size_t n = 0;
    bool virgola = false;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (c == punto && !virgola) {
            virgola = true;
            cifre[n++] = '.';
        } else if ((c >= u'0' && c <= u'9') || (i == 0 && c == u'-')) {
            cifre[n++] = static_cast<char>(c.unicode());
        } else {
            return std::nullopt;
        }
    }
    double valore = 0.0;
    const auto [fine, errore] = std::from_chars(cifre.data(), cifre.data() + n, valore);
    if (errore != std::errc() || fine != cifre.data() + n) {
        return std::nullopt;
    }
    return valore;
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
        // No piece is negative: "-" is what separates them.
        if (valore > std::numeric_limits<std::int16_t>::max()) {
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

NumeriInChiaro::NumeriInChiaro(const QLocale& locale)
    : locale_(locale),
      segno_(locale.negativeSign()),
      punto_(locale.decimalPoint().size() == 1 ? locale.decimalPoint().front() : QChar()) {
    locale_.setNumberOptions(QLocale::RejectGroupSeparator);
}

std::optional<double> NumeriInChiaro::valore(const QString& testo) const {
    if (testo.isEmpty() || testo.back().isSpace()) {
        return std::nullopt;
    }
    const qsizetype inizio = testo.startsWith(segno_) ? segno_.size() : 0;
    if (inizio >= testo.size() || !testo.at(inizio).isDigit()) {
        return std::nullopt;
    }
    if (const std::optional<double> rapido = letturaRapida(testo, punto_); rapido) {
        return rapido;
    }
    bool numero = false;
    const double valore = locale_.toDouble(testo, &numero);
    if (!numero || !std::isfinite(valore)) {
        return std::nullopt;
    }
    return valore;
}
