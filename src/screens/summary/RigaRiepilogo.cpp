#include "RigaRiepilogo.h"

#include <QDate>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kCifreSignificative = 7;
// A date that is blank or not a date sorts before every date.
constexpr double kDataAssente = -1.0;

QString unisci(const QString& primo, QLatin1StringView separatore, const QString& secondo) {
    const QStringView a = QStringView(primo).trimmed();
    const QStringView b = QStringView(secondo).trimmed();
    QString testo(a.size() + separatore.size() + b.size(), Qt::Uninitialized);
    QChar* fine = std::copy(a.begin(), a.end(), testo.data());
    fine = std::transform(separatore.begin(), separatore.end(), fine,
                          [](char c) { return QLatin1Char(c); });
    std::copy(b.begin(), b.end(), fine);
    return testo;
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

template <class D>
QString RigaRiepilogo::colonna(int col, int nRecord, D&& d) const {
    const QLatin1StringView blank(" ");
    const QLatin1StringView virgola(", ");
    const QLatin1StringView trattino(" - ");
    // Each field is used once, so a field taken over is trimmed in place.
    const auto campo = [&d](QString DatiDomanda::*membro) {
        return (std::forward<D>(d).*membro).trimmed();
    };
    switch (col) {
        case 0:
            return QString::number(nRecord);
        case 1:
            return unisci(d.CognRich, blank, d.NomeRich);
        case 2:
            return campo(&DatiDomanda::LuogoRich);
        case 3:
            return campo(&DatiDomanda::DataRich);
        case 4:
            return campo(&DatiDomanda::CodFiscRich);
        case 5:
            return unisci(d.ViaRich, virgola, d.NumRich);
        case 6:
            return unisci(d.ComRich, trattino, d.CapRich);
        case 7:
            return unisci(d.CognStud, blank, d.NomeStud);
        case 8:
            return campo(&DatiDomanda::LuogoStud);
        case 9:
            return campo(&DatiDomanda::DataStud);
        case 10:
            return campo(&DatiDomanda::CodFiscStud);
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

QString RigaRiepilogo::testo(int col, int nRecord, const DatiDomanda& d) const {
    return colonna(col, nRecord, d);
}

void RigaRiepilogo::testi(std::vector<QString>& celle, int nRecord, DatiDomanda&& d) const {
    celle.resize(kColonneRiepilogo);
    for (int col = 0; col < kColonneRiepilogo; ++col) {
        celle[static_cast<std::size_t>(col)] = colonna(col, nRecord, std::move(d));
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
