#include "RigaRiepilogo.h"

#include <QDate>

#include <cstring>

namespace {

constexpr int kCifreSignificative = 7;
// A date that is blank or not a date sorts before every date.
constexpr double kDataAssente = -1.0;

QString unisci(const QString& primo, QLatin1StringView separatore, const QString& secondo) {
    const QStringView a = QStringView(primo).trimmed();
    const QStringView b = QStringView(secondo).trimmed();
    QString testo;
    testo.reserve(a.size() + separatore.size() + b.size());
    return testo.append(a).append(separatore).append(b);
}

double valoreData(const QString& testo) {
    const QDate data = QDate::fromString(testo.trimmed(), QStringLiteral("dd/MM/yyyy"));
    return data.isValid() ? static_cast<double>(data.toJulianDay()) : kDataAssente;
}

}  // namespace

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

QString RigaRiepilogo::testo(int col, int nRecord, const DatiDomanda& d) const {
    const QLatin1StringView blank(" ");
    const QLatin1StringView virgola(", ");
    const QLatin1StringView trattino(" - ");
    switch (col) {
        case 0:
            return QString::number(nRecord);
        case 1:
            return unisci(d.CognRich, blank, d.NomeRich);
        case 2:
            return d.LuogoRich.trimmed();
        case 3:
            return d.DataRich.trimmed();
        case 4:
            return d.CodFiscRich.trimmed();
        case 5:
            return unisci(d.ViaRich, virgola, d.NumRich);
        case 6:
            return unisci(d.ComRich, trattino, d.CapRich);
        case 7:
            return unisci(d.CognStud, blank, d.NomeStud);
        case 8:
            return d.LuogoStud.trimmed();
        case 9:
            return d.DataStud.trimmed();
        case 10:
            return d.CodFiscStud.trimmed();
        case 11:
            return unisci(d.ViaStud, virgola, d.NumStud);
        case 12:
            return unisci(d.ComStud, trattino, d.CapStud);
        case 13:
            return importo(d.Spese);
        case 14:
            return importo(d.Isee);
        default:
            return {};
    }
}

void RigaRiepilogo::testi(std::vector<QString>& celle, int nRecord, const DatiDomanda& d) const {
    celle.resize(kColonneRiepilogo);
    for (int col = 0; col < kColonneRiepilogo; ++col) {
        celle[static_cast<std::size_t>(col)] = testo(col, nRecord, d);
    }
}

TextGridModel::SortKey RigaRiepilogo::chiave(int col, int nRecord, const DatiDomanda& d) const {
    switch (col) {
        case 0:
            return static_cast<double>(nRecord);
        case 3:
            return valoreData(d.DataRich);
        case 9:
            return valoreData(d.DataStud);
        case 13:
            return static_cast<double>(d.Spese);
        case 14:
            return static_cast<double>(d.Isee);
        default:
            return testo(col, nRecord, d);
    }
}

float RigaRiepilogo::Spese(const char* record) {
    float spese = 0.0f;
    std::memcpy(&spese, record + kOffsetSpese, sizeof spese);
    return spese;
}
