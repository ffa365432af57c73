#include "Screen.h"
#include "ScreenManager.h"

#include <QtTest>

#include <optional>

namespace {

// A screen that counts its loading (over all its instances) and activation
// steps.
template <int N>
class Counting : public Screen {
public:
    using Screen::Screen;

    static inline int loads = 0;
    int activations = 0;

protected:
    void load() override { ++loads; }
    void activate() override { ++activations; }
};
using First = Counting<1>;
using Second = Counting<2>;

// What the window system sends when a window becomes the active one.
void sendActivation(QWidget& window) {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
}

}  // namespace

class TestScreenManager : public QObject {
    Q_OBJECT

    std::optional<ScreenManager> screens;

private slots:
    void init() {
        First::loads = Second::loads = 0;
        screens.emplace();
        screens->define<First>([this] { return std::make_unique<First>(*screens); });
        screens->define<Second>([this] { return std::make_unique<Second>(*screens); });
        screens->show<First>();
    }

    void a_screen_shown_fits_its_screen_and_activates_but_not_when_a_dialog_closes() {
        First& first = screens->get<First>();
        screens->show<First>();
        sendActivation(first);  // what a closing message box gives back to its window
        QCOMPARE(First::loads, 1);
        QCOMPARE(first.activations, 1);

        // Larger than its screen, Second fills it, framed as the first was.
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        screens->get<Second>().resize(area.size() * 2);
        screens->show<Second>();
        QCOMPARE(screens->get<Second>().activations, 1);
        QCOMPARE(screens->get<Second>().frameGeometry(), area);
        sendActivation(first);  // the operator clicks on the first screen
        QCOMPARE(first.activations, 2);
    }
};

QTEST_MAIN(TestScreenManager)
#include "test_screen_manager.moc"
