#include "ControlloImporti.h"
#include "EntryFixture.h"
#include "FailingFileSystem.h"

#include <QFileInfo>

#include <cerrno>

namespace {

const MessageBoxRequest kNuovaDomanda(
    QStringLiteral("La domanda di partecipazione al bando non è stata ancora registrata.\n"
                   "Scegliendo no i dati andranno persi.\n"
                   "Aggiungerla all'elenco?"),
    MessageButtons::YesNoCancel, MessageIcon::Question);

}  // namespace

// Storing applications with "Successivo", "Salva modulo corrente" and
// "Nuova domanda da compilare", and what reaches the list file.
class TestEntrySaving : public QObject {
    Q_OBJECT

private:
    FailingFileSystem fs;
    std::unique_ptr<EntryFixture> f;

    bool schermoVuoto() {
        ModuloDomanda vuoto;
        vuoto.DataRich = vuoto.DataStud = QStringLiteral("__/__/____");
        return f->entry->LeggiModulo() == vuoto && f->box("TxtCognRich")->hasFocus();
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
        f->apri(f->path(QStringLiteral("Elenco.svz")));  // a missing list is created empty
    }
    void cleanup() {
        QVERIFY(f->finish());
        f.reset();
    }

    void successivo_appends_each_application_and_clears_the_screen() {
        f->compila(ModuloCompleto());
        f->successivo();
        QCOMPARE(f->bytes(), EntryFixture::recordCompleto());
        QVERIFY(schermoVuoto());
        QCOMPARE(f->stato().nProssimoRecord, std::int16_t(2));
        QVERIFY(!f->stato().bDomandaSalvata);

        f->compila(ModuloCompleto());  // the same application again is a new record
        f->successivo();
        QCOMPARE(f->bytes(), EntryFixture::recordCompleto() + EntryFixture::recordCompleto());
        QCOMPARE(f->stato().nProssimoRecord, std::int16_t(3));
    }

    void salva_stores_and_keeps_the_application_and_refuses_a_second_salva() {
        f->compila(ModuloCompleto());
        f->box("TxtNomeRich")->setFocus();
        f->action("mnuSalva")->trigger();
        QCOMPARE(f->bytes(), EntryFixture::recordCompleto());
        QVERIFY(f->entry->LeggiModulo() == ModuloCompleto());
        QVERIFY(f->box("TxtNomeRich")->hasFocus());
        QVERIFY(f->stato().bDomandaSalvata);

        f->dialogs.expectMessage(
            informazione(QStringLiteral("Domanda di partecipazione già registrata!")));
        QTest::keyClick(f->box("TxtNomeRich"), Qt::Key_S, Qt::ControlModifier);
        f->successivo();  // only clears
        QVERIFY(schermoVuoto());
        QCOMPARE(f->bytes().size(), kLunghezzaRecord);

        ModuloDomanda prossima = ModuloCompleto();
        prossima.CodFiscRich = QStringLiteral("corto");
        f->compila(prossima);
        f->dialogs.expectMessage(
            EntryFixture::attenzione(QStringLiteral(" Codice Fiscale del Richiedente non valido")));
        f->successivo();  // checked again, refused
        QCOMPARE(f->bytes().size(), kLunghezzaRecord);
        QCOMPARE(f->stato().nProssimoRecord, std::int16_t(2));
    }

    void salva_skips_the_checks_it_does_not_make() {
        ModuloDomanda modulo = ModuloCompleto();
        modulo.CodFiscRich.clear();
        modulo.ViaRich = QStringLiteral("Via Roma, 5");
        f->compila(modulo);
        f->action("mnuSalva")->trigger();
        QCOMPARE(f->record(1).mid(100, 16), QByteArray(16, ' '));
        QCOMPARE(f->record(1).mid(146, 11), QByteArray("VIA ROMA, 5"));
    }

