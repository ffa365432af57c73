#include "StudenteRipetuto.h"

#include "CaselleModulo.h"
#include "DatiDomanda.h"
#include "SenzaSpaziEsterni.h"
#include "Windows1252.h"

#include <algorithm>

namespace {

// The stored bytes of a text field without the blanks around them.
QByteArrayView byteDelCampo(const char* record, Campo campo) {
    const DescrizioneCampo& descrizione = Descrizione(campo);
    return SenzaSpaziEsterni(QByteArrayView(record + descrizione.offset, descrizione.larghezza));
}

QString richiedenteDi(const char* record) {
    return (SenzaSpaziEsterni(TestoDelRecord(record, Campo::CognRich)) + u' ' +
            SenzaSpaziEsterni(TestoDelRecord(record, Campo::NomeRich)))
        .trimmed();
}

}  // namespace

Result<std::optional<StudenteRipetuto>> CercaStudenteRipetuto(const FileElenco& elenco, int handle,
                                                              const QString& codiceFiscale,
                                                              std::int16_t escluso) {
    const QString testo = SenzaSpaziEsterni(codiceFiscale).toUpper();
    if (testo.isEmpty() || !Windows1252::PuoCodificare(testo)) {
        // Nothing stored is empty once trimmed, or outside the code page.
        return std::optional<StudenteRipetuto>();
    }
    const Result<std::int16_t> domande = elenco.ContaDomande(handle);
    if (!domande) {
        return domande.error();
    }
    const QByteArray chiave = Windows1252::Codifica(testo);
    std::optional<StudenteRipetuto> trovato;
    const Result<void> letto = elenco.LeggiABlocchi(
        handle, 1, *domande, [&](std::int32_t primo, const QByteArray& blocco) {
            for (qsizetype inizio = 0; inizio < blocco.size(); inizio += kLunghezzaRecord) {
                const auto numero = static_cast<std::int16_t>(primo + inizio / kLunghezzaRecord);
                const char* record = blocco.constData() + inizio;
                if (numero == escluso || byteDelCampo(record, Campo::CodFiscStud) != chiave) {
                    continue;
                }
                if (trovato) {
                    ++trovato->altre;
                } else {
                    trovato = StudenteRipetuto{numero, richiedenteDi(record), 0};
                }
            }
            return true;
        });
    if (!letto) {
        return letto.error();
    }
    return trovato;
}

QString AvvisoStudenteRipetuto(const StudenteRipetuto& ripetuto) {
    QString avviso = QStringLiteral("Già presente nella domanda n. %1 (richiedente %2)")
                         .arg(QString::number(ripetuto.numeroRecord), ripetuto.richiedente);
    if (ripetuto.altre > 0) {
        avviso += QStringLiteral(" e in altre %1").arg(ripetuto.altre);
    }
    return avviso;
}
