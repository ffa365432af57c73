#include "Controls.h"
#include "ProgramUnderTest.h"
#include "merge/FrmCaricaFile.h"
#include "merge/FrmCreaUnione.h"
#include "wizard/FrmDatiAnagrafici.h"
#include "wizard/FrmInfo.h"
#include "wizard/FrmIntestazione.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

const QString kMessaggioA = QStringLiteral(
    "E' Necessario effettuare una scelta.\n"
    "Scegli la prima opzione se vuoi creare un nuovo elenco. \n"
    "Scegli la seconda opzione se vuoi continuare ad inserire dati in un elenco già esistente.");
const QString kMessaggioB = QStringLiteral(
    "E' Necessario effettuare una scelta.\n"
    "Scegli la prima opzione se vuoi creare un nuovo elenco. \n"
    "Scegli la seconda opzione se vuoi che i dati del secondo elenco vengano agganciati al primo.");

FileDialogRequest apri(const QString& nomeTenuto) {
    return {FileDialogMode::Open, QStringLiteral("(*.svz) | *.svz"), nomeTenuto};
}

const InputBoxRequest kAnnoScolastico(QStringLiteral("Sovvenzia per l'anno scolastico:"),
                                      QStringLiteral("Gestione Sovvenzia"), QString(),
                                      QPoint(2000, 2000));

}  // namespace

class TestFrmScelta : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProgramUnderTest> t;
    FrmScelta* scelta = nullptr;

    template <class W>
    W* ctl(const char* name) {
        return t->control<W>(*scelta, QString::fromLatin1(name));
    }
    void avanti() { ProgramUnderTest::click(ctl<QPushButton>("cmdAvanti")); }

