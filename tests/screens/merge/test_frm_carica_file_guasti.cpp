#include "ErroreDiSistema.h"
#include "FailingFileSystem.h"
#include "FileElenco.h"
#include "MergeFixture.h"
#include "merge/FrmCaricaFile.h"

#include <cerrno>

namespace {

const QString kNessunaModifica = QStringLiteral("\nNessun file è stato modificato.");
const QString kRiportato = QStringLiteral(
    "\nL'elenco n. 1 è stato riportato com'era: non è stata aggiunta nessuna domanda.");

QString motivo(int errore, const char* azione, const QString& percorso) {
    return ErroreDiSistema(errore, QString::fromUtf8(azione), percorso).message;
}

}  // namespace

// Appends that are refused before writing, and failures part-way.
class TestFrmCaricaFileGuasti : public QObject {
    Q_OBJECT

private:
    FailingFileSystem fs;
    std::unique_ptr<MergeFixture> f;

private slots:
    void init() {
        fs.clearFailures();
        f = std::make_unique<MergeFixture>(std::make_unique<ProgramUnderTest>(fs));
        f->openThrough<FrmCaricaFile>("OptUnione");
    }
    void cleanup() {
        QVERIFY(f->t->finish());
        f.reset();
    }

    void a_list_two_beyond_the_counter_is_refused_with_its_count() {
        const QByteArray primo = MergeFixture::records("PRIMO", 1);
        f->chooseLists(f->write("uno.svz", primo), f->writeSized("grande.svz", 32767));
        f->t->dialogs.expectMessage(
            informazione(QStringLiteral("L'elenco n. 2 contiene 32.767 domande: da un elenco se "
                                        "ne possono copiare al massimo 32.766.") +
                         kNessunaModifica));
        f->click("cmdOk");
        QCOMPARE(f->read("uno.svz"), primo);
    }

    void a_result_beyond_the_record_numbers_is_refused_with_the_counts() {
        const QByteArray secondo = MergeFixture::records("SECONDO", 2);
        f->chooseLists(f->writeSized("pieno.svz", 32766), f->write("due.svz", secondo));
        f->t->dialogs.expectMessage(informazione(
            QStringLiteral("L'elenco n. 1 contiene 32.766 domande e l'elenco n. 2 ne contiene 2: "
                           "insieme sarebbero 32.768, ma un elenco può contenere al massimo "
                           "32.767 domande.") +
            kNessunaModifica));
        f->click("cmdOk");
        QCOMPARE(QFileInfo(f->t->path("pieno.svz")).size(), 32766 * kLunghezzaRecord);
    }

    void a_disk_full_part_way_leaves_list_one_as_it_was_and_says_why() {
        const QByteArray primo = MergeFixture::records("PRIMO", 3);
        const QByteArray secondo = MergeFixture::records("SECONDO", 4);
        const QString uno = f->write("uno.svz", primo);
        f->chooseLists(uno, f->write("due.svz", secondo));
        fs.failOn(FailingFileSystem::Call::Write, 3, ENOSPC);
        f->t->dialogs.expectMessage(
            critico(motivo(ENOSPC, "Impossibile scrivere nel file", uno) + kRiportato));
        f->click("cmdOk");
        QCOMPARE(f->read("uno.svz"), primo);
        QCOMPARE(f->read("due.svz"), secondo);

        // Once the disk has room again the same screen appends the whole list.
        f->t->dialogs.expectMessage(informazione(QStringLiteral("Operazione completata")));
        f->click("cmdOk");
        QCOMPARE(f->read("uno.svz"), primo + secondo);
    }

    void a_failed_flush_takes_back_every_record() {
        const QByteArray primo = MergeFixture::records("PRIMO", 2);
        const QString uno = f->write("uno.svz", primo);
        f->chooseLists(uno, f->write("due.svz", MergeFixture::records("SECONDO", 3)));
        fs.failOn(FailingFileSystem::Call::Flush, 1, EIO);
        f->t->dialogs.expectMessage(
            critico(motivo(EIO, "Impossibile salvare sul disco il file", uno) + kRiportato));
        f->click("cmdOk");
        QCOMPARE(f->read("uno.svz"), primo);
    }

    void a_list_that_cannot_be_opened_is_reported_and_leaves_the_slot_empty() {
        const QString uno = f->write("uno.svz", {});
        QVERIFY(QDir(f->t->folder.path()).mkdir(QStringLiteral("cartella.svz")));
        const QString cartella = f->t->path("cartella.svz");
        f->t->dialogs.expectFile(apri(QString()), uno).expectFile(apri(uno), cartella);
        f->click("cmdSfoglia1");
        f->t->dialogs.expectMessage(
            critico(motivo(EISDIR, "Impossibile aprire il file", cartella)));
        f->click("cmdSfoglia1");
        QVERIFY(!f->t->program.elenco().Aperto(1));
        QVERIFY(f->text("txtElenco1").isEmpty());
    }
};

QTEST_MAIN(TestFrmCaricaFileGuasti)
#include "test_frm_carica_file_guasti.moc"
