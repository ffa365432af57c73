#include "EntryFixture.h"
#include "FileElenco.h"
#include "search/FrmRicerca.h"
#include "summary/FrmRiepilogo.h"
#include "wizard/FrmInfo.h"
#include "wizard/FrmScelta.h"

#include <QClipboard>
#include <QLabel>
#include <QMenuBar>

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

    // The buttons offered and the menus enabled.
    static QString modalita(EntryFixture& g) {
        return g.on(*g.entry, {"CmdAvanti", "CmdEsci", "CmdIndietro", "cmdModfica", "cmdannulla",
                               "mnuFile", "mnuModifica", "MnuVisualizza"});
    }

private slots:
    void init() { f = std::make_unique<EntryFixture>(); }
    void cleanup() {
        QVERIFY(f->finish());
        f.reset();
    }

    // The boxes read as the paper form: each after the one before it, with
    // its label to its left on its line, under its person's heading and in
    // its colour; Tab follows the same order.
    void the_boxes_read_as_the_paper_form_and_hold_what_their_fields_hold() {
        f->entry = f->openEntry(f->write(QStringLiteral("Elenco.svz"), {}));
        QHash<const QWidget*, QRect> etichette;
        for (const QLabel* label : f->entry->findChildren<QLabel*>()) {
            etichette[label->isVisible() ? label->buddy() : nullptr] = label->geometry();
        }
        const std::map<Persona, const char*> titoli = {{Persona::Richiedente, "LabelRichiedente"},
                                                       {Persona::Studente, "LabelStudente"},
                                                       {Persona::Nessuna, "LabelSpese"}};
        QRect prima;
        f->box(kCampi.front().casella)->setFocus();
        for (const DescrizioneCampo& campo : kCampi) {
            QLineEdit* box = f->box(campo.casella);
            const QRect qui = box->geometry();
            const QRect etichetta = etichette.value(box);
            const QLabel* titolo = f->entry->findChild<QLabel*>(titoli.at(campo.persona));
            const bool colore = campo.persona == Persona::Nessuna ||
                                box->palette().color(QPalette::Text) ==
                                    titolo->palette().color(QPalette::WindowText);
            const bool dopo = prima.isNull() || qui.top() > prima.bottom() ||
                              (qui.top() == prima.top() && qui.left() > prima.right());
            QVERIFY2(dopo && colore && box->isVisible() && etichette.contains(box) &&
                         etichetta.right() < qui.left() &&
                         qui.contains(qui.left(), etichetta.center().y()) &&
                         qui.top() > titolo->geometry().bottom(),
                     campo.casella);
            QCOMPARE(QApplication::focusWidget(), box);
            prima = qui;
            // A text box takes no more than its field holds.
            if (campo.tipo == TipoCampo::Testo) {
                QTest::keyClicks(box, QString(campo.larghezza + 1, u'a'));
                QCOMPARE(box->text().size(), campo.larghezza);
            }
            QTest::keyClick(box, Qt::Key_Tab);
        }
        // The euro sign marks the two amounts alone.
        const auto euro = [](const QLabel* label) { return label->text() == "€"; };
        QCOMPARE(std::ranges::count_if(f->entry->findChildren<QLabel*>(), euro), 2);
    }

    // Leaving a codice fiscale box, or a box the code is made of, marks the
    // code with what is wrong with it or who else has the student; a change
    // of the code takes the mark away.
    void a_codice_fiscale_box_left_shows_its_hints_until_the_code_changes() {
        const DatiDomanda rossi = DomandaDa("ROSSI|MARIO||||||||||||QRZTDR87D15Z000H");
        f->entry = f->openEntry(f->write(QStringLiteral("Elenco.svz"), CodificaDomanda(rossi)));
        const auto avviso = [](const QLineEdit* box) {
            return box->actions().isEmpty() ? QString() : box->actions().first()->toolTip();
        };
        f->box("TxtCodFiscRich")->setText(QStringLiteral("QRZTDR87D15Z000H"));
        for (const auto& [lasciata, testo, casella, atteso] :
             {std::tuple{"TxtCodFiscStud1", "qrztdr87d15z000h", "TxtCodFiscStud1",
                         "Già presente nella domanda n. 1 (richiedente ROSSI MARIO)"},
              std::tuple{"TxtCognRich", "Rossi", "TxtCodFiscRich", "(attese: RSS)"},
              std::tuple{"TxtNomeRich", "Mario", "TxtCodFiscRich", "(attese: MRA)"}}) {
            QLineEdit* box = f->box(lasciata);
            box->setFocus();
            QTest::keyClicks(box, testo);
            QTest::keyClick(box, Qt::Key_Tab);
            QLineEdit* codice = f->box(casella);
            QVERIFY2(avviso(codice).contains(QString::fromUtf8(atteso)), casella);
            QTest::keyClick(codice, Qt::Key_Backspace);
            QCOMPARE(avviso(codice), QString());
            QTest::keyClick(codice, Qt::Key_H);  // the code whole again, for the next row
        }
    }

    // Walking the menus from the keyboard does not leave the box: its address
    // is copied, over what the student's box holds, only when the focus
    // reaches another box.
    void the_keyboard_menu_is_not_a_departure_from_the_box() {
        f->entry = f->openEntry(f->elenco(0));
        f->box("TxtComStud")->setText(QStringLiteral("Roma"));
        QLineEdit* comune = f->box("TxtComRich");
        comune->setFocus();
        QTest::keyClicks(comune, QStringLiteral("tivoli"));
        for (const QKeySequence& menu :
             {QKeySequence(Qt::ALT | Qt::Key_F), QKeySequence(Qt::Key_Alt)}) {
            QTest::keySequence(QApplication::focusWidget(), menu);
            QVERIFY(qobject_cast<QMenuBar*>(QApplication::focusWidget()) != nullptr);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QCOMPARE(QApplication::focusWidget(), comune);
            QCOMPARE(f->box("TxtComStud")->text(), QStringLiteral("Roma"));
        }
        QTest::keyClick(comune, Qt::Key_Tab);
        QCOMPARE(f->box("TxtComStud")->text(), QStringLiteral("tivoli"));
    }

    // The first application typed lands at the next record number, computed
    // from the rounded length: 627 bytes hold 2.5 records, numbered on as 2;
    // 1045 bytes hold 3.5, numbered on as 4; a new list of 209 bytes counts
    // as empty.
    void the_first_application_stored_lands_after_the_rounded_length() {
        for (const auto& [records, nuovo, prossimo] :
             {std::tuple{1, false, 2}, std::tuple{2, false, 4}, std::tuple{0, true, 1}}) {
            EntryFixture g;
            g.entry = g.openEntry(g.elenco(records, 209), nuovo);
            g.compila(ModuloCompleto());
            g.click(*g.entry, {"CmdAvanti"});
            const QByteArray byte = g.bytes();
            QCOMPARE(byte.size(), prossimo * kLunghezzaRecord);
            QCOMPARE(byte.right(kLunghezzaRecord), RecordCompleti(0));
        }
    }

    void a_new_list_on_a_file_with_applications_is_blocked_until_indietro_closes_it() {
        const QString percorso = f->elenco(3);
        f->dialogs.expectMessage(informazione(QStringLiteral(
            " ATTENZIONE! Impossibile sovrascrivere un file esistente.\n"
            "E' necessario creare un file totalmente nuovo. Tornare al menu precedente")));
        f->entry = f->openEntry(percorso, true);
        QVERIFY(!f->elenchi.Aperto(1));
        QCOMPARE(modalita(*f), QStringLiteral("CmdEsci CmdIndietro"));
        QVERIFY(!f->action("mnuSalva")->isEnabled());
        QVERIFY(f->action("mnuInfo")->isEnabled());

        f->click(*f->entry, {"CmdIndietro"});
        QVERIFY(f->screens().get<FrmScelta>().isVisible());
        QVERIFY(f->screens().find<FrmDatiAnagrafici>() == nullptr);
        f->entry = f->openEntry(percorso);
        QCOMPARE(modalita(*f), "CmdAvanti CmdEsci CmdIndietro mnuFile mnuModifica MnuVisualizza");

        // The menus open the search and the summary; Indietro closes both
        // the list and the summary.
        f->action("mnuDomanda")->trigger();
        QVERIFY(f->screens().get<FrmRicerca>().isVisible());
        QVERIFY(!f->entry->isVisible());
        f->screens().show(*f->entry);
        f->action("mnuRiepilogo")->trigger();
        QVERIFY(f->screens().get<FrmRiepilogo>().isVisible());
        f->screens().show(*f->entry);
        QTest::keyClicks(f->box("TxtCognRich"), QStringLiteral("perso"));
        f->click(*f->entry, {"CmdIndietro"});
        QVERIFY(!f->elenchi.Aperto(1));
        QVERIFY(f->screens().find<FrmRiepilogo>() == nullptr);
        QVERIFY(f->screens().get<FrmScelta>().isVisible());
    }

    void esci_asks_only_while_a_filled_application_is_not_stored() {
        f->entry = f->openEntry(f->elenco(0));
        f->compila(ModuloCompleto());
        f->dialogs.expectMessage(kUscita, MessageAnswer::No);
        f->entry->close();  // the window frame's close button
        QVERIFY(f->ended.isEmpty());
        f->action("mnuSalva")->trigger();  // stored: nothing to lose
        f->action("mnuInfo")->trigger();
        QCOMPARE(f->shownScreens(), QStringList{"FrmInfo"});
        QTest::keyClick(&f->screens().get<FrmInfo>(), Qt::Key_Return);
        f->dialogs.expectMessage(kUscita, MessageAnswer::Yes);  // the about box brings it back
        f->click(*f->entry, {"CmdEsci"});
        QVERIFY(!f->ended.isEmpty());
        QVERIFY(!f->elenchi.Aperto(1));
    }

    // Ctrl+X and Ctrl+Z are the menu's also inside a box, whose own cut and
    // undo they would otherwise be.
    void the_menu_shortcuts_win_over_a_box_s_cut_and_undo() {
        f->entry = f->openEntry(f->elenco(0));
        QTest::keyClicks(f->box("TxtCognRich"), QStringLiteral("rossi"));
        QTest::keyClicks(f->box("TxtIsee"), QStringLiteral("1"));
        QLineEdit* nome = f->box("TxtNomeRich");
        nome->setFocus();
        QTest::keyClicks(nome, QStringLiteral("mario"));
        nome->selectAll();
        f->dialogs.expectMessage(kUscita, MessageAnswer::No);
        QTest::keyClick(nome, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(nome->text(), QStringLiteral("mario"));
        QTest::keyClick(nome, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->box("TxtCognRich")->text(), QString());
        QVERIFY(f->box("TxtCognRich")->hasFocus());
    }

    void an_amount_takes_digits_and_one_point_typed_or_pasted() {
        f->entry = f->openEntry(f->elenco(0));
        QLineEdit* spese = f->box("TxtSpese");
        QApplication::clipboard()->setText(QStringLiteral("1.234,50 €"));
        spese->setFocus();
        QTest::keyClick(spese, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(spese->text(), QStringLiteral("1.23450"));
        // The box's own menu pastes the same way; the pasted point still counts.
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, {}, {});
        QApplication::sendEvent(spese, &menu);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);  // "&Paste"
        QTest::keyClicks(spese, QStringLiteral("-1a,5,.x 2"));
        QCOMPARE(spese->text(), QStringLiteral("1.23450123450152"));
        QTest::keyClicks(f->box("TxtIsee"), QStringLiteral("1,5"));
        f->entry->PulisciModulo();  // a cleared screen lets a point in again
        for (const char* importo : {"TxtSpese", "TxtIsee"}) {
            QTest::keyClicks(f->box(importo), QStringLiteral("2,5"));
            QCOMPARE(f->box(importo)->text(), QStringLiteral("2.5"));
        }
    }
};

QTEST_MAIN(TestEntryForm)
#include "test_entry_form.moc"
