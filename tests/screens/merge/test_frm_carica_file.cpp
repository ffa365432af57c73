// Choosing two lists and appending the second to the first: the files each
// browse opens and closes, the bytes of list 1, the notices, the refusal
// and a disk that fills part-way.

#include "MergeFixture.h"
#include "merge/FrmCaricaFile.h"

#include <cerrno>

namespace {

const QString kCompletata = QStringLiteral("Operazione completata");

}  // namespace

class TestFrmCaricaFile : public QObject {
    Q_OBJECT

    std::unique_ptr<MergeFixture<FrmCaricaFile>> f;
    const QByteArray primo = records("PRIMO", 3);
    const QByteArray secondo = records("SECONDO", 2);

private slots:
    void init() { f = std::make_unique<MergeFixture<FrmCaricaFile>>("OptUnione"); }
    void cleanup() {
        QVERIFY(f->t.finish());
        f.reset();
    }

    void each_unisci_appends_list_two_once_more_and_both_lists_stay_open() {
        QCOMPARE(f->t.screens().activeScreen(), f->screen);
        QVERIFY(f->t.screens().get<FrmScelta>().isVisible());
        const QString uno = f->write("uno.svz", primo);
        const QString due = f->write("due.svz", secondo);
        f->choose(uno, due);
        QCOMPARE(f->text("txtElenco1"), uno);
        QCOMPARE(f->text("txtElenco2"), due);

        f->clickAndSee("cmdOk", kCompletata);
        QCOMPARE(f->read("uno.svz"), primo + secondo);
        QCOMPARE(f->read("due.svz"), secondo);
        QVERIFY(f->aperto(1) && f->aperto(2));

        f->clickAndSee("cmdOk", kCompletata);
        QCOMPARE(f->read("uno.svz"), primo + secondo + secondo);
    }

    void an_empty_list_two_changes_nothing_and_still_completes() {
        f->choose(f->write("uno.svz", primo), f->write("vuoto.svz", {}));
        f->clickAndSee("cmdOk", kCompletata);
        QCOMPARE(f->read("uno.svz"), primo);
    }

    void a_cancelled_browse_takes_list_ones_name_and_the_list_doubles() {
        const QString uno = f->write("uno.svz", primo);
        f->choose(uno, std::nullopt);
        QCOMPARE(f->text("txtElenco2"), uno);
        f->clickAndSee("cmdOk", kCompletata);
        QCOMPARE(f->read("uno.svz"), primo + primo);
    }

    void a_cancel_before_any_choice_says_so_and_opens_nothing() {
        f->t.dialogs.expectFile(apri(QString()), std::nullopt);
        f->clickAndSee("cmdSfoglia2", QStringLiteral("scegliere un file"));
        QVERIFY(!f->aperto(2));
        QVERIFY(f->text("txtElenco2").isEmpty());
    }

    void browsing_again_closes_the_slots_file_and_opens_the_new_choice() {
        const QByteArray altro = records("ALTRO", 1);
        const QString altroPercorso = f->write("altro.svz", altro);
        f->choose(f->write("uno.svz", primo), f->write("due.svz", secondo));
        f->t.dialogs.expectFile(apri(f->t.path("due.svz")), altroPercorso);
        f->click("cmdSfoglia1");
        QCOMPARE(f->t.program.elenco().Percorso(1), altroPercorso);
        QCOMPARE(f->text("txtElenco1"), altroPercorso);

        f->clickAndSee("cmdOk", kCompletata);
        QCOMPARE(f->read("altro.svz"), altro + secondo);
        QCOMPARE(f->read("uno.svz"), primo);
    }

