#include "DomandeNumerate.h"

#include "DatiDomanda.h"
#include "RiempiRecord.h"

namespace {

// n in letters (a = 0, b = 1, ...), so that surnames differ from one
// application to the next.
QString Lettere(int n) {
    QString lettere;
    do {
        lettere.prepend(QChar(u'a' + n % 26));
        n /= 26;
    } while (n > 0);
    return lettere;
}

}  // namespace

ModuloDomanda ModuloNumerato(int n) {
    const QString sigla = Lettere(n);
    ModuloDomanda modulo;
    modulo.CognRich = QStringLiteral(" rossi%1 ").arg(sigla);
    modulo.NomeRich = QStringLiteral("mària");
    modulo.LuogoRich = QStringLiteral("forlì");
    modulo.DataRich = QStringLiteral("%1/03/1970").arg(1 + n % 28, 2, 10, QLatin1Char('0'));
    modulo.CodFiscRich = QStringLiteral("RSSMRA70C05H%1").arg(n % 10000, 4, 10, QLatin1Char('0'));
    modulo.ComRich = QStringLiteral("roma");
    modulo.CapRich = QStringLiteral("00%1").arg(n % 1000, 3, 10, QLatin1Char('0'));
    modulo.ViaRich = QStringLiteral("via dei mille %1").arg(sigla);
    modulo.NumRich = QString::number(n % 10000);
    modulo.CognStud = QStringLiteral("rossi%1").arg(sigla);
    modulo.NomeStud = QStringLiteral("luca");
    modulo.LuogoStud = QStringLiteral("roma");
    modulo.DataStud = QStringLiteral("29/02/2000");
    modulo.CodFiscStud = QStringLiteral("RSSLCU00B69H%1").arg(n % 10000, 4, 10, QLatin1Char('0'));
    modulo.ComStud = QStringLiteral("roma");
    modulo.CapStud = QStringLiteral("00100");
    modulo.ViaStud = QStringLiteral("via dei mille");
    modulo.NumStud = QStringLiteral("12");
    modulo.Spese = QStringLiteral("%1.25").arg(n);
    modulo.Isee = QString::number(5000 + n);
    return modulo;
}

QByteArray RecordNumerato(int n) {
    return CodificaDomanda(RiempiRecord(ModuloNumerato(n)));
}

QByteArray RecordNumerati(int primo, int quante) {
    QByteArray record;
    record.reserve(static_cast<qsizetype>(quante) * kLunghezzaRecord);
    for (int n = primo; n < primo + quante; ++n) {
        record += RecordNumerato(n);
    }
    return record;
}
