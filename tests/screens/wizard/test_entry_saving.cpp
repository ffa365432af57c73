#include "EntryFixture.h"
#include "FailingFileSystem.h"

#include <cerrno>

namespace {

const QString kGiaRegistrata = QStringLiteral("Domanda di partecipazione già registrata!");
const MessageBoxRequest kNuovaDomanda(
    QStringLiteral("La domanda di partecipazione al bando non è stata ancora registrata.\n"
                   "Scegliendo no i dati andranno persi.\n"
                   "Aggiungerla all'elenco?"),
    MessageButtons::YesNoCancel, MessageIcon::Question);

}  // namespace

class TestEntrySaving : public QObject {
    Q_OBJECT

private:
    FailingFileSystem fs;
    std::unique_ptr<EntryFixture> f;

    bool schermoVuoto() {
        const ModuloDomanda modulo = f->entry->LeggiModulo();
        return modulo.CognRich.isEmpty() && modulo.Isee.isEmpty() &&
               modulo.DataRich == QStringLiteral("__/__/____") &&
               modulo.DataStud == QStringLiteral("__/__/____") && modulo.CapStud.isEmpty();
    }

    MessageBoxRequest discoPieno() const {
        return {QStringLiteral("La domanda non è stata registrata.\n"
                               "Impossibile scrivere nel file \"%1\": spazio esaurito sul disco.\n"
                               "I dati restano nel modulo: eliminata la causa, si può "
                               "registrarli di nuovo.")
                    .arg(f->file),
                MessageButtons::Ok, MessageIcon::Critical};
    }

private slots:
    void init() {
        fs.clearFailures();
        f = std::make_unique<EntryFixture>(fs);
        f->apri(f->t->path(QStringLiteral("Elenco.svz")));
    }
    void cleanup() {
        QVERIFY(f->t->finish());
        f.reset();
    }

    void successivo_writes_record_one_then_two_and_clears_the_screen() {
        f->compila(ModuloCompleto());
        f->successivo();

        QCOMPARE(f->byteDelFile(), EntryFixture::recordCompleto());
        QVERIFY(schermoVuoto());
        QVERIFY(f->box("TxtCognRich")->hasFocus());
        QCOMPARE(f->t->stato().nProssimoRecord, std::int16_t(2));
        QVERIFY(!f->t->stato().bDomandaSalvata);

        ModuloDomanda seconda = ModuloCompleto();
        seconda.CognRich = QStringLiteral("verdi");
        f->compila(seconda);
        f->successivo();
        QCOMPARE(f->byteDelFile().size(), 2 * kLunghezzaRecord);
        QCOMPARE(f->record(2).left(30), QByteArray("VERDI").leftJustified(30, ' '));
    }

    void two_identical_applications_are_both_appended() {
        for (int volta = 0; volta < 3; ++volta) {
            f->compila(ModuloCompleto());
            f->successivo();
        }
        const QByteArray atteso = EntryFixture::recordCompleto();
        QCOMPARE(f->byteDelFile(), atteso + atteso + atteso);  // the third starts at 836
    }

    void salva_keeps_the_application_and_refuses_a_second_salva() {
        f->compila(ModuloCompleto());
        f->box("TxtNomeRich")->setFocus();
        f->action("mnuSalva")->trigger();
        QCOMPARE(f->byteDelFile(), EntryFixture::recordCompleto());
        QCOMPARE(f->entry->LeggiModulo().NomeRich, QStringLiteral("mario"));
        QVERIFY(f->box("TxtNomeRich")->hasFocus());
        QVERIFY(f->t->stato().bDomandaSalvata);

        f->t->dialogs.expectMessage(informazione(kGiaRegistrata));
        f->action("mnuSalva")->trigger();
        f->successivo();  // only clears
        QVERIFY(schermoVuoto());
        QCOMPARE(f->byteDelFile().size(), kLunghezzaRecord);

        ModuloDomanda prossima = ModuloCompleto();
        prossima.CodFiscRich = QStringLiteral("corto");
        f->t->dialogs.expectMessage(
            EntryFixture::attenzione(QStringLiteral(" Codice Fiscale del Richiedente non valido")));
        f->compila(prossima);
        f->successivo();  // validated again, refused
        QCOMPARE(f->byteDelFile().size(), kLunghezzaRecord);
        QCOMPARE(f->t->stato().nProssimoRecord, std::int16_t(2));
    }

    void salva_uses_its_own_selection_of_checks() {
        ModuloDomanda modulo = ModuloCompleto();
        modulo.CodFiscRich.clear();
        modulo.ViaRich = QStringLiteral("Via Roma, 5");
        modulo.Spese = QStringLiteral("1.12345");
        f->compila(modulo);
        QTest::keyClick(f->box("TxtIsee"), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f->record(1).mid(100, 16), QByteArray(16, ' '));
        QCOMPARE(f->record(1).mid(146, 11), QByteArray("VIA ROMA, 5"));
    }

