#include "ProgramUnderTest.h"
#include "merge/FrmCaricaFile.h"
#include "merge/FrmCreaUnione.h"
#include "search/FrmRicerca.h"
#include "summary/FrmRiepilogo.h"
#include "wizard/FrmDatiAnagrafici.h"
#include "wizard/FrmInfo.h"
#include "wizard/FrmIntestazione.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"
#include "wizard/IntroImage.h"

#include <QFontMetrics>
#include <QScreen>
#include <QTabWidget>

namespace {

const QString kScelta = QStringLiteral(
    "E' Necessario effettuare una scelta.\n"
    "Scegli la prima opzione se vuoi creare un nuovo elenco. \n"
    "Scegli la seconda opzione se vuoi ");

// The title bar a desktop puts on top of each window: the frame it draws
// starts where the window is placed and is this much taller than the window.
constexpr int kTitleBar = 36;

// The window's size (under no name) and where each of its controls lies,
// measured from the window's bottom-left corner.
QMap<QString, QRect> places(const QWidget& window) {
    QMap<QString, QRect> places{{QString(), window.rect()}};
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        places[control->objectName()] = control->geometry().translated(0, -window.height());
    }
    return places;
}

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
    // Every screen opened on each screen of the test desktops: the roomy
    // primary first, then the areas that common set-ups leave free of panels.
    void every_screen_opens_inside_the_free_area_of_each_desktop() {
        QMap<QString, QMap<QString, QRect>> designed;  // as on the roomy screen
        for (QScreen* screen : QGuiApplication::screens()) {
            ProgramUnderTest p;
            p.stato.sFileElenco = p.write("elenco.svz", QByteArray(kLunghezzaRecord, ' '));
            ScreenManager& s = p.screens();
            const QRect area = screen->availableGeometry();
            for (Screen* window : std::initializer_list<Screen*>{
                     &s.get<FrmPresentazione>(), &s.get<FrmScelta>(), &s.get<FrmInfo>(),
                     &s.get<FrmIntestazione>(), &s.get<FrmDatiAnagrafici>(), &s.get<FrmRicerca>(),
                     &s.get<FrmRiepilogo>(), &s.get<FrmCaricaFile>(), &s.get<FrmCreaUnione>()}) {
                window->setScreen(screen);
                s.show(*window);
                const QString what = window->objectName() + QStringLiteral(" on ") + screen->name();
                const QRect frame(window->pos(), window->size() + QSize(0, kTitleBar));
                const bool centred = std::abs(frame.center().x() - area.center().x()) <= 2;
                QVERIFY2(area.contains(frame) && centred, qPrintable(what));
                QMap<QString, QRect> now = places(*window);
                QMap<QString, QRect> before = designed.value(window->objectName(), now);
                designed.insert(window->objectName(), before);
                const QRect picture = now.take("Picture2"), was = before.take("Picture2");
                if (before[QString()].height() + kTitleBar > area.height()) {
                    // The window takes the free height but for a border; only the
                    // header picture gives way, shrinking as the window does,
                    // centred, keeping its proportions; and the summary's table,
                    // following the window's bottom, its filter band above it
                    // staying at the top.
                    const int gave = before[QString()].height() - now[QString()].height();
                    if (before.contains("Griglia")) {
                        const int tabella = before["Griglia"].top();
                        for (QRect& place : before) {
                            place.translate(0, place.bottom() < tabella ? gave : 0);
                        }
                    }
                    before[QString()] = now[QString()];
                    const bool filled = frame.height() >= area.height() - 2;
                    const bool proportional =
                        was.size().scaled(picture.size(), Qt::KeepAspectRatio) == picture.size();
                    const bool placed = picture.bottom() == was.bottom() &&
                                        std::abs(picture.center().x() - was.center().x()) <= 1;
                    const bool follows =
                        now.take("Griglia").bottomRight() == before.take("Griglia").bottomRight();
                    QVERIFY2(filled && proportional && placed && follows, qPrintable(what));
                }
                QVERIFY2(now == before, qPrintable(what));
                // Every control lies whole inside the window or frame that holds
                // it; Qt's own parts of a control, such as a tab bar's scroll
                // buttons, may not.
                const auto qt = [](const QWidget* w) { return w->objectName().startsWith("qt_"); };
                for (const QWidget* c : window->findChildren<QWidget*>()) {
                    const bool own = !c->inherits("QMenu") && !qt(c) && !qt(c->parentWidget());
                    QVERIFY2(!own || c->parentWidget()->rect().contains(c->geometry()),
                             qPrintable(what + ": " + c->objectName()));
                }
                // The header picture shows its title and subtitle whole and readable.
                for (const IntroLine& line : introLines(picture.size())) {
                    const bool whole = QFontMetrics(line.font).boundingRect(line.text).width() <=
                                       line.place.width();
                    const bool readable = line.font.pixelSize() >= picture.height() / 40;
                    QVERIFY2(line.place.isEmpty() || (whole && readable), qPrintable(what));
                }
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

    void avanti_asks_for_a_choice_on_each_tab_a_cancel_is_no_choice_and_closing_ends() {
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
        scelta->close();  // the window frame acts as Annulla
        QVERIFY(!t->ended.isEmpty());
    }

    void each_option_opens_its_screen_coming_back_clears_them_and_annulla_ends() {
        for (const auto& [tab, opzione, schermo] :
             {std::tuple{0, "OptNuovo", "FrmIntestazione"},
              std::tuple{1, "OptNuovaUnione", "FrmCreaUnione"},
              std::tuple{1, "OptUnione", "FrmCaricaFile"}}) {
            schede()->setCurrentIndex(tab);
            QCOMPARE(t->control<QWidget>(*scelta, "OptApri")->isVisible(), tab == 0);
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
};

QTEST_MAIN(TestFrmScelta)
#include "test_frm_scelta.moc"
