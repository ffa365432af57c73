#include "ControlloImporti.h"
#include "EntryFixture.h"
#include "wizard/CasellaImporto.h"

#include <QClipboard>
#include <QMenu>

namespace {

const MessageBoxRequest kDecimali(kMessaggioDecimali);
const MessageBoxRequest kSpeciali(
    QStringLiteral("Non inserire caratteri speciali quali ad esempio\n ' , . ; : ! ? "),
    MessageButtons::Ok, MessageIcon::Information);

}  // namespace

class TestEntryChecks : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EntryFixture> f;

private slots:
    void init() {
        f = std::make_unique<EntryFixture>();
        f->apri(f->t->path(QStringLiteral("Elenco.svz")));
    }
    void cleanup() {
        QVERIFY(f->t->finish());
        f.reset();
    }

    void an_amount_takes_digits_and_one_point_whatever_is_typed() {
        EntryFixture::digita(f->box("TxtSpese"), QStringLiteral("-1a,5,.x 2"));
        QCOMPARE(f->box("TxtSpese")->text(), QStringLiteral("1.52"));
        QTest::keyClick(f->box("TxtSpese"), Qt::Key_Backspace);
        QTest::keyClick(f->box("TxtSpese"), Qt::Key_Backspace);
        QTest::keyClick(f->box("TxtSpese"), Qt::Key_Backspace);
        QTest::keyClicks(f->box("TxtSpese"), QStringLiteral(".3"));  // the flag is still set
        QCOMPARE(f->box("TxtSpese")->text(), QStringLiteral("13"));

        f->box("TxtIsee")->setFocus();
        f->box("TxtSpese")->setFocus();  // leaving TxtIsee lets a point into TxtSpese again
        QTest::keyClicks(f->box("TxtSpese"), QStringLiteral(",7"));
        QCOMPARE(f->box("TxtSpese")->text(), QStringLiteral("13.7"));
    }

    void pasted_text_goes_through_the_same_filter() {
        QApplication::clipboard()->setText(QStringLiteral("1.234,50 €"));
        f->box("TxtIsee")->setFocus();
        QTest::keyClick(f->box("TxtIsee"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f->box("TxtIsee")->text(), QStringLiteral("1.23450"));

        auto* spese = static_cast<CasellaImporto*>(f->box("TxtSpese"));
        QApplication::clipboard()->setText(QStringLiteral("12,5"));
        std::unique_ptr<QMenu> menu(spese->menuContestuale());
        QAction* incolla = CasellaImporto::azioneIncolla(*menu);
        QVERIFY(incolla != nullptr);
        incolla->trigger();
        QCOMPARE(spese->text(), QStringLiteral("12.5"));
    }

    void leaving_the_requester_address_copies_it_to_the_student() {
        EntryFixture::digita(f->box("TxtComRich"), QStringLiteral("Roma"));
        QTest::keyClicks(f->box("TxtCapRich"), QString());  // no copy before leaving
        QVERIFY(f->box("TxtComStud")->text().isEmpty());
        QTest::keyClick(f->box("TxtComRich"), Qt::Key_Tab);
        QCOMPARE(f->box("TxtComStud")->text(), QStringLiteral("Roma"));
        QTest::keyClicks(f->box("TxtCapRich"), QStringLiteral("00100"));
        QTest::keyClick(f->box("TxtCapRich"), Qt::Key_Tab);
        QTest::keyClicks(f->box("TxtViaRich"), QStringLiteral("Via Po"));
        QTest::keyClick(f->box("TxtViaRich"), Qt::Key_Tab);
        QTest::keyClicks(f->box("TxtNumRich"), QStringLiteral("7"));
        QTest::keyClick(f->box("TxtNumRich"), Qt::Key_Tab);
        QCOMPARE(f->box("TxtCapStud")->text(), QStringLiteral("00100"));
        QCOMPARE(f->box("TxtViaStud")->text(), QStringLiteral("Via Po"));
        QCOMPARE(f->box("TxtNumStud")->text(), QStringLiteral("7"));

        EntryFixture::digita(f->box("TxtComStud"), QStringLiteral("Tivoli "));
        QCOMPARE(f->box("TxtComStud")->text(), QStringLiteral("Tivoli Roma"));
        f->box("TxtComRich")->setFocus();
        f->box("TxtCognRich")->setFocus();
        QCOMPARE(f->box("TxtComStud")->text(), QStringLiteral("Roma"));
    }

    void a_refused_box_gets_the_focus_once_the_message_is_closed() {
        ModuloDomanda modulo = ModuloCompleto();
        modulo.DataStud = QStringLiteral("29/02/1900");
        f->compila(modulo);
        f->t->dialogs.expectMessage(
            EntryFixture::attenzione(QStringLiteral(" Data di Nascita dello Studente non valida")));
        f->successivo();
        QVERIFY(f->box("MskDataStud")->hasFocus());
        QCOMPARE(f->byteDelFile().size(), 0);
    }

    void a_comma_in_the_street_leaves_the_focus_where_it_was() {
        ModuloDomanda modulo = ModuloCompleto();
        modulo.ViaRich = QStringLiteral("Via Roma, 5");
        f->compila(modulo);
        f->box("TxtIsee")->setFocus();
        f->t->dialogs.expectMessage(kSpeciali);
        QTest::keyClick(f->box("TxtIsee"), Qt::Key_Return);  // Enter presses Successivo
        QVERIFY(f->box("TxtIsee")->hasFocus());
        QCOMPARE(f->byteDelFile().size(), 0);
    }

    void three_decimals_reset_the_box_before_the_isee_message() {
        ModuloDomanda modulo = ModuloCompleto();
        modulo.Spese = QStringLiteral("100.125");
        modulo.Isee.clear();
        f->compila(modulo);
        f->t->dialogs
            .expectMessage(kDecimali, MessageAnswer::Ok,
                           [this] { QCOMPARE(f->box("TxtSpese")->text(), "100.125"); })
            .expectMessage(EntryFixture::attenzione(
                               QStringLiteral(" L'ISEE indicato non è un importo valido")),
                           MessageAnswer::Ok,
                           [this] { QCOMPARE(f->box("TxtSpese")->text(), "0"); });
        f->successivo();
        QVERIFY(f->box("TxtIsee")->hasFocus());
        QCOMPARE(f->byteDelFile().size(), 0);

        EntryFixture::digita(f->box("TxtSpese"), QStringLiteral(",5"));  // a point is let in again
        QCOMPARE(f->box("TxtSpese")->text(), QStringLiteral(".50"));
    }

    void a_character_the_list_cannot_hold_is_refused_naming_its_box() {
        f->compila(ModuloCompleto());
        QLineEdit* cognome = f->box("TxtCognRich");
        cognome->setFocus();
        cognome->end(false);
        QTest::sendKeyEvent(QTest::Click, cognome, Qt::Key_unknown, QStringLiteral("ł"),
                            Qt::NoModifier);
        f->box("TxtIsee")->setFocus();
        f->t->dialogs.expectMessage(EntryFixture::attenzione(
            QStringLiteral(" Il carattere \"ł\" della casella Cognome del richiedente non può "
                           "essere registrato nell'elenco: sostituirlo.")));
        f->successivo();
        QVERIFY(cognome->hasFocus());
        QCOMPARE(f->byteDelFile().size(), 0);
    }

    void menu_shortcuts_win_over_the_boxes_own() {
        f->compila(ModuloCompleto());
        QTest::keyClick(f->box("TxtViaRich"), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(f->entry->LeggiModulo().CognRich.isEmpty());
        QVERIFY(f->box("TxtCognRich")->hasFocus());

        QTest::keyClick(f->box("TxtNomeRich"), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(f->t->screens().programEnded());
    }
};

QTEST_MAIN(TestEntryChecks)
#include "test_entry_checks.moc"
