#include "ControlloImporti.h"
#include "EntryFixture.h"
#include "ErroreDiSistema.h"

#include <cerrno>

namespace {

const MessageBoxRequest kNuovaDomanda(
    QStringLiteral("La domanda di partecipazione al bando non è stata ancora registrata.\n"
                   "Scegliendo no i dati andranno persi.\n"
                   "Aggiungerla all'elenco?"),
    MessageButtons::YesNoCancel, MessageIcon::Question);

// The message of a refused box.
MessageBoxRequest attenzione(const QString& testo) {
    return {QStringLiteral("ATTENZIONE!\n") + testo, MessageButtons::Ok, MessageIcon::Exclamation};
}

}  // namespace

// Storing applications ("Successivo", "Salva modulo corrente", "Nuova
// domanda da compilare") on a list of three: what reaches the list file,
// messages and focus.
class TestEntryStoring : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EntryFixture> f;
    QByteArray prima;
    const QByteArray completo = RecordCompleti(0);  // ModuloCompleto() as stored

    bool schermoVuoto(const char* fuoco = "TxtCognRich") {
        ModuloDomanda vuoto;
        vuoto[Campo::DataRich] = vuoto[Campo::DataStud] = QStringLiteral("__/__/____");
        return f->entry->LeggiModulo() == vuoto && f->box(fuoco)->hasFocus();
    }

    // ModuloCompleto() with one box changed, typed and refused by `premi`
    // with `messaggio`: nothing written, the boxes as typed, the focus on
    // `fuoco`.
    void rifiutato(Campo campo, const QString& testo, const std::function<void()>& premi,
                   const MessageBoxRequest& messaggio, const char* fuoco) {
        ModuloDomanda modulo = ModuloCompleto();
        modulo[campo] = testo;
        f->compila(modulo);
        f->dialogs.expectMessage(messaggio);
        premi();
        QVERIFY2(f->box(fuoco)->hasFocus(), fuoco);
        QCOMPARE(f->bytes(), prima);
        QVERIFY(f->entry->LeggiModulo() == modulo);
    }
    void invio() {
        f->box("TxtIsee")->setFocus();
        QTest::keyClick(f->box("TxtIsee"), Qt::Key_Return);  // the default button, Successivo
    }

private slots:
    void init() {
        f = std::make_unique<EntryFixture>();
        f->entry = f->openEntry(f->elenco(3));
        prima = f->bytes();
    }
    void cleanup() {
        QVERIFY(f->finish());
        f.reset();
    }

    // A failed Salva keeps everything and can be retried (the other ways of
    // storing are swept by test_guasti); each Successivo appends an
    // application and clears the screen (two in a row: nuova_domanda_...).
    void successivo_appends_each_application_once_it_can_be_written() {
        f->compila(ModuloCompleto());
        f->fs.failOn(FailingFileSystem::Call::Write, 1, ENOSPC);
        f->dialogs.goingOn.emplace();
        f->action("mnuSalva")->trigger();
        QVERIFY(f->dialogs.told(DescrizioneErrore(ENOSPC)));
        f->dialogs.goingOn.reset();
        QCOMPARE(f->bytes(), prima);
        QVERIFY(f->entry->LeggiModulo() == ModuloCompleto());
        f->click(*f->entry, {"CmdAvanti"});  // not taken as stored: it stores
        QCOMPARE(f->bytes(), prima + completo);
        QVERIFY(schermoVuoto());
    }

    void salva_stores_and_keeps_the_application_and_refuses_a_second_salva() {
        f->compila(ModuloCompleto());
        f->box("TxtNomeRich")->setFocus();
        f->action("mnuSalva")->trigger();
        QCOMPARE(f->bytes(), prima + completo);
        QVERIFY(f->entry->LeggiModulo() == ModuloCompleto());
        QVERIFY(f->box("TxtNomeRich")->hasFocus());

        f->dialogs.expectMessage(informazione("Domanda di partecipazione già registrata!"));
        QTest::keyClick(f->box("TxtNomeRich"), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(f->box("TxtNomeRich"), Qt::Key_Return);  // Successivo only clears
        QVERIFY(schermoVuoto("TxtNomeRich"));
        QCOMPARE(f->bytes(), prima + completo);
    }

    // One refusal for each way of storing.
    void a_refused_application_is_told_and_the_focus_moved() {
        rifiutato(
            Campo::DataStud, "29/02/1900", [this] { f->action("mnuSalva")->trigger(); },
            attenzione(" Data di Nascita dello Studente non valida"), "MskDataStud");
        rifiutato(
            Campo::ViaRich, "Via Roma, 5", [this] { invio(); },
            informazione("Non inserire caratteri speciali quali ad esempio\n ' , . ; : ! ? "),
            "TxtIsee");  // the focus stays where it was
        f->dialogs.expectMessage(kNuovaDomanda, MessageAnswer::Yes);
        rifiutato(
            Campo::CodFiscStud, "RSSLCU00B69H501", [this] { f->action("mnuNuovo")->trigger(); },
            attenzione(" Codice Fiscale dello Studente non valido"), "TxtCognRich");
    }

    // Each amount is told and set to 0 in turn; a point is let in again.
    void three_decimals_set_the_amount_to_0_before_the_next_message() {
        ModuloDomanda modulo = ModuloCompleto();
        modulo[Campo::Spese] = QStringLiteral("100.125");
        modulo[Campo::Isee] = QStringLiteral("1.2345");
        f->compila(modulo);
        f->dialogs
            .expectMessage(kMessaggioDecimali, MessageAnswer::Ok,
                           [this] { QCOMPARE(f->box("TxtSpese")->text(), "100.125"); })
            .expectMessage(kMessaggioDecimali, MessageAnswer::Ok,
                           [this] { QCOMPARE(f->box("TxtSpese")->text(), "0"); });
        invio();
        QVERIFY(f->box("TxtIsee")->hasFocus());
        QCOMPARE(f->bytes(), prima);
        for (const char* importo : {"TxtSpese", "TxtIsee"}) {
            QTest::keyClicks(f->box(importo), QStringLiteral(",5"));
            QCOMPARE(f->box(importo)->text(), QStringLiteral("0.5"));
        }
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
        f->compila(ModuloCompleto());  // a new one, stored after it
        f->action("mnuSalva")->trigger();
        QCOMPARE(f->bytes(), prima + completo + completo + completo);
    }

    // The 32,767th application is stored, then none.
    void a_list_of_32767_applications_refuses_one_more() {
        EntryFixture g;
        const QByteArray piena(32766 * kLunghezzaRecord, ' ');
        g.entry = g.openEntry(g.write(QStringLiteral("Grande.svz"), piena));
        g.compila(ModuloCompleto());
        g.click(*g.entry, {"CmdAvanti"});
        g.compila(ModuloCompleto());
        g.dialogs.goingOn.emplace();
        g.click(*g.entry, {"CmdAvanti"});
        g.action("mnuSalva")->trigger();
        QVERIFY(g.dialogs.told("32767"));
        QVERIFY(g.bytes() == piena + completo);
        QVERIFY(g.entry->LeggiModulo() == ModuloCompleto());
    }
};

QTEST_MAIN(TestEntryStoring)
#include "test_entry_storing.moc"
