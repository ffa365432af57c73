#pragma once

#include "DatiDomanda.h"
#include "ModuloDomanda.h"
#include "RiempiRecord.h"

#include <QStringList>

#include <algorithm>

// Applications told apart by a number n, as the boxes show them (untrimmed,
// lower case, accented): a reliability trial stores application n as record
// n and knows from n alone which bytes record n must hold. Every one passes
// the storing checks of a new application.
inline ModuloDomanda ModuloNumerato(int n) {
    QString lettere;  // n in letters (a = 0, b = 1, ...) for surnames that differ
    for (int resto = n; lettere.isEmpty() || resto > 0; resto /= 26) {
        lettere.prepend(QChar(u'a' + resto % 26));
    }
    const QString quattro = QStringLiteral("%1").arg(n % 10000, 4, 10, QLatin1Char('0'));
    const QStringList testi =
        QStringLiteral(
            " rossi%1 |mària|forlì|%2/03/1970|RSSMRA70C05H%3|roma|00%4|"
            "via dei mille %1|%5|rossi%1|luca|roma|29/02/2000|RSSLCU00B69H%3|roma|"
            "00100|via dei mille|12|%6.25|%7")
            .arg(lettere, QStringLiteral("%1").arg(1 + n % 28, 2, 10, QLatin1Char('0')), quattro,
                 QStringLiteral("%1").arg(n % 1000, 3, 10, QLatin1Char('0')),
                 QString::number(n % 10000), QString::number(n), QString::number(5000 + n))
            .split(u'|');
    ModuloDomanda modulo;
    std::ranges::copy(testi, modulo.testi.begin());
    return modulo;
}

// The 418 bytes that application n becomes in a list file.
inline QByteArray RecordNumerato(int n) {
    return CodificaDomanda(RiempiRecord(ModuloNumerato(n)));
}

// Applications primo, primo + 1, ... one after the other, as a list holds them.
inline QByteArray RecordNumerati(int primo, int quante) {
    QByteArray record;
    for (int n = primo; n < primo + quante; ++n) {
        record += RecordNumerato(n);
    }
    return record;
}
