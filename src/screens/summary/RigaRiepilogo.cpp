#include "RigaRiepilogo.h"

#include "SenzaSpaziEsterni.h"

#include <QDate>

#include <algorithm>
#include <span>
#include <type_traits>

namespace {

constexpr int kCifreSignificative = 7;
// A date that is blank or not a date sorts before every date.
constexpr double kDataAssente = -1.0;

QString unisci(const QString& primo, QLatin1StringView separatore, const QString& secondo) {
    const QStringView a = SenzaSpaziEsterni(QStringView(primo));
    const QStringView b = SenzaSpaziEsterni(QStringView(secondo));
    QString testo(a.size() + separatore.size() + b.size(), Qt::Uninitialized);
    QChar* fine = std::copy(a.begin(), a.end(), testo.data());
    fine = std::transform(separatore.begin(), separatore.end(), fine,
                          [](char c) { return QLatin1Char(c); });
    std::copy(b.begin(), b.end(), fine);
    return testo;
}

// A field without its outer blanks; a field taken over is cut in place.
template <typename Testo>
QString senzaSpazi(Testo&& campo) {
    const QStringView vista = SenzaSpaziEsterni(QStringView(campo));
    if constexpr (std::is_const_v<std::remove_reference_t<Testo>>) {
        return vista.toString();
    } else {
        const qsizetype inizio = vista.data() - campo.constData();
        campo.truncate(inizio + vista.size());
        campo.remove(0, inizio);
        return std::move(campo);
    }
}

double valoreData(const QString& testo) {
    const QDate data = QDate::fromString(testo.trimmed(), QStringLiteral("dd/MM/yyyy"));
    return data.isValid() ? static_cast<double>(data.toJulianDay()) : kDataAssente;
}

}  // namespace

QString ImportoInEuro(double valore) {
    static const QLocale italiano(QLocale::Italian, QLocale::Italy);
    return italiano.toString(valore, 'f', 2);
}

QLocale LocaleFissato(const QLocale& locale) {
    QLocale fissato(locale.language(), locale.script(), locale.territory());
    fissato.setNumberOptions(locale.numberOptions());
    return fissato;
}

RigaRiepilogo::RigaRiepilogo(const QLocale& locale) : locale_(LocaleFissato(locale)) {
    locale_.setNumberOptions(QLocale::OmitGroupSeparator);
}

QString RigaRiepilogo::importo(float valore) const {
    return locale_.toString(static_cast<double>(valore), 'g', kCifreSignificative).trimmed();
}

template <class D>
QString RigaRiepilogo::colonna(int col, int nRecord, D&& d, Importi importi) const {
    const std::span<const Campo> campi = CampiDellaColonna(col);
    switch (TipoDellaColonna(col)) {
        case TipoColonna::Numero:
            return QString::number(nRecord);
        case TipoColonna::Importo:
            return importi == Importi::Euro ? ImportoInEuro(d.importo(campi.front()))
                                            : importo(d.importo(campi.front()));
        case TipoColonna::Testo:
            if (campi.size() > 1) {
                return unisci(d[campi[0]], SeparatoreRiepilogo(col), d[campi[1]]);
            }
            break;
        case TipoColonna::Data:
            break;
    }
    // Each field is used once, so a field taken over is trimmed in place.
    return senzaSpazi(d[campi.front()]);
}

QString RigaRiepilogo::testo(int col, int nRecord, const DatiDomanda& d) const {
    return colonna(col, nRecord, d);
}

void RigaRiepilogo::testi(std::vector<QString>& celle, int nRecord, DatiDomanda&& d,
                          Importi importi) const {
    celle.resize(kColonneRiepilogo);
    for (int col = 0; col < kColonneRiepilogo; ++col) {
        celle[static_cast<std::size_t>(col)] = colonna(col, nRecord, std::move(d), importi);
    }
}

TextGridModel::SortKey RigaRiepilogo::chiave(int col, int nRecord, const DatiDomanda& d) const {
    switch (TipoDellaColonna(col)) {
        case TipoColonna::Numero:
            return static_cast<double>(nRecord);
        case TipoColonna::Data:
            return valoreData(d[CampiDellaColonna(col).front()]);
        case TipoColonna::Importo:
            return static_cast<double>(d.importo(CampiDellaColonna(col).front()));
        case TipoColonna::Testo:
            break;
    }
    return testo(col, nRecord, d);
}
