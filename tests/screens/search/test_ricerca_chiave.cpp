// Which stored applications a search key finds, and the searches that are
// refused before reading anything.

#include "RicercaFixture.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QLineEdit>

class TestRicercaChiave : public TestRicerca {
    Q_OBJECT

private slots:
    void the_key_joins_surname_and_name_ignoring_case_and_outer_blanks() {
        r = std::make_unique<Ricerca>(QList<DatiDomanda>{
            domanda("DELUCA", "ANNA", kCodice), domanda("A", "BC", kCodice),
            domanda("müller", "jürgen", kCodice), domanda("STRAß", "ELA", kCodice)});
        r->spunta("chkCognRich");
        r->cercaNominativo(QStringLiteral("  ab "), QStringLiteral(" c  "));
        r->verificaTrovata(2);

        // Stored lower case is compared upper-cased, also where upper-casing
        // changes the length of the text. Typed as "MüLLERJÜ" + "RGEN".
        r->tornaDallaScheda();
        r->scrivi("txtcognome", QStringLiteral("M"));
        QTest::sendKeyEvent(QTest::Click, r->controllo<QLineEdit>("txtcognome"), Qt::Key_unknown,
                            QStringLiteral("ü"), Qt::NoModifier);
        QTest::keyClicks(r->controllo<QLineEdit>("txtcognome"), QStringLiteral("LLERJ"));
        QTest::sendKeyEvent(QTest::Click, r->controllo<QLineEdit>("txtcognome"), Qt::Key_unknown,
                            QStringLiteral("Ü"), Qt::NoModifier);
        r->scrivi("txtNome", QStringLiteral("RGEN"));
        r->trova();
        r->verificaTrovata(3);

        r->tornaDallaScheda();
        r->cercaNominativo(QStringLiteral("strass"), QStringLiteral("ela"));
        r->verificaTrovata(4);

        // Inner blanks count: DE LUCA is not DELUCA.
        r->tornaDallaScheda();
        r->t.dialogs.expectMessage(fineDelFile(), MessageAnswer::No);
        r->cercaNominativo(QStringLiteral("DE LUCA"), QStringLiteral("ANNA"));
        r->verificaNessunaScheda();
    }

    void a_codice_fiscale_must_match_whole_and_with_both_boxes_all_three_agree() {
        r = std::make_unique<Ricerca>(QList<DatiDomanda>{
            domanda("ROSSI", "MARIO", kCodice.left(15)), domanda("ROSSI", "MARIO", "ALTRO"),
            domanda("BIANCHI", "MARIO", kCodice), domanda("ROSSI", "MARIO", kCodice)});
        r->spunta("chkCodFisc");
        r->cercaCodiceFiscale(kCodice.left(15));
        r->verificaTrovata(1);
        r->tornaDallaScheda();
        r->cercaCodiceFiscale(kCodice.toLower());
        r->verificaTrovata(3);

        r->tornaDallaScheda();
        r->spunta("chkCognRich");
        r->cercaNominativo(QStringLiteral("ROSSI"), QStringLiteral("MARIO"));
        r->verificaTrovata(4);
    }

    void a_found_application_fills_the_entry_screen_at_full_width() {
        DatiDomanda trovata = domanda("ROSSI", "MARIO", kCodice);
        r = std::make_unique<Ricerca>(QList<DatiDomanda>{trovata});
        r->spunta("chkCodFisc");
        r->cercaCodiceFiscale(kCodice);
        r->verificaTrovata(1);

        const ModuloDomanda modulo = r->t.screens().find<FrmDatiAnagrafici>()->LeggiModulo();
        QCOMPARE(modulo.CognRich, QStringLiteral("ROSSI").leftJustified(30));
        QCOMPARE(modulo.ViaRich, QString(50, QLatin1Char(' ')));
        QCOMPARE(modulo.DataRich, QStringLiteral("05/03/1970"));
        QCOMPARE(modulo.DataStud, QStringLiteral("12/09/2010"));
        QCOMPARE(modulo.Spese, QStringLiteral("1250.5"));
        QCOMPARE(modulo.Isee, QStringLiteral("300"));
    }

    void a_missing_field_is_refused_and_no_box_ticked_does_nothing() {
        r = std::make_unique<Ricerca>(QList<DatiDomanda>{domanda("ROSSI", "MARIO", kCodice)});
        const int lettePrima = r->letture();
        r->trova();  // neither box ticked: nothing at all

        const MessageBoxRequest mancante(
            QStringLiteral("Attenzione... Immettere i dati per la ricerca"), MessageButtons::Ok,
            MessageIcon::Exclamation);
        r->t.dialogs.expectMessage(mancante).expectMessage(mancante);
        r->spunta("chkCognRich");
        r->cercaNominativo(QStringLiteral("ROSSI"), QStringLiteral("   "));
        r->spunta("chkCodFisc");
        r->scrivi("txtNome", QStringLiteral("MARIO"));
        r->trova();  // all three are required now, the codice fiscale is empty

        QCOMPARE(r->letture(), lettePrima);
        r->verificaNessunaScheda();
        QVERIFY(!r->t.stato().bTrovato);
    }
};

QTEST_MAIN(TestRicercaChiave)
#include "test_ricerca_chiave.moc"
