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
    modulo[Campo::CognRich] = QStringLiteral(" rossi%1 ").arg(sigla);
    modulo[Campo::NomeRich] = QStringLiteral("mària");
    modulo[Campo::LuogoRich] = QStringLiteral("forlì");
    modulo[Campo::DataRich] = QStringLiteral("%1/03/1970").arg(1 + n % 28, 2, 10, QLatin1Char('0'));
    modulo[Campo::CodFiscRich] =
        QStringLiteral("RSSMRA70C05H%1").arg(n % 10000, 4, 10, QLatin1Char('0'));
    modulo[Campo::ComRich] = QStringLiteral("roma");
    modulo[Campo::CapRich] = QStringLiteral("00%1").arg(n % 1000, 3, 10, QLatin1Char('0'));
    modulo[Campo::ViaRich] = QStringLiteral("via dei mille %1").arg(sigla);
    modulo[Campo::NumRich] = QString::number(n % 10000);
    modulo[Campo::CognStud] = QStringLiteral("rossi%1").arg(sigla);
    modulo[Campo::NomeStud] = QStringLiteral("luca");
    modulo[Campo::LuogoStud] = QStringLiteral("roma");
    modulo[Campo::DataStud] = QStringLiteral("29/02/2000");
    modulo[Campo::CodFiscStud] =
        QStringLiteral("RSSLCU00B69H%1").arg(n % 10000, 4, 10, QLatin1Char('0'));
    modulo[Campo::ComStud] = QStringLiteral("roma");
    modulo[Campo::CapStud] = QStringLiteral("00100");
    modulo[Campo::ViaStud] = QStringLiteral("via dei mille");
    modulo[Campo::NumStud] = QStringLiteral("12");
    modulo[Campo::Spese] = QStringLiteral("%1.25").arg(n);
    modulo[Campo::Isee] = QString::number(5000 + n);
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
