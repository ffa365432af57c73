#include "ErroreDiSistema.h"
#include "FailingFileSystem.h"
#include "MergeFixture.h"
#include "merge/FrmCreaUnione.h"

#include <cerrno>

// Merges refused before writing, and failures part-way.
class TestFrmCreaUnioneGuasti : public QObject {
    Q_OBJECT

private:
    FailingFileSystem fs;
    std::unique_ptr<MergeFixture> f;
    const QByteArray primo = MergeFixture::records("PRIMO", 2);
    const QByteArray secondo = MergeFixture::records("SECONDO", 3);

private slots:
    void init() {
        fs.clearFailures();
        f = std::make_unique<MergeFixture>(std::make_unique<ProgramUnderTest>(fs));
        f->openThrough<FrmCreaUnione>("OptNuovaUnione");
    }
    void cleanup() {
        QVERIFY(f->t->finish());
        f.reset();
    }

    void a_disk_full_part_way_leaves_no_new_list_and_the_sources_alone() {
        const QString nuovo = f->t->path("nuovo.svz");
        f->chooseForMerge(f->write("uno.svz", primo), f->write("due.svz", secondo), nuovo);
        fs.failOn(FailingFileSystem::Call::Write, 4, ENOSPC);
        f->t->dialogs.expectMessage(
            critico(ErroreDiSistema(ENOSPC, QStringLiteral("Impossibile scrivere nel file"), nuovo)
                        .message +
                    QStringLiteral("\nIl nuovo elenco non è stato creato.")));

        f->click("cmdUnisci");

        QCOMPARE(f->folderEntries(), (QStringList{"due.svz", "uno.svz"}));
        QCOMPARE(f->read("uno.svz"), primo);
        QCOMPARE(f->read("due.svz"), secondo);
        QVERIFY(!f->t->program.elenco().Aperto(3));
    }

    void a_failed_flush_leaves_a_replaced_list_as_it_was() {
        const QByteArray vecchio = MergeFixture::records("VECCHIO", 7);
        const QString nuovo = f->write("nuovo.svz", vecchio);
        f->chooseForMerge(f->write("uno.svz", primo), f->write("due.svz", secondo), nuovo);
        fs.failOn(FailingFileSystem::Call::Flush, 1, EIO);
        f->t->dialogs
            .expectMessage({QStringLiteral("Il file \"%1\" esiste già e non è vuoto.\nSostituirlo "
                                           "con l'unione dei due elenchi? Il suo contenuto "
                                           "attuale andrà perso.")
                                .arg(nuovo),
                            MessageButtons::YesNo, MessageIcon::Question, true},
                           MessageAnswer::Yes)
            .expectMessage(critico(
                ErroreDiSistema(EIO, QStringLiteral("Impossibile salvare sul disco il file"), nuovo)
                    .message +
                QStringLiteral("\nIl file \"%1\" è rimasto com'era.").arg(nuovo)));

        f->click("cmdUnisci");

        QCOMPARE(f->read("nuovo.svz"), vecchio);
        QCOMPARE(f->folderEntries(), (QStringList{"due.svz", "nuovo.svz", "uno.svz"}));
    }

    void a_source_beyond_the_counter_is_refused_before_anything_is_written() {
        const QString nuovo = f->t->path("nuovo.svz");
        f->chooseForMerge(f->writeSized("grande.svz", 32767), f->write("due.svz", secondo), nuovo);
        f->t->dialogs.expectMessage(informazione(
            QStringLiteral("L'elenco n. 1 contiene 32.767 domande: da un elenco se ne possono "
                           "copiare al massimo 32.766.\nNessun file è stato modificato.")));
        f->click("cmdUnisci");
        QVERIFY(!QFileInfo::exists(nuovo));
    }

    void a_result_beyond_the_record_numbers_is_refused_before_the_overwrite_question() {
        const QByteArray vecchio = MergeFixture::records("VECCHIO", 1);
        const QString nuovo = f->write("nuovo.svz", vecchio);
        f->chooseForMerge(f->writeSized("uno.svz", 16384), f->writeSized("due.svz", 16384), nuovo);
        f->t->dialogs.expectMessage(informazione(QStringLiteral(
            "L'elenco n. 1 contiene 16.384 domande e l'elenco n. 2 ne contiene 16.384: insieme "
            "sarebbero 32.768, ma un elenco può contenere al massimo 32.767 domande.\nNessun "
            "file è stato modificato.")));
        f->click("cmdUnisci");
        QCOMPARE(f->read("nuovo.svz"), vecchio);
    }
};

QTEST_MAIN(TestFrmCreaUnioneGuasti)
#include "test_frm_crea_unione_guasti.moc"
