#pragma once

#include "DatiDomanda.h"
#include "ModuloDomanda.h"
#include "RiempiRecord.h"

#include <QStringList>

#include <algorithm>

// An application from its 18 texts in file order and its two amounts, all
// "|"-separated: "ROSSI|MARIO|ROMA|05/03/1970|...|1250.5|300".
inline DatiDomanda DomandaDa(const QString& campi) {
    const QStringList testi = campi.split(u'|');
    DatiDomanda domanda;
    std::array<DescrizioneCampo, kNumeroCampi> inOrdine = kCampi;
    std::ranges::sort(inOrdine, {}, &DescrizioneCampo::offset);
    for (std::size_t i = 0; i < inOrdine.size(); ++i) {
        const DescrizioneCampo& campo = inOrdine[i];
        const QString testo = testi.value(static_cast<qsizetype>(i));
        if (campo.tipo == TipoCampo::Importo) {
            domanda.importo(campo.campo) = testo.toFloat();
        } else {
            domanda[campo.campo] = testo;
        }
    }
    return domanda;
}

// Application n as the boxes would show it (untrimmed, lower case, dates with
// their slashes), in tab order. Every one passes the storing checks of a new
// application; applications of different n differ in their surnames, tax
// codes and amounts, so that a test knows from n alone which bytes record n
// must hold.
inline ModuloDomanda ModuloCompleto(int n = 0) {
    QString lettere;  // n in letters (b = 1, ..., ba = 26), none for 0
    for (int resto = n; resto > 0; resto /= 26) {
        lettere.prepend(QChar(u'a' + resto % 26));
    }
    const QString codice =
        n == 0 ? QStringLiteral("501") : QStringLiteral("%1").arg(n % 10000, 4, 10, QChar(u'0'));
    const QStringList testi =
        QStringLiteral(
            "  rossi%1 |mario|roma|05/03/1970|RSSMRA70C05H%2%3|roma|00100|via dei mille|12|"
            "rossi%1|luca|roma|29/02/2000|RSSLCU00B69H%2%4|roma|00100|via dei mille|12|%5|%6")
            .arg(lettere, codice, n == 0 ? "X" : "", n == 0 ? "Y" : "",
                 QString::number(1234.56 + n, 'f', 2), QString::number(5000 + n))
            .split(u'|');
    ModuloDomanda modulo;
    std::ranges::copy(testi, modulo.testi.begin());
    return modulo;
}

// Application n as it is stored.
inline DatiDomanda DomandaCompleta(int n = 0) {
    return RiempiRecord(ModuloCompleto(n));
}

// The bytes of applications primo, primo + 1, ... one after the other, as a
// list file holds them.
inline QByteArray RecordCompleti(int primo, int quante = 1) {
    QByteArray record;
    for (int n = primo; n < primo + quante; ++n) {
        record += CodificaDomanda(DomandaCompleta(n));
    }
    return record;
}

// The bytes of the complete application 0 with this requester.
inline QByteArray RecordDelRichiedente(const QString& cognome, const QString& nome,
                                       const QString& codiceFiscale) {
    DatiDomanda d = DomandaCompleta();
    d[Campo::CognRich] = cognome;
    d[Campo::NomeRich] = nome;
    d[Campo::CodFiscRich] = codiceFiscale;
    return CodificaDomanda(d);
}