private slots:
    void init() {
        t = std::make_unique<ProgramUnderTest>();
        t->program.start();
        auto& intro = t->screens().get<FrmPresentazione>();
        QTest::keyClick(&intro, Qt::Key_Return);  // Enter acts as "&Avanti     >"
        scelta = t->screens().find<FrmScelta>();
    }
    void cleanup() {
        QVERIFY(t->finish());
        t.reset();
    }

    void enter_on_the_intro_screen_opens_the_choice_screen() {
        QVERIFY(scelta != nullptr);
        QVERIFY(scelta->isVisible());
        QVERIFY(!t->screens().get<FrmPresentazione>().isVisible());
        QCOMPARE(t->screens().activeScreen(), scelta);
        QCOMPARE(scelta->windowTitle(), QStringLiteral("Opzioni"));
        QCOMPARE(ctl<QPushButton>("cmdAvanti")->text(), QStringLiteral("Avanti   >"));
    }

    void avanti_without_a_choice_gives_message_a_on_tab_one_and_b_on_tab_two() {
        t->dialogs.expectMessage(informazione(kMessaggioA))
            .expectMessage(informazione(kMessaggioB));
        avanti();
        ctl<QTabWidget>("TabOpzioni")->setCurrentIndex(1);
        avanti();
        QVERIFY(scelta->isVisible());
    }

    void the_tab_rule_shows_one_group_and_keeps_options() {
        auto* tabs = ctl<QTabWidget>("TabOpzioni");
        QVERIFY(ctl<QGroupBox>("Frame1")->isVisible());
        QVERIFY(!ctl<QGroupBox>("Frame2")->isVisible());
        t->dialogs.expectFile(apri(QString()), t->path("a.svz"));
        ProgramUnderTest::click(ctl<QRadioButton>("OptApri"));
        tabs->setCurrentIndex(1);
        QVERIFY(!ctl<QRadioButton>("OptApri")->isVisible());
        QVERIFY(!ctl<QGroupBox>("Frame1")->isVisible());
        QVERIFY(ctl<QRadioButton>("OptUnione")->isVisible());
        tabs->setCurrentIndex(0);
        QVERIFY(ctl<QRadioButton>("OptApri")->isChecked());
    }

    void continuing_a_list_asks_the_school_year_and_opens_the_entry_screen() {
        t->stato().bElencoNuovo = true;
        const QString scelto = t->path("Roma_Primaria_05-06.svz");
        t->dialogs.expectFile(apri(QString()), scelto)
            .expectInput(kAnnoScolastico, QStringLiteral("2005/2006"));
        ProgramUnderTest::click(ctl<QRadioButton>("OptApri"));
        QVERIFY(ctl<QRadioButton>("OptApri")->isChecked());
        QCOMPARE(t->stato().sFileElenco, scelto);
        QVERIFY(!t->stato().bElencoNuovo);

        avanti();
        QCOMPARE(t->stato().sIntestazione, QStringLiteral("2005/2006"));
        QVERIFY(!scelta->isVisible());
        QVERIFY(t->screens().find<FrmDatiAnagrafici>() != nullptr);
        QVERIFY(t->screens().find<FrmDatiAnagrafici>()->isVisible());
    }

    void a_cancelled_school_year_is_stored_empty() {
        t->stato().sIntestazione = QStringLiteral("vecchio");
        t->dialogs.expectFile(apri(QString()), t->path("a.svz"))
            .expectInput(kAnnoScolastico, QString());
        ProgramUnderTest::click(ctl<QRadioButton>("OptApri"));
        avanti();
        QCOMPARE(t->stato().sIntestazione, QString());
    }

    void cancelling_before_any_choice_clears_the_option_and_keeps_the_path() {
        t->stato().sFileElenco = QStringLiteral("/prima/Elenco.svz");
        t->dialogs.expectFile(apri(QString()), std::nullopt)
            .expectMessage(informazione(kMessaggioA));
        ProgramUnderTest::click(ctl<QRadioButton>("OptApri"));
        QVERIFY(!ctl<QRadioButton>("OptApri")->isChecked());
        QCOMPARE(t->stato().sFileElenco, QStringLiteral("/prima/Elenco.svz"));
        avanti();
    }

    void cancelling_a_second_time_takes_the_name_chosen_before() {
        const QString scelto = t->path("Roma.svz");
        t->dialogs.expectFile(apri(QString()), scelto).expectFile(apri(scelto), std::nullopt);
        ProgramUnderTest::click(ctl<QRadioButton>("OptApri"));
        Controls::clearOption(ctl<QRadioButton>("OptApri"));
        t->stato().sFileElenco.clear();
        ProgramUnderTest::click(ctl<QRadioButton>("OptApri"));
        QVERIFY(ctl<QRadioButton>("OptApri")->isChecked());
        QCOMPARE(t->stato().sFileElenco, scelto);
    }

    void a_new_list_opens_the_heading_screen_and_hides_the_choice() {
        ProgramUnderTest::click(ctl<QRadioButton>("OptNuovo"));
        QVERIFY(t->screens().get<FrmIntestazione>().isVisible());
        QVERIFY(!scelta->isVisible());
    }

    void the_merge_screens_open_in_front_of_the_visible_choice_screen() {
        ctl<QTabWidget>("TabOpzioni")->setCurrentIndex(1);
        ProgramUnderTest::click(ctl<QRadioButton>("OptNuovaUnione"));
        QVERIFY(t->screens().get<FrmCreaUnione>().isVisible());
        QCOMPARE(t->screens().activeScreen(), &t->screens().get<FrmCreaUnione>());
        QVERIFY(scelta->isVisible());
    }

    void clicking_back_on_the_choice_screen_clears_options_and_selects_tab_one() {
        ctl<QTabWidget>("TabOpzioni")->setCurrentIndex(1);
        ProgramUnderTest::click(ctl<QRadioButton>("OptUnione"));
        QVERIFY(t->screens().get<FrmCaricaFile>().isVisible());
        QVERIFY(ctl<QRadioButton>("OptUnione")->isChecked());

        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(scelta, &activate);
        QVERIFY(!ctl<QRadioButton>("OptUnione")->isChecked());
        QCOMPARE(ctl<QTabWidget>("TabOpzioni")->currentIndex(), 0);
        QVERIFY(ctl<QGroupBox>("Frame1")->isVisible());
        QVERIFY(!ctl<QGroupBox>("Frame2")->isVisible());
        // The append screen stays open; a second click on its option opens nothing new.
        QVERIFY(t->screens().get<FrmCaricaFile>().isVisible());
    }

    void returning_from_another_screen_finds_every_option_cleared() {
        t->dialogs.expectFile(apri(QString()), t->path("a.svz"));
        ProgramUnderTest::click(ctl<QRadioButton>("OptApri"));
        ProgramUnderTest::click(ctl<QRadioButton>("OptNuovo"));
        t->screens().show(*scelta);
        for (const char* name : {"OptApri", "OptNuovo", "OptNuovaUnione", "OptUnione"}) {
            QVERIFY2(!ctl<QRadioButton>(name)->isChecked(), name);
        }
    }

    void annulla_ends_the_program_even_with_the_append_screen_open() {
        ctl<QTabWidget>("TabOpzioni")->setCurrentIndex(1);
        ProgramUnderTest::click(ctl<QRadioButton>("OptUnione"));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(scelta, &activate);
        ProgramUnderTest::click(ctl<QPushButton>("CmdAnnulla"));
        QVERIFY(t->screens().programEnded());
        QVERIFY(t->screens().find<FrmCaricaFile>() == nullptr);
    }

    void closing_the_choice_window_ends_the_program() {
        scelta->close();
        QVERIFY(t->screens().programEnded());
    }

    void the_about_box_goes_back_to_the_entry_screen() {
        t->stato().sFileElenco =
            t->path(QStringLiteral("Elenco.svz"));  // the entry screen opens it
        t->screens().show<FrmInfo>();
        auto& info = t->screens().get<FrmInfo>();
        QCOMPARE(info.windowTitle(), QStringLiteral("Informazioni"));
        QTest::keyClick(&info, Qt::Key_Return);
        QVERIFY(t->screens().find<FrmInfo>() == nullptr);
        QVERIFY(t->screens().get<FrmDatiAnagrafici>().isVisible());
    }
};

QTEST_MAIN(TestFrmScelta)
#include "test_frm_scelta.moc"
