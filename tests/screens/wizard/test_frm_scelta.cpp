#include "ProgramUnderTest.h"
#include "merge/FrmCaricaFile.h"
#include "merge/FrmCreaUnione.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"
#include "wizard/IntroImage.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTabWidget>

namespace {

const QString kScelta = QStringLiteral(
    "E' Necessario effettuare una scelta.\n"
    "Scegli la prima opzione se vuoi creare un nuovo elenco. \n"
    "Scegli la seconda opzione se vuoi ");

}  // namespace

class TestFrmScelta : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProgramUnderTest> t;
    FrmScelta* scelta = nullptr;

    QTabWidget* schede() { return t->control<QTabWidget>(*scelta, "TabOpzioni"); }
    // The checked options and the visible groups.
    QString stato() {
        return ProgramUnderTest::on(
            *scelta, {"OptApri", "OptNuovo", "OptNuovaUnione", "OptUnione", "Frame1", "Frame2"});
    }

private slots:
    // At the intro screen's own size and at those of 72 to 192 dots per inch.
    void the_intro_picture_shows_its_title_and_subtitle_whole() {
        auto* picture = t->screens().get<FrmPresentazione>().findChild<QLabel*>("Picture2");
        for (const QSize size : {picture->size(), QSize(439, 265), QSize(1170, 706)}) {
            for (const IntroLine& line : introLines(size)) {
                const QRect needed = QFontMetrics(line.font).boundingRect(line.text);
                QVERIFY2(needed.width() <= line.place.width(), qPrintable(line.text));
                QVERIFY(QRect(QPoint(), size).contains(line.place));
                QVERIFY(line.font.pixelSize() >= size.height() / 40);  // still readable
            }
        }
    }

    void init() {
        t = std::make_unique<ProgramUnderTest>();
        scelta = &t->openChoice();
    }
    void cleanup() {
        QVERIFY(t->finish());
        t.reset();
    }

    void avanti_asks_for_a_choice_on_each_tab_and_a_cancel_is_no_choice() {
        t->stato.sFileElenco = QStringLiteral("/prima/Elenco.svz");
        t->dialogs
            .expectFile({FileDialogMode::Open, QStringLiteral("(*.svz) | *.svz"), {}}, std::nullopt)
            .expectMessage(
                informazione(kScelta + "continuare ad inserire dati in un elenco già esistente."))
            .expectMessage(informazione(
                kScelta + "che i dati del secondo elenco vengano agganciati al primo."));
        t->click(*scelta, {"OptApri"});
        QCOMPARE(stato(), QStringLiteral("Frame1"));
        QCOMPARE(t->stato.sFileElenco, QStringLiteral("/prima/Elenco.svz"));
        t->click(*scelta, {"cmdAvanti"});
        schede()->setCurrentIndex(1);
        t->click(*scelta, {"cmdAvanti"});
        QVERIFY(scelta->isVisible());
    }

    void each_option_opens_its_screen_coming_back_clears_them_and_annulla_ends() {
        for (const auto& [tab, opzione, schermo] :
             {std::tuple{0, "OptNuovo", "FrmIntestazione"},
              std::tuple{1, "OptNuovaUnione", "FrmCreaUnione"},
              std::tuple{1, "OptUnione", "FrmCaricaFile"}}) {
            schede()->setCurrentIndex(tab);
            t->click(*scelta, {opzione});
            QVERIFY(t->shownScreens().contains(schermo));
            // The merge screens open in front of the choice screen; the
            // operator clicks on it. The heading screen hides it until shown again.
            QCOMPARE(scelta->isVisible(), tab == 1);
            QCOMPARE(ProgramUnderTest::on(*scelta, {opzione}), opzione);
            QEvent activate(QEvent::WindowActivate);
            if (scelta->isVisible()) {
                QApplication::sendEvent(scelta, &activate);
            } else {
                t->screens().show(*scelta);
            }
            QCOMPARE(stato(), QStringLiteral("Frame1"));
            QCOMPARE(schede()->currentIndex(), 0);
        }
        // "Annulla" ends the program and closes the append screen left open.
        t->click(*scelta, {"CmdAnnulla"});
        QVERIFY(!t->ended.isEmpty());
        QVERIFY(t->screens().find<FrmCaricaFile>() == nullptr);
    }

    void closing_the_window_ends_the_program() {
        scelta->close();
        QVERIFY(!t->ended.isEmpty());
    }
};

QTEST_MAIN(TestFrmScelta)
#include "test_frm_scelta.moc"
