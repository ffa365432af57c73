#include "ControlloImporti.h"
#include "EntryFixture.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>

namespace {

const MessageBoxRequest kNuovaDomanda(
    QStringLiteral("La domanda di partecipazione al bando non è stata ancora registrata.\n"
                   "Scegliendo no i dati andranno persi.\n"
                   "Aggiungerla all'elenco?"),
    MessageButtons::YesNoCancel, MessageIcon::Question);

MessageBoxRequest discoPieno(const QString& cosa, const QString& file) {
    return {cosa + QStringLiteral(" non è stata registrata.\n"
                                  "Impossibile scrivere nel file \"%1\": spazio esaurito sul "
                                  "disco.\nI dati restano nel modulo: eliminata la causa, si può "
                                  "registrarli di nuovo.")
                       .arg(file),
            MessageButtons::Ok, MessageIcon::Critical};
}

}  // namespace

// Storing applications ("Successivo", "Salva modulo corrente", "Nuova
// domanda da compilare") on a list of three, and correcting record 2 in
// modify mode: what reaches the list file, messages and focus.
class TestEntryStoring : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EntryFixture> f;
    QByteArray prima;
    const QByteArray completo = EntryFixture::recordCompleto();

    bool schermoVuoto(const char* fuoco = "TxtCognRich") {
        ModuloDomanda vuoto;
        vuoto[Campo::DataRich] = vuoto[Campo::DataStud] = QStringLiteral("__/__/____");
        return f->entry->LeggiModulo() == vuoto && f->box(fuoco)->hasFocus();
    }

    // ModuloCompleto() with one box changed, typed and refused by `premi`
    // with `messaggio`: nothing written, the boxes as typed, the focus on
    // `fuoco`.
    void rifiutato(const char* casella, const QString& testo, const std::function<void()>& premi,
                   const MessageBoxRequest& messaggio, const char* fuoco) {
        ModuloDomanda modulo = ModuloCompleto();
        modulo[std::ranges::find_if(kCampi, [&](const DescrizioneCampo& campo) {
                   return qstrcmp(campo.casella, casella) == 0;
               })->campo] = testo;
        f->compila(modulo);
        f->dialogs.expectMessage(messaggio);
        premi();
        QVERIFY2(f->box(fuoco)->hasFocus(), casella);
        QCOMPARE(f->bytes(), prima);
        QVERIFY(f->entry->LeggiModulo() == modulo);
        QVERIFY(!f->stato.bDomandaSalvata);
    }
    void invio() {
        f->box("TxtIsee")->setFocus();
        QTest::keyClick(f->box("TxtIsee"), Qt::Key_Return);  // the default button, Successivo
    }