    void a_refused_application_is_told_and_the_focus_moved_data() {
        QTest::addColumn<QString>("casella");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QString>("messaggio");
        QTest::addColumn<QString>("fuoco");
        QTest::newRow("Enter on the Isee: a date that is not in the calendar")
            << "MskDataStud"
            << "29/02/1900"
            << "Enter"
            << "ATTENZIONE!\n Data di Nascita dello Studente non valida"
            << "MskDataStud";
        QTest::newRow("Enter on the Isee: a comma in the street leaves the focus")
            << "TxtViaRich"
            << "Via Roma, 5"
            << "Enter"
            << "Non inserire caratteri speciali quali ad esempio\n ' , . ; : ! ? "
            << "TxtIsee";
        QTest::newRow("Salva: a character the list cannot hold")
            << "TxtCognRich"
            << "Wał"
            << "mnuSalva"
            << "ATTENZIONE!\n Il carattere \"ł\" della casella Cognome del richiedente non può "
               "essere registrato nell'elenco: sostituirlo."
            << "TxtCognRich";
        QTest::newRow("Nuova domanda, Yes: a short student code, then the surname")
            << "TxtCodFiscStud1"
            << "RSSLCU00B69H501"
            << "mnuNuovo"
            << "ATTENZIONE!\n Codice Fiscale dello Studente non valido"
            << "TxtCognRich";
    }
    void a_refused_application_is_told_and_the_focus_moved() {
        QFETCH(QString, casella);
        QFETCH(QString, testo);
        QFETCH(QString, comando);
        QFETCH(QString, messaggio);
        QFETCH(QString, fuoco);
        ModuloDomanda modulo = ModuloCompleto();
        TestoDi(modulo, kCaselle[kNomiCaselle.indexOf(casella)].casella) = testo;
        f->compila(modulo);
        if (comando == "mnuNuovo") {
            f->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::Yes);
        }
        const bool speciali = messaggio.startsWith("Non inserire");
        f->dialogs.expectMessage({messaggio, MessageButtons::Ok,
                                  speciali ? MessageIcon::Information : MessageIcon::Exclamation});
        if (comando == "Enter") {
            f->box("TxtIsee")->setFocus();
            QTest::keyClick(f->box("TxtIsee"), Qt::Key_Return);
        } else {
            f->action(qPrintable(comando))->trigger();
        }
        QVERIFY(f->box(fuoco)->hasFocus());
        QCOMPARE(f->bytes().size(), 0);
        QVERIFY(f->entry->LeggiModulo() == modulo);
        QVERIFY(!f->stato().bDomandaSalvata);
    }

    void three_decimals_set_the_amount_to_0_before_the_isee_message() {
        ModuloDomanda modulo = ModuloCompleto();
        modulo.Spese = QStringLiteral("100.125");
        modulo.Isee.clear();
        f->compila(modulo);
        f->dialogs
            .expectMessage(kMessaggioDecimali, MessageAnswer::Ok,
                           [this] { QCOMPARE(f->box("TxtSpese")->text(), "100.125"); })
            .expectMessage(EntryFixture::attenzione(
                               QStringLiteral(" L'ISEE indicato non è un importo valido")),
                           MessageAnswer::Ok,
                           [this] { QCOMPARE(f->box("TxtSpese")->text(), "0"); });
        QTest::keyClick(f->box("TxtIsee"), Qt::Key_Return);
        QVERIFY(f->box("TxtIsee")->hasFocus());
        QCOMPARE(f->bytes().size(), 0);
        QTest::keyClicks(f->box("TxtSpese"), QStringLiteral(",5"));  // a point is let in again
        QCOMPARE(f->box("TxtSpese")->text(), QStringLiteral("0.5"));
    }

    void nuova_domanda_asks_only_for_a_filled_application_not_yet_stored() {
        ModuloDomanda senzaIsee = ModuloCompleto();
        senzaIsee.Isee.clear();
        f->compila(senzaIsee);
        QTest::keyClick(f->box("TxtNomeRich"), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(schermoVuoto());

        f->compila(ModuloCompleto());
        f->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::Cancel);
        f->action("mnuNuovo")->trigger();
        QVERIFY(f->entry->LeggiModulo() == ModuloCompleto());
        f->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::Yes);
        f->action("mnuNuovo")->trigger();
        QCOMPARE(f->bytes(), EntryFixture::recordCompleto());
        QVERIFY(schermoVuoto());

        f->compila(ModuloCompleto());
        f->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::No);
        f->action("mnuNuovo")->trigger();
        QVERIFY(schermoVuoto());

        f->compila(ModuloCompleto());
        f->action("mnuSalva")->trigger();
        f->action("mnuNuovo")->trigger();  // stored: nothing to lose, no question
        QVERIFY(schermoVuoto());
        QVERIFY(!f->stato().bDomandaSalvata);
        QCOMPARE(f->bytes(), EntryFixture::recordCompleto() + EntryFixture::recordCompleto());
    }

    void a_failed_write_keeps_everything_and_can_be_retried() {
        f->compila(ModuloCompleto());
        fs.failOn(FailingFileSystem::Call::Write, 1, ENOSPC);
        f->dialogs.expectMessage(discoPieno());
        f->successivo();
        fs.failOn(FailingFileSystem::Call::Write, 1, ENOSPC);
        f->dialogs.expectMessage(discoPieno());
        f->action("mnuSalva")->trigger();
        QVERIFY(!f->stato().bDomandaSalvata);
        QCOMPARE(f->bytes().size(), 0);
        QVERIFY(f->entry->LeggiModulo() == ModuloCompleto());
        QCOMPARE(f->stato().nProssimoRecord, std::int16_t(1));

        f->successivo();
        QCOMPARE(f->bytes(), EntryFixture::recordCompleto());
    }

    void a_list_at_32767_applications_refuses_one_more_data() {
        QTest::addColumn<int>("domande");
        QTest::newRow("the 32767th stored, then none") << 32766;
        QTest::newRow("a list already beyond the limit") << 32768;
    }
    void a_list_at_32767_applications_refuses_one_more() {
        QFETCH(int, domande);
        f = std::make_unique<EntryFixture>(fs);
        const QString grande = f->write(QStringLiteral("Grande.svz"), {});
        QVERIFY(QFile::resize(grande, qint64(domande) * kLunghezzaRecord));
        f->apri(grande);
        if (domande < 32767) {
            f->compila(ModuloCompleto());
            f->successivo();
            QCOMPARE(f->record(32767), EntryFixture::recordCompleto());
        }
        const qint64 lunghezza = QFileInfo(grande).size();
        QCOMPARE(lunghezza, qint64(qMax(domande, 32767)) * kLunghezzaRecord);
        const MessageBoxRequest pieno(
            QStringLiteral("ATTENZIONE! L'elenco contiene già 32767 domande, il numero massimo "
                           "consentito: la domanda non può essere aggiunta.\n"
                           "Per le domande successive creare un nuovo elenco."),
            MessageButtons::Ok, MessageIcon::Exclamation);
        f->compila(ModuloCompleto());
        f->dialogs.expectMessage(pieno).expectMessage(pieno);
        f->successivo();
        f->action("mnuSalva")->trigger();
        QCOMPARE(QFileInfo(grande).size(), lunghezza);
        QVERIFY(f->entry->LeggiModulo() == ModuloCompleto());
        QVERIFY(!f->stato().bDomandaSalvata);
    }
};

QTEST_MAIN(TestEntrySaving)
#include "test_entry_saving.moc"
