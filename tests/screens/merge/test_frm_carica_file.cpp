#include "FileElenco.h"
#include "MergeFixture.h"
#include "Twips.h"
#include "merge/FrmCaricaFile.h"

namespace {

const QString kCompletata = QStringLiteral("Operazione completata");

}  // namespace

// Choosing the lists and appending one to the other.
class TestFrmCaricaFile : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MergeFixture> f;

    void unisci() {
        f->t->dialogs.expectMessage(informazione(kCompletata));
        f->click("cmdOk");
    }

private slots:
    void init() {
        f = std::make_unique<MergeFixture>(std::make_unique<ProgramUnderTest>());
        f->openThrough<FrmCaricaFile>("OptUnione");
    }
    void cleanup() {
        QVERIFY(f->t->finish());
        f.reset();
    }

    void the_screen_opens_in_front_of_the_choice_screen_with_its_controls() {
        QCOMPARE(f->screen->windowTitle(), QStringLiteral("Unione elenchi"));
        QCOMPARE(f->screen->size(), Twips::size(5865, 2310));
        QCOMPARE(f->t->screens().activeScreen(), f->screen);
        QVERIFY(f->t->screens().get<FrmScelta>().isVisible());

        QCOMPARE(f->ctl<QLabel>("Label1")->text(), QStringLiteral("Elenco n. 1"));
        QCOMPARE(f->ctl<QLabel>("Label2")->geometry(), Twips::rect(240, 960, 810, 195));
        QCOMPARE(f->ctl("cmdSfoglia1")->text(), QStringLiteral("Sfoglia..."));
        QCOMPARE(f->ctl("cmdSfoglia2")->geometry(), Twips::rect(4440, 840, 1095, 375));
        QCOMPARE(f->ctl("cmdOk")->text(), QStringLiteral("&Unisci"));
        QCOMPARE(f->ctl("cmdIndietro")->text(), QStringLiteral("<    Indietro"));
        QCOMPARE(f->ctl("cmdIndietro")->geometry(), Twips::rect(240, 1560, 1335, 375));
        QCOMPARE(f->ctl<QLineEdit>("txtElenco1")->geometry(), Twips::rect(1200, 360, 3015, 405));
        QVERIFY(f->ctl<QLineEdit>("txtElenco2")->isEnabled());
        QVERIFY(f->text("txtElenco1").isEmpty());
        const QStringList order{"cmdSfoglia1", "cmdSfoglia2", "cmdOk",
                                "cmdIndietro", "txtElenco1",  "txtElenco2"};
        QCOMPARE(f->tabOrder(order), order);
    }

    void each_unisci_appends_list_two_once_more_and_both_lists_stay_open() {
        const QByteArray primo = MergeFixture::records("PRIMO", 3);
        const QByteArray secondo = MergeFixture::records("SECONDO", 2);
        const QString uno = f->write("uno.svz", primo);
        const QString due = f->write("due.svz", secondo);
        f->chooseLists(uno, due);
        QCOMPARE(f->text("txtElenco1"), uno);
        QCOMPARE(f->text("txtElenco2"), due);

        unisci();

        QCOMPARE(f->read("uno.svz"), primo + secondo);
        QCOMPARE(f->read("due.svz"), secondo);
        QVERIFY(f->t->program.elenco().Aperto(1));
        QVERIFY(f->t->program.elenco().Aperto(2));
        QCOMPARE(f->text("txtElenco2"), due);

        unisci();
        QCOMPARE(f->read("uno.svz"), primo + secondo + secondo);
    }

    void an_empty_list_two_changes_nothing_and_still_completes() {
        const QByteArray primo = MergeFixture::records("PRIMO", 3);
        f->chooseLists(f->write("uno.svz", primo), f->write("vuoto.svz", {}));
        unisci();
        QCOMPARE(f->read("uno.svz"), primo);
    }

    void a_cancelled_browse_takes_list_ones_name_and_the_list_doubles() {
        const QByteArray primo = MergeFixture::records("PRIMO", 3);
        const QString uno = f->write("uno.svz", primo);
        f->chooseLists(uno, std::nullopt);
        QCOMPARE(f->text("txtElenco2"), uno);

        unisci();

        QCOMPARE(f->read("uno.svz"), primo + primo);
    }

    void a_cancel_before_any_choice_says_so_and_opens_nothing() {
        f->t->dialogs.expectFile(apri(QString()), std::nullopt)
            .expectMessage(informazione(kScegliereUnFile));
        f->click("cmdSfoglia2");
        QVERIFY(!f->t->program.elenco().Aperto(2));
        QVERIFY(f->text("txtElenco2").isEmpty());
    }

    void browsing_again_closes_the_slots_file_and_opens_the_new_choice() {
        const QByteArray primo = MergeFixture::records("PRIMO", 3);
        const QByteArray altro = MergeFixture::records("ALTRO", 1);
        const QByteArray secondo = MergeFixture::records("SECONDO", 2);
        const QString uno = f->write("uno.svz", primo);
        const QString altroPercorso = f->write("altro.svz", altro);
        f->chooseLists(uno, f->write("due.svz", secondo));
        f->t->dialogs.expectFile(apri(f->t->path("due.svz")), altroPercorso);
        f->click("cmdSfoglia1");
        QCOMPARE(f->t->program.elenco().Percorso(1), altroPercorso);
        QCOMPARE(f->text("txtElenco1"), altroPercorso);

        unisci();

        QCOMPARE(f->read("altro.svz"), altro + secondo);
        QCOMPARE(f->read("uno.svz"), primo);
    }

    void unisci_before_both_lists_are_chosen_says_what_is_missing() {
        const QString uno = f->write("uno.svz", MergeFixture::records("PRIMO", 1));
        f->t->dialogs
            .expectMessage(
                informazione(QStringLiteral("Per unire gli elenchi occorre ancora scegliere:\n"
                                            "- l'elenco n. 1 (pulsante \"Sfoglia...\")\n"
                                            "- l'elenco n. 2 (pulsante \"Sfoglia...\")")))
            .expectFile(apri(QString()), uno)
            .expectMessage(
                informazione(QStringLiteral("Per unire gli elenchi occorre ancora scegliere:\n"
                                            "- l'elenco n. 2 (pulsante \"Sfoglia...\")")));
        f->click("cmdOk");
        f->click("cmdSfoglia1");
        f->click("cmdOk");
        QCOMPARE(f->read("uno.svz"), MergeFixture::records("PRIMO", 1));
    }

    void a_list_one_ending_in_half_a_record_keeps_every_record_of_list_two() {
        // 3.5 records count as 4; list 2 follows as records 5 and 6.
        const QByteArray tronco = MergeFixture::records("PRIMO", 4).left(1463);
        const QByteArray secondo = MergeFixture::records("SECONDO", 2);
        f->chooseLists(f->write("uno.svz", tronco), f->write("due.svz", secondo));
        unisci();
        QCOMPARE(f->read("uno.svz"), tronco + RecordVuoto().mid(209) + secondo);
    }

    void indietro_closes_its_lists_and_returns_to_the_choice_screen() {
        f->chooseLists(f->write("uno.svz", {}), f->write("due.svz", {}));
        f->click("cmdIndietro");
        QVERIFY(!f->t->program.elenco().Aperto(1));
        QVERIFY(!f->t->program.elenco().Aperto(2));
        QVERIFY(f->t->screens().find<FrmCaricaFile>() == nullptr);
        auto& scelta = f->t->screens().get<FrmScelta>();
        QCOMPARE(f->t->screens().activeScreen(), &scelta);
        QVERIFY(!scelta.findChild<QRadioButton*>(QStringLiteral("OptUnione"))->isChecked());
    }

    void closing_the_window_acts_as_indietro_and_spares_a_list_opened_elsewhere() {
        const QString corrente = f->write("corrente.svz", {});
        QVERIFY(f->t->program.elenco().ApriElenco(corrente, 1).ok());
        f->t->dialogs.expectFile(apri(QString()), f->write("due.svz", {}));
        f->click("cmdSfoglia2");

        f->screen->close();

        QVERIFY(f->t->screens().find<FrmCaricaFile>() == nullptr);
        QVERIFY(!f->t->program.elenco().Aperto(2));
        QCOMPARE(f->t->program.elenco().Percorso(1), corrente);
    }
};

QTEST_MAIN(TestFrmCaricaFile)
#include "test_frm_carica_file.moc"
