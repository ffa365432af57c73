// Where each search starts: the three positions, the end of the list and
// its question, and lists too short to hold a whole record.

#include "DialogService.h"
#include "RicercaFixture.h"

#include <QPushButton>

class TestRicercaPosizioni : public TestRicerca {
    Q_OBJECT

private slots:
    void two_applications_of_one_requester_are_found_in_order_then_the_end_is_asked() {
        r = std::make_unique<Ricerca>(QList<DatiDomanda>{domanda("ROSSI", "MARIO", kCodice),
                                                         domanda("VERDI", "ANNA", "X"),
                                                         domanda("ROSSI", "MARIO", kCodice)});
        r->spunta("chkCognRich");
        r->cercaNominativo(QStringLiteral("Rossi"), QStringLiteral("Mario"));
        r->verificaTrovata(1);
        r->tornaDallaScheda();
        QCOMPARE(r->controllo<QPushButton>("cmdTrova")->text(), QStringLiteral("Trova Successivo"));
        r->trova();
        r->verificaTrovata(3);

        // A hit on the last record: the next press reads nothing and asks.
        r->tornaDallaScheda();
        const int letturePrima = r->letture();
        r->t.dialogs.expectMessage(fineDelFile(), MessageAnswer::No)
            .expectMessage(fineDelFile(), MessageAnswer::Yes);
        r->trova();
        r->trova();  // after No: the same question, still nothing read
        QCOMPARE(r->letture(), letturePrima);
        r->verificaNessunaScheda();

        r->trova();  // after Yes: from record 1 again
        r->verificaTrovata(1);
    }

    void each_criterion_resumes_from_its_own_position_until_a_field_is_edited() {
        r = std::make_unique<Ricerca>(
            QList<DatiDomanda>{domanda("ROSSI", "MARIO", "A"), domanda("ROSSI", "MARIO", kCodice),
                               domanda("BIANCHI", "LIA", kCodice), domanda("ROSSI", "MARIO", "B")});
        r->spunta("chkCognRich");
        r->scrivi("txtcognome", QStringLiteral("ROSSI"));
        r->scrivi("txtNome", QStringLiteral("MARIO"));
        r->spunta("chkCodFisc");
        r->scrivi("txtCodFisc", kCodice);
        r->spunta("chkCodFisc");
        const auto trovaERitorna = [this](std::int16_t nRecord) {
            r->trova();
            r->verificaTrovata(nRecord);
            r->tornaDallaScheda();
        };
        trovaERitorna(1);  // surname and name

        r->spunta("chkCognRich");
        r->spunta("chkCodFisc");
        trovaERitorna(2);  // codice fiscale
        trovaERitorna(3);

        r->spunta("chkCodFisc");
        r->spunta("chkCognRich");
        trovaERitorna(2);  // surname and name again, after record 1

        r->spunta("chkCodFisc");
        trovaERitorna(2);  // all three, from the start
        r->t.dialogs.expectMessage(fineDelFile(), MessageAnswer::No);
        r->trova();
        r->verificaNessunaScheda();

        r->spunta("chkCodFisc");
        trovaERitorna(4);  // surname and name, after record 2

        r->spunta("chkCognRich");
        r->spunta("chkCodFisc");
        r->scrivi("txtCodFisc", kCodice);  // retyped as it was: every criterion restarts
        QCOMPARE(r->controllo<QPushButton>("cmdTrova")->text(), QStringLiteral("Trova"));
        trovaERitorna(2);
    }

    void a_file_of_half_a_record_is_not_empty_but_holds_no_record_to_read() {
        r = std::make_unique<Ricerca>(
            CodificaDomanda(domanda("ROSSI", "MARIO", kCodice)).left(209));
        const int letturePrima = r->letture();
        r->spunta("chkCodFisc");
        r->t.dialogs.expectMessage(fineDelFile(), MessageAnswer::Yes);
        r->cercaCodiceFiscale(kCodice);
        QCOMPARE(r->letture(), letturePrima);
        r->verificaNessunaScheda();
    }

    void an_empty_file_is_reported_before_the_criteria_are_looked_at() {
        r = std::make_unique<Ricerca>(QByteArray());
        r->t.dialogs.expectMessage(
            {QStringLiteral("Il file è vuoto!"), MessageButtons::Ok, MessageIcon::Information});
        r->trova();
        r->verificaNessunaScheda();
    }
};

QTEST_MAIN(TestRicercaPosizioni)
#include "test_ricerca_posizioni.moc"
