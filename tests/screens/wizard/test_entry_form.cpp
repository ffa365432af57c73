#include "EntryFixture.h"
#include "FileElenco.h"
#include "search/FrmRicerca.h"
#include "summary/FrmRiepilogo.h"
#include "wizard/FrmInfo.h"
#include "wizard/FrmScelta.h"

#include <QClipboard>

namespace {

const MessageBoxRequest kUscita(
    QStringLiteral("Attenzione! Uscendo adesso dal programma perderai i dati inseriti "
                   "nell'ultima domanda di partecipazione.\n"
                   "Confermi l'uscita dal programma?"),
    MessageButtons::YesNo, MessageIcon::None, true);

}  // namespace

// Loading, modes, routes and the behaviour of the boxes while typing.
class TestEntryForm : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EntryFixture> f;
    const QString kInserimento =
        QStringLiteral("CmdAvanti CmdEsci CmdIndietro mnuFile mnuModifica MnuVisualizza");

private slots:
    void init() { f = std::make_unique<EntryFixture>(); }
    void cleanup() {
        QVERIFY(f->finish());
        f.reset();
    }

    void the_boxes_are_visited_in_order() {
        f->apri(f->elenco(0));
        QStringList visitate;
        for (int i = 0; i < kNumeroCaselle + 3; ++i) {
            visitate << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QStringList attese;
        for (const DescrizioneCampo& campo : kCampi) {
            attese << campo.casella;
        }
        attese << "CmdAvanti"
               << "CmdEsci"
               << "CmdIndietro";
        QCOMPARE(visitate, attese);
    }

    void leaving_the_student_code_hints_at_the_same_student_already_listed() {
        DatiDomanda domanda = AzzeraRecord();
        domanda[Campo::CognRich] = QStringLiteral("ROSSI");
        domanda[Campo::NomeRich] = QStringLiteral("MARIO");
        domanda[Campo::CodFiscStud] = QStringLiteral("RSSLCU06E25F205Y");
        f->apri(f->write(QStringLiteral("Elenco.svz"), CodificaDomanda(domanda)));
        QLineEdit* codice = f->box("TxtCodFiscStud1");
        codice->setFocus();
        QTest::keyClicks(codice, "rsslcu06e25f205y");
        QTest::keyClick(codice, Qt::Key_Tab);
        QVERIFY(!codice->actions().isEmpty());
        QVERIFY(codice->actions().first()->toolTip().contains(
            "Già presente nella domanda n. 1 (richiedente ROSSI MARIO)"));
    }

    void loading_numbers_the_next_application_from_the_rounded_length() {
        // 627 bytes: 2.5 rounds to 2; 1045 bytes: 3.5 rounds to 4; a new
        // list of 209 bytes counts as empty.
        for (const auto& [records, nuovo, prossimo] :
             {std::tuple{1, false, 2}, std::tuple{2, false, 4}, std::tuple{0, true, 1}}) {
            EntryFixture g;
            g.apri(g.elenco(records, 209), nuovo);
            QCOMPARE(g.stato.nProssimoRecord, std::int16_t(prossimo));
            QVERIFY(g.elenchi.Aperto(1));
            QCOMPARE(g.modalita(), kInserimento);
        }
    }

    void a_new_list_on_a_file_with_applications_is_blocked_until_indietro() {
        const QString percorso = f->elenco(3);
        f->dialogs.expectMessage(informazione(QStringLiteral(
            " ATTENZIONE! Impossibile sovrascrivere un file esistente.\n"
            "E' necessario creare un file totalmente nuovo. Tornare al menu precedente")));
        f->apri(percorso, true);
        QVERIFY(!f->elenchi.Aperto(1));
        QCOMPARE(f->modalita(), QStringLiteral("CmdEsci CmdIndietro"));
        QVERIFY(!f->action("mnuSalva")->isEnabled());
        QVERIFY(f->action("mnuInfo")->isEnabled());

        ProgramUnderTest::click(f->button("CmdIndietro"));
        QVERIFY(f->screens().get<FrmScelta>().isVisible());
        QVERIFY(f->screens().find<FrmDatiAnagrafici>() == nullptr);
        f->apri(percorso);
        QCOMPARE(f->stato.nProssimoRecord, std::int16_t(4));
        QCOMPARE(f->modalita(), kInserimento);
    }

    void the_menus_open_search_and_summary_and_indietro_closes_both_list_and_summary() {
        f->apri(f->elenco(1));
        f->action("mnuDomanda")->trigger();
        QVERIFY(f->screens().get<FrmRicerca>().isVisible());
        QVERIFY(!f->entry->isVisible());
        f->screens().show(*f->entry);
        f->action("mnuRiepilogo")->trigger();
        QVERIFY(f->screens().get<FrmRiepilogo>().isVisible());
        f->screens().show(*f->entry);
        QTest::keyClicks(f->box("TxtCognRich"), QStringLiteral("perso"));
        ProgramUnderTest::click(f->button("CmdIndietro"));
        QVERIFY(!f->elenchi.Aperto(1));
        QVERIFY(f->screens().find<FrmRiepilogo>() == nullptr);
        QVERIFY(f->screens().get<FrmScelta>().isVisible());
    }

    void esci_asks_only_while_a_filled_application_is_not_stored() {
        f->apri(f->elenco(0));
        f->compila(ModuloCompleto());
        f->dialogs.expectMessage(kUscita, MessageAnswer::No);
        f->entry->close();  // the window frame's close button
        QVERIFY(f->ended.isEmpty());
        f->action("mnuSalva")->trigger();  // stored: nothing to lose
        f->action("mnuInfo")->trigger();
        QTest::keyClick(&f->screens().get<FrmInfo>(), Qt::Key_Return);
        f->dialogs.expectMessage(kUscita, MessageAnswer::Yes);  // the about box brings it back
        ProgramUnderTest::click(f->button("CmdEsci"));
        QVERIFY(!f->ended.isEmpty());
        QVERIFY(!f->elenchi.Aperto(1));
    }

    void an_amount_takes_digits_and_one_point_typed_or_pasted() {
        f->apri(f->elenco(0));
        QLineEdit* spese = f->box("TxtSpese");
        QApplication::clipboard()->setText(QStringLiteral("1.234,50 €"));
        spese->setFocus();
        QTest::keyClick(spese, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(spese->text(), QStringLiteral("1.23450"));
        QTest::keyClicks(spese, QStringLiteral("-1a,5,.x 2"));  // the pasted point still counts
        QCOMPARE(spese->text(), QStringLiteral("1.23450152"));
    }
};

QTEST_MAIN(TestEntryForm)
#include "test_entry_form.moc"
