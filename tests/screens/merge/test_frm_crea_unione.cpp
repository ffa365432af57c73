#include "FileElenco.h"
#include "MergeFixture.h"
#include "Twips.h"
#include "merge/FrmCreaUnione.h"

namespace {

const QString kCompletata = QStringLiteral(" Operazione completata");

MessageBoxRequest sostituire(const QString& percorso) {
    return {QStringLiteral("Il file \"%1\" esiste già e non è vuoto.\nSostituirlo con l'unione "
                           "dei due elenchi? Il suo contenuto attuale andrà perso.")
                .arg(percorso),
            MessageButtons::YesNo, MessageIcon::Question, true};
}

}  // namespace

// Choosing two lists and a new name, and merging them into it.
class TestFrmCreaUnione : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MergeFixture> f;
    const QByteArray primo = MergeFixture::records("PRIMO", 2);
    const QByteArray secondo = MergeFixture::records("SECONDO", 3);

    void unisci() {
        f->t->dialogs.expectMessage(informazione(kCompletata));
        f->click("cmdUnisci");
    }
    void typeNewName(const QString& name) {
        QLineEdit* box = f->ctl<QLineEdit>("txtNuovo");
        box->clear();
        QTest::keyClicks(box, name);
    }

private slots:
    void init() {
        f = std::make_unique<MergeFixture>(std::make_unique<ProgramUnderTest>());
        f->openThrough<FrmCreaUnione>("OptNuovaUnione");
    }
    void cleanup() {
        QVERIFY(f->t->finish());
        f.reset();
    }

    void the_screen_opens_in_front_of_the_choice_screen_with_its_controls() {
        QCOMPARE(f->screen->windowTitle(), QStringLiteral("Unione elenchi"));
        QCOMPARE(f->screen->size(), Twips::size(5700, 3315));
        QVERIFY(f->t->screens().get<FrmScelta>().isVisible());
        QCOMPARE(f->ctl<QLabel>("Label3")->text(), QStringLiteral("Nuovo Elenco:"));
        QCOMPARE(f->ctl<QLabel>("Label1")->geometry(), Twips::rect(600, 240, 810, 195));
        QVERIFY(!f->ctl<QLineEdit>("txtElenco1")->isEnabled());
        QVERIFY(!f->ctl<QLineEdit>("txtElenco2")->isEnabled());
        QVERIFY(f->ctl<QLineEdit>("txtNuovo")->isEnabled());
        QCOMPARE(f->ctl<QLineEdit>("txtNuovo")->geometry(), Twips::rect(600, 1920, 3015, 285));
        QCOMPARE(f->ctl("cmdsalva")->text(), QStringLiteral("Salva"));
        QCOMPARE(f->ctl("cmdIndietro")->text(), QStringLiteral("<   Indietro"));
        QCOMPARE(f->ctl("cmdIndietro")->geometry(), Twips::rect(720, 2640, 1095, 375));
        QCOMPARE(f->ctl("cmdUnisci")->text(), QStringLiteral("&Unisci"));
        QCOMPARE(f->ctl("cmdSfoglia2")->geometry(), Twips::rect(3960, 1080, 1095, 375));
        const QStringList order{"txtElenco2", "txtElenco1", "cmdSfoglia2", "cmdSfoglia1",
                                "txtNuovo",   "cmdsalva",   "cmdIndietro", "cmdUnisci"};
        QCOMPARE(f->tabOrder(order), order);
    }

    void two_plus_three_records_make_a_new_list_of_five() {
        const QString nuovo = f->t->path("nuovo.svz");
        f->chooseForMerge(f->write("uno.svz", primo), f->write("due.svz", secondo), nuovo);
        QCOMPARE(f->text("txtNuovo"), nuovo);

        unisci();

        QCOMPARE(f->read("nuovo.svz"), primo + secondo);
        QCOMPARE(f->read("uno.svz"), primo);
        QCOMPARE(f->read("due.svz"), secondo);
        QCOMPARE(f->folderEntries(), (QStringList{"due.svz", "nuovo.svz", "uno.svz"}));
    }

    void two_empty_sources_make_an_empty_new_list() {
        f->chooseForMerge(f->write("uno.svz", {}), f->write("due.svz", {}),
                          f->t->path("nuovo.svz"));
        unisci();
        QVERIFY(QFileInfo::exists(f->t->path("nuovo.svz")));
        QCOMPARE(f->read("nuovo.svz"), QByteArray());
    }

    void the_same_list_twice_is_written_twice_into_an_empty_file_without_a_question() {
        const QString uno = f->write("uno.svz", primo);
        f->chooseForMerge(uno, std::nullopt, f->write("nuovo.svz", {}));
        QCOMPARE(f->text("txtElenco2"), uno);
        unisci();
        QCOMPARE(f->read("nuovo.svz"), primo + primo);
    }

    void a_cancelled_salva_keeps_the_typed_name_trimmed() {
        const QString nuovo = f->t->path("scritto.svz");
        typeNewName(QStringLiteral("  ") + nuovo + QStringLiteral("  "));
        f->t->dialogs.expectFile(salva(nuovo), std::nullopt);
        f->click("cmdsalva");
        QCOMPARE(f->text("txtNuovo"), nuovo);

        f->t->dialogs.expectFile(apri(nuovo), f->write("uno.svz", primo))
            .expectFile(apri(f->t->path("uno.svz")), f->write("due.svz", secondo));
        f->click("cmdSfoglia1");
        f->click("cmdSfoglia2");
        unisci();
        QCOMPARE(f->read("scritto.svz"), primo + secondo);
    }

    void neither_a_browse_nor_typing_after_salva_changes_the_new_name() {
        const QString nuovo = f->t->path("nuovo.svz");
        const QString uno = f->write("uno.svz", primo);
        f->t->dialogs.expectFile(salva(QString()), nuovo)
            .expectFile(apri(nuovo), uno)
            .expectFile(apri(uno), f->write("due.svz", secondo));
        f->click("cmdsalva");
        f->click("cmdSfoglia1");
        f->click("cmdSfoglia2");
        typeNewName(f->t->path("altro.svz"));

        unisci();

        QCOMPARE(f->read("nuovo.svz"), primo + secondo);
        QVERIFY(!QFileInfo::exists(f->t->path("altro.svz")));
    }

    void an_existing_list_is_replaced_only_after_yes_and_a_second_unisci_gives_the_same() {
        const QByteArray vecchio = MergeFixture::records("VECCHIO", 9);
        const QString nuovo = f->write("nuovo.svz", vecchio);
        f->chooseForMerge(f->write("uno.svz", primo), f->write("due.svz", secondo), nuovo);

        f->t->dialogs.expectMessage(sostituire(nuovo), MessageAnswer::No);
        f->click("cmdUnisci");
        QCOMPARE(f->read("nuovo.svz"), vecchio);

        f->t->dialogs.expectMessage(sostituire(nuovo), MessageAnswer::Yes);
        unisci();
        QCOMPARE(f->read("nuovo.svz"), primo + secondo);

        f->t->dialogs.expectMessage(sostituire(nuovo), MessageAnswer::Yes);
        unisci();
        QCOMPARE(f->read("nuovo.svz"), primo + secondo);
    }

    void the_new_list_may_not_be_one_of_the_sources() {
        const QString uno = f->write("uno.svz", primo);
        f->chooseForMerge(uno, f->write("due.svz", secondo), uno);
        f->t->dialogs.expectMessage(
            informazione(QStringLiteral("Il nuovo elenco deve essere un file diverso dai due "
                                        "elenchi da unire: \"%1\" è l'elenco n. 1.")
                             .arg(uno)));
        f->click("cmdUnisci");
        QCOMPARE(f->read("uno.svz"), primo);
    }

    void with_no_name_salva_asks_for_one_and_unisci_says_what_is_missing() {
        typeNewName(QStringLiteral("   "));
        f->t->dialogs.expectFile(salva(QString()), std::nullopt)
            .expectMessage(
                informazione(QStringLiteral("inserire un nome significativo per il file")));
        f->click("cmdsalva");

        f->t->dialogs.expectMessage(
            informazione(QStringLiteral("Per unire gli elenchi occorre ancora scegliere:\n"
                                        "- l'elenco n. 1 (pulsante \"Sfoglia...\")\n"
                                        "- l'elenco n. 2 (pulsante \"Sfoglia...\")\n"
                                        "- il nome del nuovo elenco (pulsante \"Salva\")")));
        typeNewName(f->t->path("digitato.svz"));
        f->click("cmdUnisci");
        QCOMPARE(f->folderEntries(), QStringList());
    }

    void indietro_and_the_window_frame_close_the_lists_and_return_to_the_choice_screen() {
        f->chooseForMerge(f->write("uno.svz", primo), f->write("due.svz", secondo),
                          f->t->path("nuovo.svz"));
        unisci();
        f->click("cmdIndietro");
        for (int handle = 1; handle <= 3; ++handle) {
            QVERIFY(!f->t->program.elenco().Aperto(handle));
        }
        QVERIFY(f->t->screens().find<FrmCreaUnione>() == nullptr);
        QCOMPARE(f->t->screens().activeScreen(), &f->t->screens().get<FrmScelta>());

        f->openFromChoice<FrmCreaUnione>("OptNuovaUnione");
        QVERIFY(f->text("txtElenco1").isEmpty());
        f->t->dialogs.expectFile(apri(QString()), f->t->path("uno.svz"));
        f->click("cmdSfoglia1");
        f->screen->close();
        QVERIFY(!f->t->program.elenco().Aperto(1));
        QVERIFY(f->t->screens().find<FrmCreaUnione>() == nullptr);
    }
};

QTEST_MAIN(TestFrmCreaUnione)
#include "test_frm_crea_unione.moc"