    void nuova_domanda_with_isee_empty_clears_without_a_question() {
        ModuloDomanda modulo = ModuloCompleto();
        modulo.Isee.clear();
        f->compila(modulo);
        QTest::keyClick(f->box("TxtNomeRich"), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(schermoVuoto());
        QVERIFY(f->box("TxtCognRich")->hasFocus());
    }

    void nuova_domanda_yes_with_a_bad_student_code_writes_nothing() {
        ModuloDomanda modulo = ModuloCompleto();
        modulo.CodFiscStud = QStringLiteral("RSSLCU00B69H501");
        f->compila(modulo);
        f->t->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::Yes)
            .expectMessage(EntryFixture::attenzione(
                QStringLiteral(" Codice Fiscale dello Studente non valido")));
        f->action("mnuNuovo")->trigger();
        QCOMPARE(f->byteDelFile().size(), 0);
        QVERIFY(f->box("TxtCognRich")->hasFocus());
        QCOMPARE(f->entry->LeggiModulo().CodFiscStud, QStringLiteral("RSSLCU00B69H501"));
    }

    void nuova_domanda_answers_store_drop_or_keep() {
        f->compila(ModuloCompleto());
        f->t->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::Cancel);
        f->action("mnuNuovo")->trigger();
        QCOMPARE(f->entry->LeggiModulo().CognRich, QStringLiteral("  rossi "));
        QVERIFY(f->box("TxtCognRich")->hasFocus());

        f->t->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::Yes);
        f->action("mnuNuovo")->trigger();
        QCOMPARE(f->byteDelFile(), EntryFixture::recordCompleto());
        QVERIFY(schermoVuoto());

        f->compila(ModuloCompleto());
        f->t->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::No);
        f->action("mnuNuovo")->trigger();
        QVERIFY(schermoVuoto());
        QCOMPARE(f->byteDelFile().size(), kLunghezzaRecord);
    }

    void nuova_domanda_after_salva_clears_without_a_question() {
        f->compila(ModuloCompleto());
        f->action("mnuSalva")->trigger();
        f->action("mnuNuovo")->trigger();
        QVERIFY(schermoVuoto());
        QVERIFY(!f->t->stato().bDomandaSalvata);
        QCOMPARE(f->byteDelFile().size(), kLunghezzaRecord);
    }

    void a_failed_write_keeps_everything_and_can_be_retried() {
        f->compila(ModuloCompleto());
        fs.failOn(FailingFileSystem::Call::Write, 1, ENOSPC);
        f->t->dialogs.expectMessage(discoPieno());
        f->successivo();
        QCOMPARE(f->byteDelFile().size(), 0);
        QVERIFY(f->entry->LeggiModulo() == ModuloCompleto());
        QCOMPARE(f->t->stato().nProssimoRecord, std::int16_t(1));

        f->successivo();
        QCOMPARE(f->byteDelFile(), EntryFixture::recordCompleto());
    }

    void a_failed_salva_leaves_the_application_unstored() {
        f->compila(ModuloCompleto());
        fs.failOn(FailingFileSystem::Call::Write, 1, ENOSPC);
        f->t->dialogs.expectMessage(discoPieno());
        f->action("mnuSalva")->trigger();
        QVERIFY(!f->t->stato().bDomandaSalvata);
        QCOMPARE(f->t->stato().nProssimoRecord, std::int16_t(1));
        QCOMPARE(f->byteDelFile().size(), 0);
    }
};

// A list at the limit of the 16-bit record numbers.
class TestEntryFullList : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EntryFixture> f;

    void apriConDomande(int domande) {
        f = std::make_unique<EntryFixture>();
        const QString percorso = f->t->path(QStringLiteral("Grande.svz"));
        QFile out(percorso);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QVERIFY(out.resize(qint64(domande) * kLunghezzaRecord));
        out.close();
        f->apri(percorso);
    }

    const MessageBoxRequest kPieno{
        QStringLiteral("ATTENZIONE! L'elenco contiene già 32767 domande, il numero massimo "
                       "consentito: la domanda non può essere aggiunta.\n"
                       "Per le domande successive creare un nuovo elenco."),
        MessageButtons::Ok, MessageIcon::Exclamation};

private slots:
    void cleanup() {
        QVERIFY(f->t->finish());
        f.reset();
    }

    void the_last_number_is_written_and_the_next_refused() {
        apriConDomande(32766);
        QCOMPARE(f->t->stato().nProssimoRecord, std::int16_t(32767));
        f->compila(ModuloCompleto());
        f->successivo();
        QCOMPARE(f->byteDelFile().size(), qsizetype(32767) * kLunghezzaRecord);
        QCOMPARE(f->record(32767), EntryFixture::recordCompleto());

        f->compila(ModuloCompleto());
        f->t->dialogs.expectMessage(kPieno);
        f->successivo();
        QCOMPARE(f->byteDelFile().size(), qsizetype(32767) * kLunghezzaRecord);
        QCOMPARE(f->entry->LeggiModulo().CognRich, QStringLiteral("  rossi "));
    }

    void a_list_beyond_the_limit_refuses_salva_too() {
        apriConDomande(32768);
        f->compila(ModuloCompleto());
        f->t->dialogs.expectMessage(kPieno);
        f->action("mnuSalva")->trigger();
        QCOMPARE(f->byteDelFile().size(), qsizetype(32768) * kLunghezzaRecord);
        QVERIFY(!f->t->stato().bDomandaSalvata);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int status = 0;
    {
        TestEntrySaving test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        TestEntryFullList test;
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}

#include "test_entry_saving.moc"
