#include "FileElenco.h"
#include "Module1.h"
#include "wizard/SuggerimentiCodiceFiscale.h"

#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// The hints on bare boxes named as on the entry screen, over a list of two
// applications whose second has the student typed here.
class TestSuggerimentiCodiceFiscale : public QObject {
    Q_OBJECT

private:
    QTemporaryDir cartella;
    FileElenco elenco;
    Module1 stato;
    std::unique_ptr<QWidget> schermo;
    std::unique_ptr<SuggerimentiCodiceFiscale> suggerimenti;

    QLineEdit* casella(const char* nome) {
        return schermo->findChild<QLineEdit*>(QLatin1String(nome));
    }
    // The hint the box's trailing mark gives, empty when there is no mark.
    static QString avviso(const QLineEdit* box) {
        const QList<QAction*> azioni = box->actions();
        return azioni.isEmpty() ? QString() : azioni.first()->toolTip();
    }

private slots:
    void init() {
        QVERIFY(elenco.ApriElenco(cartella.filePath(QStringLiteral("elenco.svz")), 1).ok());
        DatiDomanda domanda = AzzeraRecord();
        domanda[Campo::CognRich] = QStringLiteral("FERRUCCA");
        domanda[Campo::NomeRich] = QStringLiteral("ROBERTA");
        domanda[Campo::CodFiscStud] = QStringLiteral("QRZTDR87D15Z000H");
        QVERIFY(elenco.ScriviDomanda(1, 2, domanda).ok());  // after a blank record 1

        schermo = std::make_unique<QWidget>();
        for (const char* nome : {"TxtCognRich", "TxtNomeRich", "MskDataRich", "TxtCodFiscRich",
                                 "TxtCognStud", "TxtnomeStud", "MskDataStud", "TxtCodFiscStud1"}) {
            auto* box = new QLineEdit(schermo.get());
            box->setObjectName(QLatin1String(nome));
        }
        casella("MskDataRich")->setInputMask(QStringLiteral("99/99/9999;_"));
        casella("MskDataStud")->setInputMask(QStringLiteral("99/99/9999;_"));
        casella("TxtCodFiscRich")->setToolTip(QStringLiteral("Premi il tasto TAB"));
        stato = Module1();
        suggerimenti = std::make_unique<SuggerimentiCodiceFiscale>(schermo.get(), elenco, 1, stato);
    }
    void cleanup() {
        suggerimenti.reset();
        schermo.reset();
        elenco.ChiudiTutti();
    }

    void a_hint_shows_on_the_mark_until_the_code_changes() {
        QLineEdit* codice = casella("TxtCodFiscRich");
        casella("TxtCognRich")->setText(QStringLiteral("Vespolo"));
        codice->setText(QStringLiteral("QRZTDR87D15Z000A"));
        suggerimenti->casellaLasciata(codice);
        const QString atteso = QStringLiteral(
            "Il carattere di controllo del codice fiscale non corrisponde (atteso: H).\n"
            "Le lettere del cognome non corrispondono (attese: VSP).");
        QCOMPARE(avviso(codice), atteso);
        QCOMPARE(codice->toolTip(), QStringLiteral("Premi il tasto TAB"));  // its own tip kept

        QTest::keyClick(codice, Qt::Key_Backspace);
        QCOMPARE(avviso(codice), QString());
    }

    void the_same_student_is_named_unless_it_is_the_one_modified() {
        QLineEdit* codice = casella("TxtCodFiscStud1");
        codice->setText(QStringLiteral("qrztdr87d15z000h"));
        suggerimenti->casellaLasciata(codice);
        QCOMPARE(avviso(codice),
                 QStringLiteral("Già presente nella domanda n. 2 (richiedente FERRUCCA ROBERTA)"));

        stato.bTrovato = true;
        stato.nRecordTrovato = 2;
        suggerimenti->domandaCaricata();
        QCOMPARE(avviso(codice), QString());
    }
};

QTEST_MAIN(TestSuggerimentiCodiceFiscale)
#include "test_suggerimenti_codice_fiscale.moc"