private slots:
    void init() {
        f = std::make_unique<EntryFixture>();
        f->apri(f->elenco(3));
        prima = f->bytes();
    }
    void cleanup() {
        QVERIFY(f->finish());
        f.reset();
    }

    void successivo_appends_each_application_and_clears_the_screen() {
        f->compila(ModuloCompleto());
        f->successivo();
        QCOMPARE(f->bytes(), prima + completo);
        QVERIFY(schermoVuoto());
        QCOMPARE(f->stato.nProssimoRecord, std::int16_t(5));
        QVERIFY(!f->stato.bDomandaSalvata);

        f->compila(ModuloCompleto());  // the same application again is a new record
        f->successivo();
        QCOMPARE(f->bytes(), prima + completo + completo);
    }

    void salva_stores_and_keeps_the_application_and_refuses_a_second_salva() {
        f->compila(ModuloCompleto());
        f->box("TxtNomeRich")->setFocus();
        f->action("mnuSalva")->trigger();
        QCOMPARE(f->bytes(), prima + completo);
        QVERIFY(f->entry->LeggiModulo() == ModuloCompleto());
        QVERIFY(f->box("TxtNomeRich")->hasFocus());
        QVERIFY(f->stato.bDomandaSalvata);

        f->dialogs.expectMessage(
            informazione(QStringLiteral("Domanda di partecipazione già registrata!")));
        QTest::keyClick(f->box("TxtNomeRich"), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(f->box("TxtNomeRich"), Qt::Key_Return);  // Successivo only clears
        QVERIFY(schermoVuoto("TxtNomeRich"));
        QCOMPARE(f->bytes(), prima + completo);
    }

    // One refusal for each way of storing.
    void a_refused_application_is_told_and_the_focus_moved() {
        rifiutato(
            "MskDataStud", "29/02/1900", [this] { f->action("mnuSalva")->trigger(); },
            EntryFixture::attenzione(" Data di Nascita dello Studente non valida"), "MskDataStud");
        rifiutato(
            "TxtViaRich", "Via Roma, 5", [this] { invio(); },
            informazione("Non inserire caratteri speciali quali ad esempio\n ' , . ; : ! ? "),
            "TxtIsee");  // the focus stays where it was
        f->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::Yes);
        rifiutato(
            "TxtCodFiscStud1", "RSSLCU00B69H501", [this] { f->action("mnuNuovo")->trigger(); },
            EntryFixture::attenzione(" Codice Fiscale dello Studente non valido"), "TxtCognRich");
    }

    void three_decimals_set_the_amount_to_0_before_the_isee_message() {
        ModuloDomanda modulo = ModuloCompleto();
        modulo[Campo::Spese] = QStringLiteral("100.125");
        modulo[Campo::Isee].clear();
        f->compila(modulo);
        f->dialogs
            .expectMessage(kMessaggioDecimali, MessageAnswer::Ok,
                           [this] { QCOMPARE(f->box("TxtSpese")->text(), "100.125"); })
            .expectMessage(EntryFixture::attenzione(" L'ISEE indicato non è un importo valido"),
                           MessageAnswer::Ok,
                           [this] { QCOMPARE(f->box("TxtSpese")->text(), "0"); });
        invio();
        QVERIFY(f->box("TxtIsee")->hasFocus());
        QCOMPARE(f->bytes(), prima);
        QTest::keyClicks(f->box("TxtSpese"), QStringLiteral(",5"));  // a point is let in again
        QCOMPARE(f->box("TxtSpese")->text(), QStringLiteral("0.5"));
    }

    void nuova_domanda_asks_only_for_a_filled_application_not_yet_stored() {
        ModuloDomanda senzaIsee = ModuloCompleto();
        senzaIsee[Campo::Isee].clear();
        f->compila(senzaIsee);
        QTest::keyClick(f->box("TxtNomeRich"), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(schermoVuoto());

        f->compila(ModuloCompleto());
        f->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::Cancel);
        f->action("mnuNuovo")->trigger();
        QVERIFY(f->entry->LeggiModulo() == ModuloCompleto());
        f->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::Yes);
        f->action("mnuNuovo")->trigger();
        QCOMPARE(f->bytes(), prima + completo);
        QVERIFY(schermoVuoto());

        f->compila(ModuloCompleto());
        f->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::No);
        f->action("mnuNuovo")->trigger();
        QVERIFY(schermoVuoto());

        f->compila(ModuloCompleto());
        f->action("mnuSalva")->trigger();
        f->action("mnuNuovo")->trigger();  // stored: nothing to lose, no question
        QVERIFY(schermoVuoto());
        QVERIFY(!f->stato.bDomandaSalvata);
        QCOMPARE(f->bytes(), prima + completo + completo);
    }

    void a_failed_write_keeps_everything_and_can_be_retried() {
        f->compila(ModuloCompleto());
        for (const char* comando : {"CmdAvanti", "mnuSalva"}) {
            f->fs.failOn(FailingFileSystem::Call::Write, 1, ENOSPC);
            f->dialogs.expectMessage(discoPieno("La domanda", f->file));
            comando[0] == 'C' ? f->successivo() : f->action(comando)->trigger();
            QCOMPARE(f->bytes(), prima);
            QVERIFY(f->entry->LeggiModulo() == ModuloCompleto());
            QCOMPARE(f->stato.nProssimoRecord, std::int16_t(4));
            QVERIFY(!f->stato.bDomandaSalvata);
        }
        f->successivo();
        QCOMPARE(f->bytes(), prima + completo);
    }

    void a_list_of_32767_applications_refuses_one_more() {
        // The 32,767th is stored, then none.
        {
            EntryFixture g;
            const QString grande = g.write(QStringLiteral("Grande.svz"), {});
            QVERIFY(QFile::resize(grande, qint64(32766) * kLunghezzaRecord));
            g.apri(grande);
            g.compila(ModuloCompleto());
            g.successivo();
            QCOMPARE(g.record(32767), completo);
            const MessageBoxRequest pieno(
                QStringLiteral("ATTENZIONE! L'elenco contiene già 32767 domande, il numero "
                               "massimo consentito: la domanda non può essere aggiunta.\n"
                               "Per le domande successive creare un nuovo elenco."),
                MessageButtons::Ok, MessageIcon::Exclamation);
            g.compila(ModuloCompleto());
            g.dialogs.expectMessage(pieno).expectMessage(pieno);
            g.successivo();
            g.action("mnuSalva")->trigger();
            QCOMPARE(QFileInfo(grande).size(), qint64(32767) * kLunghezzaRecord);
            QVERIFY(g.entry->LeggiModulo() == ModuloCompleto());
            QVERIFY(g.finish());
        }
    }
};

QTEST_MAIN(TestEntryStoring)
#include "test_entry_storing.moc"
