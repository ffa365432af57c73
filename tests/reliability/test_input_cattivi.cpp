#include "ControlliDomanda.h"
#include "DatiDomanda.h"
#include "DomandeNumerate.h"
#include "ProgrammaConGuasti.h"
#include "RiempiRecord.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

namespace {

struct InputCattivo {
    const char* casella;
    QString testo;
};

// Text that an operator may paste or type: too long, control characters,
// characters the list file cannot hold or that change in upper case, odd
// blanks, amounts that are not amounts, dates that are not dates.
QList<InputCattivo> InputCattivi() {
    const QString lungo = QStringLiteral("Abcdefghij").repeated(12);
    QList<InputCattivo> input;
    for (const char* testo : {"TxtCognRich", "TxtViaRich", "TxtNumRich", "TxtCodFiscStud1"}) {
        input << InputCattivo{testo, lungo}
              << InputCattivo{testo, QStringLiteral("RO\u0001SS\u001FI\u007F")}
              << InputCattivo{testo, QStringLiteral("ROSSI\tBIANCHI")}
              << InputCattivo{testo, QStringLiteral("ROSSI\r\nBIANCHI")}
              << InputCattivo{testo, QStringLiteral("\u0141UKASZ \u017B\u00D3\u0141W")}
              << InputCattivo{testo, QStringLiteral("ROSSI \U0001F600")}
              << InputCattivo{testo, QStringLiteral("\u00B5\u00B5")}
              << InputCattivo{testo, QStringLiteral("\u00DF").repeated(30)}
              << InputCattivo{testo, QStringLiteral("\u00A0ROSSI\u00A0")}
              << InputCattivo{testo, QStringLiteral("RO\u200BSSI\u202E")}
              << InputCattivo{testo, QStringLiteral("   ")}
              << InputCattivo{testo, QStringLiteral("\uFFFD\uFEFF")};
    }
    for (const char* testo : {"TxtSpese", "TxtIsee"}) {
        for (const char* importo :
             {"1.2.3", "-5", "1e9", "1,5", "abc", "12.345", ".", "..", "0x10", "+7", "1 000",
              "99999999999999999999999999999999999999999999",
              "340282356779733661637539395458142568448", "3.4028236e38", "NaN", "inf"}) {
            input << InputCattivo{testo, QString::fromLatin1(importo)};
        }
        input << InputCattivo{testo, QStringLiteral("\u0661\u0662\u0663")}
              << InputCattivo{testo, QStringLiteral("\uFF11\uFF12\uFF13")}
              << InputCattivo{testo, QStringLiteral("\u00BD")};
    }
    for (const char* testo : {"MskDataRich", "MskDataStud"}) {
        for (const char* data : {"31/02/2020", "99/99/9999", "ab/cd/efgh", "1/1/1", "00/00/0000",
                                 "29/02/2100", "31122023999", "-1/-1/-1"}) {
            input << InputCattivo{testo, QString::fromLatin1(data)};
        }
    }
    return input;
}

// The text as the operator puts it in the box: pasted or typed key by key.
void Inserisci(QLineEdit& casella, const QString& testo, bool incolla) {
    casella.setFocus();
    casella.selectAll();
    if (incolla) {
        QApplication::clipboard()->setText(testo);
        QTest::keyClick(&casella, Qt::Key_V, Qt::ControlModifier);
        return;
    }
    QTest::keyClick(&casella, Qt::Key_Delete);
    for (const QChar carattere : testo) {
        QTest::sendKeyEvent(QTest::Click, &casella, Qt::Key_unknown, QString(carattere),
                            Qt::NoModifier);
    }
}

bool ByteDiControllo(const QByteArray& record) {
    for (int i = 0; i < kOffsetSpese; ++i) {
        if (static_cast<unsigned char>(record[i]) < 0x20 || record[i] == '\x7F') {
            return true;
        }
    }
    return false;
}

}  // namespace

// Every bad input ends either stored as the checks allow it (the record is
// exactly what the boxes make, with no control characters) or refused with a
// message and nothing written.
class TestInputCattivi : public QObject {
    Q_OBJECT

private slots:
    void bad_input_is_stored_as_the_checks_allow_or_refused_with_nothing_written() {
        ProgrammaConGuasti p;
        const QString lista = p.Scrivi(QStringLiteral("elenco.svz"), {});
        FrmDatiAnagrafici* scheda = p.ApriScheda(lista);
        QVERIFY(scheda != nullptr);
        int registrati = 0;
        int rifiutati = 0;
        QStringList difetti;
        for (const bool incolla : {true, false}) {
            for (const InputCattivo& input : InputCattivi()) {
                const QString caso = QStringLiteral("%1 %2 \"%3\"")
                                         .arg(incolla ? "incollato in" : "digitato in",
                                              QLatin1String(input.casella), input.testo);
                scheda->ScriviModulo(ModuloNumerato(registrati + 1));
                Inserisci(*p.Controllo<QLineEdit>(*scheda, input.casella), input.testo, incolla);
                const ModuloDomanda modulo = scheda->LeggiModulo();
                const QByteArray prima = p.File().value(QStringLiteral("elenco.svz"));
                const qsizetype messaggi = p.dialoghi.messaggi.size();

                p.Premi(*scheda, "CmdAvanti");

                const QByteArray dopo = p.File().value(QStringLiteral("elenco.svz"));
                const auto difetto = [&](const char* quale) { difetti << caso + ": " + quale; };
                if (dopo.size() == prima.size()) {
                    if (dopo != prima) {
                        difetto("file cambiato");
                    }
                    if (p.dialoghi.messaggi.size() == messaggi) {
                        difetto("nessun messaggio");
                    }
                    ++rifiutati;
                    continue;
                }
                const QByteArray record = dopo.right(kLunghezzaRecord);
                if (dopo.size() != prima.size() + kLunghezzaRecord) {
                    difetto("non un record intero");
                } else if (!ControllaDomanda(Operazione::Successivo, modulo).registrabile) {
                    difetto("registrato ciò che i controlli rifiutano");
                } else if (record != CodificaDomanda(RiempiRecord(modulo))) {
                    difetto("registrato altro da ciò che il modulo mostra");
                } else if (ByteDiControllo(record)) {
                    difetto("caratteri di controllo nel file");
                }
                ++registrati;
            }
        }
        qInfo("input provati: %lld, registrati: %d, rifiutati: %d", InputCattivi().size() * 2,
              registrati, rifiutati);
        QVERIFY2(difetti.isEmpty(), qPrintable(difetti.join(u'\n')));
        // A pasted tab is refused by its code, which can be read.
        QVERIFY(p.Detto(0, QStringLiteral("Il carattere \"U+0009\" della casella")));
    }
};

QTEST_MAIN(TestInputCattivi)
#include "test_input_cattivi.moc"
