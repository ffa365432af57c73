// The search screen's boxes and fields, Enter, and the two ways to end the
// search: "T&ermina Ricerca" and the window frame.

#include "RicercaFixture.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

class TestRicercaTermina : public TestRicerca {
    Q_OBJECT

    // After a hit on record 2, back on the search screen.
    void trovaLaSeconda() {
        r = std::make_unique<Ricerca>(
            QList<DatiDomanda>{domanda("ROSSI", "MARIO", kCodice), domanda("VERDI", "ANNA", "X")});
        r->spunta("chkCognRich");
        r->cercaNominativo(QStringLiteral("VERDI"), QStringLiteral("ANNA"));
        r->verificaTrovata(2);
        r->tornaDallaScheda();
    }

    // The search has ended: the entry screen is in front, cleared, and a new
    // search screen starts afresh from record 1.
    void verificaFineRicerca() {
        QVERIFY(!r->t.stato().bTrovato);
        QCOMPARE(r->schermo(), nullptr);
        auto* scheda = r->t.screens().find<FrmDatiAnagrafici>();
        QCOMPARE(r->t.screens().activeScreen(), scheda);
        QCOMPARE(scheda->LeggiModulo().CognRich, QString());
        QCOMPARE(scheda->LeggiModulo().DataRich, QStringLiteral("__/__/____"));
        QVERIFY(r->t.control<QPushButton>(*scheda, QStringLiteral("CmdAvanti"))->isVisible());

        r->t.screens().show<FrmRicerca>();
        QCOMPARE(r->controllo<QPushButton>("cmdTrova")->text(), QStringLiteral("&Trova"));
        for (const char* campo : {"txtcognome", "txtNome", "txtCodFisc"}) {
            QCOMPARE(r->controllo<QLineEdit>(campo)->text(), QString());
            QVERIFY(!r->controllo<QLineEdit>(campo)->isEnabled());
        }
        QVERIFY(!r->controllo<QCheckBox>("chkCognRich")->isChecked());
        r->spunta("chkCognRich");
        r->cercaNominativo(QStringLiteral("ROSSI"), QStringLiteral("MARIO"));
        r->verificaTrovata(1);
    }

private slots:
    void ticking_a_box_enables_and_focuses_its_fields_and_enter_searches() {
        r = std::make_unique<Ricerca>(QList<DatiDomanda>{domanda("ROSSI", "MARIO", kCodice)});
        auto* txtCodFisc = r->controllo<QLineEdit>("txtCodFisc");
        r->spunta("chkCodFisc");
        QVERIFY(txtCodFisc->isEnabled());
        QCOMPARE(r->schermo()->focusWidget(), txtCodFisc);
        QTest::keyClicks(txtCodFisc, kCodice + QStringLiteral("ZZZ"));
        QCOMPARE(txtCodFisc->text(), kCodice);  // at most 16 characters
        r->spunta("chkCodFisc");
        QVERIFY(!txtCodFisc->isEnabled());
        QCOMPARE(txtCodFisc->text(), kCodice);

        r->spunta("chkCognRich");
        QCOMPARE(r->schermo()->focusWidget(), r->controllo<QLineEdit>("txtcognome"));
        QVERIFY(r->controllo<QLineEdit>("txtNome")->isEnabled());
        r->scrivi("txtcognome", QStringLiteral("ROSSI"));
        r->scrivi("txtNome", QStringLiteral("MARIO"));
        QTest::keyClick(r->controllo<QLineEdit>("txtNome"), Qt::Key_Return);
        r->verificaTrovata(1);
    }

    void termina_ricerca_ends_the_search_and_clears_the_entry_screen() {
        trovaLaSeconda();
        ProgramUnderTest::click(r->controllo<QPushButton>("cmdIndietro"));
        verificaFineRicerca();
    }

    void closing_the_window_acts_as_termina_ricerca() {
        trovaLaSeconda();
        r->schermo()->close();
        verificaFineRicerca();
    }
};

QTEST_MAIN(TestRicercaTermina)
#include "test_ricerca_termina.moc"
