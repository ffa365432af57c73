// Choosing two lists and a new name and merging them into it: the bytes of
// the new list, the name kept by "Salva", the overwrite question, the
// refusals and a flush that fails over an existing list.

#include "MergeFixture.h"
#include "merge/FrmCreaUnione.h"

#include <cerrno>

namespace {

const QString kCompletata = QStringLiteral(" Operazione completata");

MessageBoxRequest sostituire(const QString& percorso) {
    return {QStringLiteral("Il file \"%1\" esiste già e non è vuoto.\nSostituirlo con l'unione "
                           "dei due elenchi? Il suo contenuto attuale andrà perso.")
                .arg(percorso),
            MessageButtons::YesNo, MessageIcon::Question, true};
}

}  // namespace

class TestFrmCreaUnione : public QObject {
    Q_OBJECT

    std::unique_ptr<MergeFixture<FrmCreaUnione>> f;
    const QByteArray primo = records("PRIMO", 2);
    const QByteArray secondo = records("SECONDO", 3);
    const QByteArray vecchio = records("VECCHIO", 9);

    void typeNewName(const QString& name) {
        f->ctl<QLineEdit>("txtNuovo")->clear();
        QTest::keyClicks(f->ctl<QLineEdit>("txtNuovo"), name);
    }

private slots:
    void init() { f = std::make_unique<MergeFixture<FrmCreaUnione>>("OptNuovaUnione"); }
    void cleanup() {
        QVERIFY(f->t.finish());
        f.reset();
    }

    void two_plus_three_records_make_a_new_list_of_five() {
        QVERIFY(f->t.screens().get<FrmScelta>().isVisible());
        const QString nuovo = f->t.path("nuovo.svz");
        f->choose(f->write("uno.svz", primo), f->write("due.svz", secondo), nuovo);
        QCOMPARE(f->text("txtNuovo"), nuovo);
        f->clickAndSee("cmdUnisci", kCompletata);
        QCOMPARE(f->read("nuovo.svz"), primo + secondo);
        QCOMPARE(f->read("uno.svz"), primo);
        QCOMPARE(f->read("due.svz"), secondo);
        QCOMPARE(f->folderEntries(), (QStringList{"due.svz", "nuovo.svz", "uno.svz"}));
    }

    void two_empty_sources_make_an_empty_new_list() {
        f->choose(f->write("uno.svz", {}), f->write("due.svz", {}), f->t.path("nuovo.svz"));
        f->clickAndSee("cmdUnisci", kCompletata);
        QVERIFY(QFileInfo::exists(f->t.path("nuovo.svz")));
        QCOMPARE(f->read("nuovo.svz"), QByteArray());
    }

    void the_same_list_twice_is_written_twice_into_an_empty_file_without_a_question() {
        const QString uno = f->write("uno.svz", primo);
        f->choose(uno, std::nullopt, f->write("nuovo.svz", {}));
        QCOMPARE(f->text("txtElenco2"), uno);
        f->clickAndSee("cmdUnisci", kCompletata);
        QCOMPARE(f->read("nuovo.svz"), primo + primo);
    }

    void a_cancelled_salva_keeps_the_typed_name_trimmed() {
        const QString nuovo = f->t.path("scritto.svz");
        typeNewName(QStringLiteral("  ") + nuovo + QStringLiteral("  "));
        f->t.dialogs.expectFile(salva(nuovo), std::nullopt)
            .expectFile(apri(nuovo), f->write("uno.svz", primo))
            .expectFile(apri(f->t.path("uno.svz")), f->write("due.svz", secondo));
        f->click("cmdsalva");
        QCOMPARE(f->text("txtNuovo"), nuovo);
        f->click("cmdSfoglia1");
        f->click("cmdSfoglia2");
        f->clickAndSee("cmdUnisci", kCompletata);
        QCOMPARE(f->read("scritto.svz"), primo + secondo);
    }

    void neither_a_browse_nor_typing_after_salva_changes_the_new_name() {
        const QString nuovo = f->t.path("nuovo.svz");
        const QString uno = f->write("uno.svz", primo);
        f->t.dialogs.expectFile(salva(QString()), nuovo)
            .expectFile(apri(nuovo), uno)
            .expectFile(apri(uno), f->write("due.svz", secondo));
        f->click("cmdsalva");
        f->click("cmdSfoglia1");
        f->click("cmdSfoglia2");
        typeNewName(f->t.path("altro.svz"));
        f->clickAndSee("cmdUnisci", kCompletata);
        QCOMPARE(f->read("nuovo.svz"), primo + secondo);
        QVERIFY(!QFileInfo::exists(f->t.path("altro.svz")));
    }