    void a_list_that_cannot_be_opened_is_reported_and_leaves_the_slot_empty() {
        const QString uno = f->write("uno.svz", primo);
        QVERIFY(QDir(f->t.folder.path()).mkdir(QStringLiteral("cartella.svz")));
        const QString cartella = f->t.path("cartella.svz");
        f->t.dialogs.expectFile(apri(QString()), uno)
            .expectFile(apri(uno), cartella)
            .expectMessage(critico(motivo(EISDIR, "Impossibile aprire il file", cartella)));
        f->click("cmdSfoglia1");
        f->click("cmdSfoglia1");
        QVERIFY(!f->aperto(1));
        QVERIFY(f->text("txtElenco1").isEmpty());
    }

    void unisci_before_both_lists_are_chosen_says_what_is_missing() {
        const QString uno = f->write("uno.svz", primo);
        const QString manca = QStringLiteral("Per unire gli elenchi occorre ancora scegliere:");
        const QString elenco2 = QStringLiteral("\n- l'elenco n. 2 (pulsante \"Sfoglia...\")");
        f->clickAndSee(
            "cmdOk",
            manca + QStringLiteral("\n- l'elenco n. 1 (pulsante \"Sfoglia...\")") + elenco2);
        f->t.dialogs.expectFile(apri(QString()), uno);
        f->click("cmdSfoglia1");
        f->clickAndSee("cmdOk", manca + elenco2);
        QCOMPARE(f->read("uno.svz"), primo);
    }

    void a_result_beyond_the_record_numbers_is_refused_before_writing() {
        f->choose(f->write("pieno.svz", {}, 32766), f->write("due.svz", secondo));
        f->clickAndSee("cmdOk",
                       QStringLiteral("L'elenco n. 1 contiene 32.766 domande e l'elenco n. 2 ne "
                                      "contiene 2: insieme sarebbero 32.768, ma un elenco può "
                                      "contenere al massimo 32.767 domande.\nNessun file è "
                                      "stato modificato."));
        QCOMPARE(QFileInfo(f->t.path("pieno.svz")).size(), 32766 * kLunghezzaRecord);
    }

    void a_disk_full_part_way_leaves_list_one_as_it_was_and_says_why() {
        const QByteArray lungo = records("SECONDO", 4);
        const QString uno = f->write("uno.svz", primo);
        f->choose(uno, f->write("due.svz", lungo));
        f->fs.failOn(FailingFileSystem::Call::Write, 3, ENOSPC);
        f->t.dialogs.expectMessage(
            critico(motivo(ENOSPC, "Impossibile scrivere nel file", uno) +
                    QStringLiteral("\nL'elenco n. 1 è stato riportato com'era: non è stata "
                                   "aggiunta nessuna domanda.")));
        f->click("cmdOk");
        QCOMPARE(f->read("uno.svz"), primo);
        QCOMPARE(f->read("due.svz"), lungo);

        // Once the disk has room again the same screen appends the whole list.
        f->clickAndSee("cmdOk", kCompletata);
        QCOMPARE(f->read("uno.svz"), primo + lungo);
    }

    void indietro_and_the_window_frame_close_its_lists_and_spare_one_opened_elsewhere_data() {
        QTest::addColumn<bool>("dallaCornice");
        QTest::newRow("Indietro") << false;
        QTest::newRow("window frame") << true;
    }
    void indietro_and_the_window_frame_close_its_lists_and_spare_one_opened_elsewhere() {
        QFETCH(bool, dallaCornice);
        const QString corrente = f->write("corrente.svz", {});
        QVERIFY(f->t.program.elenco().ApriElenco(corrente, 1).ok());
        f->t.dialogs.expectFile(apri(QString()), f->write("due.svz", {}));
        f->click("cmdSfoglia2");
        if (dallaCornice) {
            f->screen->close();
        } else {
            f->click("cmdIndietro");
        }
        f->backAtChoice();
        QCOMPARE(f->t.program.elenco().Percorso(1), corrente);
        QVERIFY(!f->t.screens()
                     .get<FrmScelta>()
                     .findChild<QRadioButton*>(QStringLiteral("OptUnione"))
                     ->isChecked());
    }
};

QTEST_MAIN(TestFrmCaricaFile)
#include "test_frm_carica_file.moc"
