#include "EntryFixture.h"
#include "FileElenco.h"
#include "search/FrmRicerca.h"
#include "summary/FrmRiepilogo.h"
#include "wizard/FrmInfo.h"
#include "wizard/FrmScelta.h"

#include <QDir>
#include <QLabel>

namespace {

const QString kNonVuoto = QStringLiteral(
    " ATTENZIONE! Impossibile sovrascrivere un file esistente.\n"
    "E' necessario creare un file totalmente nuovo. Tornare al menu precedente");
const MessageBoxRequest kUscita(
    QStringLiteral("Attenzione! Uscendo adesso dal programma perderai i dati inseriti "
                   "nell'ultima domanda di partecipazione.\n"
                   "Confermi l'uscita dal programma?"),
    MessageButtons::YesNo, MessageIcon::None, true);

}  // namespace

class TestEntryLoading : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EntryFixture> f;

    bool inModalitaInserimento() {
        return f->button("CmdAvanti")->isVisible() && f->button("CmdEsci")->isVisible() &&
               !f->button("cmdModfica")->isVisible() && !f->button("cmdannulla")->isVisible() &&
               f->action("mnuFile")->isEnabled() && f->action("mnuModifica")->isEnabled();
    }

private slots:
    void init() { f = std::make_unique<EntryFixture>(); }
    void cleanup() {
        QVERIFY(f->t->finish());
        f.reset();
    }

    void the_form_names_colours_and_limits_its_boxes() {
        f->apri(f->creaElenco(QStringLiteral("Vuoto.svz"), 0));
        QCOMPARE(f->entry->windowTitle(), QStringLiteral("Dati anagrafici"));
        QCOMPARE(f->t->control<QLabel>(*f->entry, QStringLiteral("Label30"))->text(),
                 QStringLiteral("05-06"));
        QCOMPARE(f->box("TxtCognRich")->accessibleName(),
                 QStringLiteral("Cognome del richiedente"));
        QCOMPARE(f->box("TxtCognStud")->accessibleName(), QStringLiteral("Cognome dello studente"));
        QCOMPARE(f->box("TxtCodFiscStud1")->maxLength(), 16);
        QCOMPARE(f->box("TxtViaRich")->maxLength(), 50);
        QCOMPARE(f->box("TxtCapStud")->maxLength(), 5);
        QCOMPARE(f->box("TxtNumRich")->maxLength(), 4);
        QCOMPARE(f->box("MskDataRich")->displayText(), QStringLiteral("__/__/____"));
        QCOMPARE(f->box("TxtNomeRich")->toolTip(),
                 QStringLiteral("Premi il tasto TAB per passare da una casella all'altra"));
        QVERIFY(f->box("TxtnomeStud")->toolTip().isEmpty());
        QVERIFY(f->box("TxtSpese")->toolTip().isEmpty());
        QCOMPARE(f->box("TxtViaStud")->palette().color(QPalette::Text), QColor(192, 0, 0));
        QCOMPARE(f->box("TxtViaRich")->palette().color(QPalette::Text),
                 f->entry->palette().color(QPalette::Active, QPalette::Highlight));
        QVERIFY(f->box("TxtCognRich")->hasFocus());
        QVERIFY(inModalitaInserimento());
        QCOMPARE(f->action("mnuSalva")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(f->action("mnuEsci")->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
        QCOMPARE(f->action("mnuannulla")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(f->action("mnuNuovo")->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    }

    void tab_visits_the_boxes_in_the_order_of_the_form() {
        f->apri(f->creaElenco(QStringLiteral("Vuoto.svz"), 0));
        const QStringList attesa = {
            "TxtCognRich", "TxtNomeRich",  "TxtLuogoRich", "MskDataRich",     "TxtCodFiscRich",
            "TxtComRich",  "TxtCapRich",   "TxtViaRich",   "TxtNumRich",      "TxtCognStud",
            "TxtnomeStud", "TxtLuogoStud", "MskDataStud",  "TxtCodFiscStud1", "TxtComStud",
            "TxtCapStud",  "TxtViaStud",   "TxtNumStud",   "TxtSpese",        "TxtIsee",
            "CmdAvanti",   "CmdEsci",      "CmdIndietro"};
        QStringList visitate;
        for (const QString& atteso : attesa) {
            visitate << QApplication::focusWidget()->objectName();
            if (atteso != attesa.last()) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
        }
        QCOMPARE(visitate, attesa);
    }

    void a_continued_list_numbers_from_its_rounded_length() {
        f->apri(f->creaElenco(QStringLiteral("Mezzo.svz"), 1, 209));  // 627 bytes
        QCOMPARE(f->t->stato().nProssimoRecord, std::int16_t(2));
        QCOMPARE(f->t->stato().nIndiceRiepilogo, std::int16_t(0));
        QVERIFY(f->t->program.elenco().Aperto(1));
    }

    void a_new_list_of_209_bytes_counts_as_empty() {
        f->apri(f->creaElenco(QStringLiteral("Quasi.svz"), 0, 209), true);
        QCOMPARE(f->t->stato().nProssimoRecord, std::int16_t(1));
        QVERIFY(inModalitaInserimento());
    }

    void a_new_list_on_a_full_file_is_blocked_until_indietro() {
        const QString percorso = f->creaElenco(QStringLiteral("Tre.svz"), 3);
        f->t->dialogs.expectMessage(informazione(kNonVuoto));
        f->apri(percorso, true);
        QVERIFY(f->t->stato().bPrimaAttivazione);
        QVERIFY(!f->t->program.elenco().Aperto(1));
        QVERIFY(!f->button("CmdAvanti")->isVisible());
        QVERIFY(f->button("CmdEsci")->isVisible());
        QVERIFY(!f->action("mnuFile")->isEnabled());
        QVERIFY(!f->action("mnuSalva")->isEnabled());
        QVERIFY(!f->action("mnuModifica")->isEnabled());
        QVERIFY(!f->action("MnuVisualizza")->isEnabled());
        QVERIFY(f->action("mnuInfo")->isEnabled());

        ProgramUnderTest::click(f->button("CmdIndietro"));
        QVERIFY(f->t->screens().get<FrmScelta>().isVisible());
        QVERIFY(f->t->screens().find<FrmDatiAnagrafici>() == nullptr);
        QVERIFY(!f->t->stato().bPrimaAttivazione);

        f->apri(percorso, false);
        QCOMPARE(f->t->stato().nProssimoRecord, std::int16_t(4));
        QVERIFY(inModalitaInserimento());
    }

    void a_list_that_cannot_be_opened_leads_back_to_the_choice() {
        const QString percorso = f->t->path(QStringLiteral("sparita/Elenco.svz"));
        f->t->dialogs.expectMessage(
            {QStringLiteral("Impossibile lavorare sull'elenco scelto.\n"
                            "Impossibile aprire il file \"%1\": file o cartella inesistente.\n"
                            "Scegliere un altro elenco.")
                 .arg(percorso),
             MessageButtons::Ok, MessageIcon::Critical});
        f->t->stato().sFileElenco = percorso;
        f->t->screens().show<FrmDatiAnagrafici>();
        QVERIFY(f->t->screens().get<FrmScelta>().isVisible());
        QVERIFY(f->t->screens().find<FrmDatiAnagrafici>() == nullptr);
        QVERIFY(!QDir(f->t->path(QStringLiteral("sparita"))).exists());
    }

    void indietro_closes_the_list_and_unloads_the_summary() {
        f->apri(f->creaElenco(QStringLiteral("Uno.svz"), 1));
        f->action("mnuRiepilogo")->trigger();
        QVERIFY(f->t->screens().find<FrmRiepilogo>() != nullptr);
        f->t->screens().show(*f->entry);
        QTest::keyClicks(f->box("TxtCognRich"), QStringLiteral("perso"));
        ProgramUnderTest::click(f->button("CmdIndietro"));
        QVERIFY(!f->t->program.elenco().Aperto(1));
        QVERIFY(f->t->screens().find<FrmRiepilogo>() == nullptr);
        QVERIFY(f->t->screens().get<FrmScelta>().isVisible());
    }

    void esci_asks_only_when_a_filled_application_is_not_stored() {
        f->apri(f->creaElenco(QStringLiteral("Vuoto.svz"), 0));
        ModuloDomanda senzaIsee = ModuloCompleto();
        senzaIsee.Isee.clear();
        f->compila(senzaIsee);
        f->digita(f->box("TxtIsee"), QStringLiteral("1"));
        f->t->dialogs.expectMessage(kUscita, MessageAnswer::No);
        ProgramUnderTest::click(f->button("CmdEsci"));
        QVERIFY(!f->t->screens().programEnded());
        f->t->dialogs.expectMessage(kUscita, MessageAnswer::No);
        f->entry->close();  // the window frame's close button
        QVERIFY(!f->t->screens().programEnded());
        QVERIFY(f->entry->isVisible());

        f->box("TxtIsee")->clear();
        ProgramUnderTest::click(f->button("CmdEsci"));
        QVERIFY(f->t->screens().programEnded());
        QVERIFY(!f->t->program.elenco().Aperto(1));
    }

    void esci_after_salva_ends_but_the_about_box_brings_the_question_back() {
        f->apri(f->creaElenco(QStringLiteral("Vuoto.svz"), 0));
        f->compila(ModuloCompleto());
        f->action("mnuSalva")->trigger();
        f->action("mnuInfo")->trigger();
        QVERIFY(!f->entry->isVisible());
        auto& info = f->t->screens().get<FrmInfo>();
        QVERIFY(info.isVisible());
        ProgramUnderTest::click(info.findChild<QPushButton*>(QStringLiteral("cmdOk")));
        QVERIFY(f->entry->isVisible());

        f->t->dialogs.expectMessage(kUscita, MessageAnswer::Yes);
        f->action("mnuEsci")->trigger();
        QVERIFY(f->t->screens().programEnded());
    }

    void modify_mode_offers_only_modifica_and_annulla() {
        const QString percorso = f->creaElenco(QStringLiteral("Uno.svz"), 1);
        f->t->stato().bTrovato = true;
        f->apri(percorso);
        QVERIFY(f->button("cmdModfica")->isVisible());
        QVERIFY(f->button("cmdannulla")->isVisible());
        QVERIFY(!f->button("CmdAvanti")->isVisible());
        QVERIFY(!f->button("CmdEsci")->isVisible());
        QVERIFY(!f->button("CmdIndietro")->isEnabled());
        QVERIFY(!f->action("mnuFile")->isEnabled());
        QVERIFY(!f->action("mnuModifica")->isEnabled());
        QVERIFY(f->action("MnuVisualizza")->isEnabled());
    }

    void the_menus_lead_to_the_search_and_the_summary() {
        f->apri(f->creaElenco(QStringLiteral("Uno.svz"), 1));
        f->action("mnuRiepilogo")->trigger();
        QVERIFY(f->t->screens().get<FrmRiepilogo>().isVisible());
        f->t->screens().show(*f->entry);
        f->action("mnuDomanda")->trigger();
        QVERIFY(f->t->screens().get<FrmRicerca>().isVisible());
        QVERIFY(!f->entry->isVisible());
    }
};

QTEST_MAIN(TestEntryLoading)
#include "test_entry_loading.moc"