    void an_existing_list_is_replaced_only_after_yes_and_a_second_unisci_gives_the_same() {
        const QString nuovo = f->write("nuovo.svz", vecchio);
        f->choose(f->write("uno.svz", primo), f->write("due.svz", secondo), nuovo);
        f->t.dialogs.expectMessage(sostituire(nuovo), MessageAnswer::No);
        f->click("cmdUnisci");
        QCOMPARE(f->read("nuovo.svz"), vecchio);
        for (int volta = 1; volta <= 2; ++volta) {
            f->t.dialogs.expectMessage(sostituire(nuovo), MessageAnswer::Yes);
            f->clickAndSee("cmdUnisci", kCompletata);
            QCOMPARE(f->read("nuovo.svz"), primo + secondo);
        }
    }

    void a_source_as_new_list_and_a_result_too_long_are_refused_before_any_question() {
        const QString uno = f->write("uno.svz", {}, 16384);
        f->choose(uno, f->write("due.svz", {}, 16384), uno);
        f->clickAndSee("cmdUnisci",
                       QStringLiteral("Il nuovo elenco deve essere un file diverso dai due "
                                      "elenchi da unire: \"%1\" è l'elenco n. 1.")
                           .arg(uno));
        const QString nuovo = f->write("nuovo.svz", vecchio);
        f->t.dialogs.expectFile(salva(uno), nuovo);
        f->click("cmdsalva");
        f->clickAndSee("cmdUnisci",
                       QStringLiteral("L'elenco n. 1 contiene 16.384 domande e l'elenco n. 2 ne "
                                      "contiene 16.384: insieme sarebbero 32.768, ma un elenco "
                                      "può contenere al massimo 32.767 domande.\nNessun file è "
                                      "stato modificato."));
        QCOMPARE(f->read("nuovo.svz"), vecchio);
        QCOMPARE(QFileInfo(uno).size(), 16384 * kLunghezzaRecord);
    }

    void a_failed_flush_leaves_a_replaced_list_as_it_was_without_completion() {
        const QString nuovo = f->write("nuovo.svz", vecchio);
        f->choose(f->write("uno.svz", primo), f->write("due.svz", secondo), nuovo);
        f->fs.failOn(FailingFileSystem::Call::Flush, 1, EIO);
        f->t.dialogs.expectMessage(sostituire(nuovo), MessageAnswer::Yes)
            .expectMessage(
                critico(motivo(EIO, "Impossibile salvare sul disco il file", nuovo) +
                        QStringLiteral("\nIl file \"%1\" è rimasto com'era.").arg(nuovo)));
        f->click("cmdUnisci");
        QCOMPARE(f->read("nuovo.svz"), vecchio);
        QCOMPARE(f->folderEntries(), (QStringList{"due.svz", "nuovo.svz", "uno.svz"}));
    }

    void with_no_name_salva_asks_for_one_and_unisci_says_what_is_missing() {
        typeNewName(QStringLiteral("   "));
        f->t.dialogs.expectFile(salva(QString()), std::nullopt);
        f->clickAndSee("cmdsalva", QStringLiteral("inserire un nome significativo per il file"));
        typeNewName(f->t.path("digitato.svz"));
        f->clickAndSee("cmdUnisci",
                       QStringLiteral("Per unire gli elenchi occorre ancora scegliere:\n"
                                      "- l'elenco n. 1 (pulsante \"Sfoglia...\")\n"
                                      "- l'elenco n. 2 (pulsante \"Sfoglia...\")\n"
                                      "- il nome del nuovo elenco (pulsante \"Salva\")"));
        QCOMPARE(f->folderEntries(), QStringList());
    }

    void indietro_and_the_window_frame_close_the_lists_and_return_to_the_choice_screen() {
        f->choose(f->write("uno.svz", primo), f->write("due.svz", secondo), f->t.path("nuovo.svz"));
        f->clickAndSee("cmdUnisci", kCompletata);
        f->click("cmdIndietro");
        f->backAtChoice();
        QVERIFY(!f->aperto(1));

        f->openFromChoice();
        QVERIFY(f->text("txtElenco1").isEmpty());
        f->t.dialogs.expectFile(apri(QString()), f->t.path("uno.svz"));
        f->click("cmdSfoglia1");
        f->screen->close();
        f->backAtChoice();
        QVERIFY(!f->aperto(1));
    }
};

QTEST_MAIN(TestFrmCreaUnione)
#include "test_frm_crea_unione.moc"
