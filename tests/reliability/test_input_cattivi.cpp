#include "ControlliDomanda.h"
#include "DatiDomanda.h"
#include "DomandaDiProva.h"
#include "ProgramUnderTest.h"
#include "RiempiRecord.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Text that an operator may paste or type, by box: too long, control
// characters, characters the list file cannot hold or that change in upper
// case, odd blanks, amounts that are not amounts, dates that are not dates.
QList<std::pair<const char*, QString>> InputCattivi() {
    const QStringList testi = QStringList{QStringLiteral("Abcdefghij").repeated(12),
                                          QStringLiteral("\u00DF").repeated(30)} +
                              QStringLiteral(
                                  "RO\u0001SS\u001FI\u007F|ROSSI\tBIANCHI|ROSSI\r\nBIANCHI|"
                                  "\u0141UKASZ \u017B\u00D3\u0141W|ROSSI \U0001F600|\u00B5\u00B5|"
                                  "\u00A0ROSSI\u00A0|RO\u200BSSI\u202E|   |\uFFFD\uFEFF")
                                  .split(u'|');
    const QStringList importi = QStringLiteral(
                                    "1.2.3|-5|1e9|1,5|abc|12.345|.|..|0x10|+7|1 000|"
                                    "99999999999999999999999999999999999999999999|"
                                    "340282356779733661637539395458142568448|3.4028236e38|NaN|inf|"
                                    "\u0661\u0662\u0663|\uFF11\uFF12\uFF13|\u00BD")
                                    .split(u'|');
    const QStringList date = QStringLiteral(
                                 "31/02/2020|99/99/9999|ab/cd/efgh|1/1/1|00/00/0000|"
                                 "29/02/2100|31122023999|-1/-1/-1")
                                 .split(u'|');
    const std::pair<std::vector<const char*>, QStringList> perCasella[] = {
        {{"TxtCognRich", "TxtViaRich", "TxtNumRich", "TxtCodFiscStud1"}, testi},
        {{"TxtSpese", "TxtIsee"}, importi},
        {{"MskDataRich", "MskDataStud"}, date}};
    QList<std::pair<const char*, QString>> input;
    for (const auto& [caselle, valori] : perCasella) {
        for (const char* casella : caselle) {
            for (const QString& valore : valori) {
                input.append({casella, valore});
            }
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

// What is wrong with the outcome of a store, or nothing.
QString Difetto(const QByteArray& prima, const QByteArray& dopo, bool detto,
                const ModuloDomanda& modulo) {
    if (dopo.size() == prima.size()) {
        return dopo != prima ? "file cambiato" : detto ? QString() : "rifiutato senza messaggio";
    }
    const QByteArray record = dopo.right(kLunghezzaRecord);
    if (dopo.size() != prima.size() + kLunghezzaRecord) {
        return "non un record intero";
    }
    if (!ControllaDomanda(Operazione::Successivo, modulo).registrabile) {
        return "registrato ciò che i controlli rifiutano";
    }
    if (record != CodificaDomanda(RiempiRecord(modulo))) {
        return "registrato altro da ciò che il modulo mostra";
    }
    const bool controllo = std::any_of(record.begin(), record.begin() + 410, [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == '\x7F';
    });
    return controllo ? "caratteri di controllo nel file" : QString();
}

}  // namespace

// Every bad input ends either stored as the checks allow it (the record is
// exactly what the boxes make, with no control characters) or refused with a
// message and nothing written.
class TestInputCattivi : public QObject {
    Q_OBJECT

private slots:
    void bad_input_is_stored_as_the_checks_allow_or_refused_with_nothing_written() {
        ProgramUnderTest p;
        p.dialogs.goingOn.emplace();
        FrmDatiAnagrafici* scheda = p.openEntry(p.write(QStringLiteral("elenco.svz"), {}));
        QVERIFY(scheda != nullptr);
        int registrati = 0;
        QStringList difetti;
        const auto input = InputCattivi();
        for (const bool incolla : {true, false}) {
            for (const auto& [casella, testo] : input) {
                scheda->ScriviModulo(ModuloCompleto(registrati + 1));
                Inserisci(*p.control<QLineEdit>(*scheda, casella), testo, incolla);
                // Leaving the box for the button may copy the requester's address.
                p.control<QPushButton>(*scheda, "CmdAvanti")->setFocus();
                const ModuloDomanda modulo = scheda->LeggiModulo();
                const QByteArray prima = p.files().value(QStringLiteral("elenco.svz"));
                const std::size_t messaggi = p.dialogs.messages.size();

                p.click(*scheda, {"CmdAvanti"});

                const QByteArray dopo = p.files().value(QStringLiteral("elenco.svz"));
                const QString difetto =
                    Difetto(prima, dopo, p.dialogs.messages.size() > messaggi, modulo);
                if (!difetto.isEmpty()) {
                    difetti << QStringLiteral("%1 %2 \"%3\": %4")
                                   .arg(incolla ? "incollato in" : "digitato in",
                                        QLatin1String(casella), testo, difetto);
                }
                registrati += dopo.size() > prima.size() ? 1 : 0;
            }
        }
        QVERIFY2(difetti.isEmpty(), qPrintable(difetti.join(u'\n')));
        // A pasted tab is refused by its code, which can be read.
        QVERIFY(p.dialogs.told("U+0009"));
    }
};

QTEST_MAIN(TestInputCattivi)
#include "test_input_cattivi.moc"
