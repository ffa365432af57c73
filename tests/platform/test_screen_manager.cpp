#include "Screen.h"
#include "ScreenManager.h"

#include <QtTest>

namespace {

// A screen that counts its loading, activation and close-request steps.
class CountingScreen : public Screen {
public:
    CountingScreen(ScreenManager& screens, int& loads) : Screen(screens), loads_(loads) {}

    int activations = 0;
    int closeRequests = 0;

protected:
    void load() override { ++loads_; }
    void activate() override { ++activations; }
    void closeRequested() override { ++closeRequests; }

private:
    int& loads_;
};

class First : public CountingScreen {
    using CountingScreen::CountingScreen;
};
class Second : public CountingScreen {
    using CountingScreen::CountingScreen;
};

// What the window system sends when a window becomes the active one.
void sendActivation(QWidget& window) {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
}

}  // namespace

class TestScreenManager : public QObject {
    Q_OBJECT

    ScreenManager* screens = nullptr;
    int firstLoads = 0;
    int secondLoads = 0;

private slots:
    void init() {
        firstLoads = secondLoads = 0;
        screens = new ScreenManager;
        screens->define<First>([this] { return std::make_unique<First>(*screens, firstLoads); });
        screens->define<Second>([this] { return std::make_unique<Second>(*screens, secondLoads); });
        screens->show<First>();
    }
    void cleanup() { delete screens; }

    void activation_runs_when_a_screen_becomes_active_not_when_a_dialog_closes() {
        First& first = screens->get<First>();
        QCOMPARE(firstLoads, 1);
        QCOMPARE(first.activations, 1);
        QCOMPARE(screens->activeScreen(), &first);
        screens->show<First>();
        sendActivation(first);  // what a closing message box gives back to its window
        QCOMPARE(firstLoads, 1);
        QCOMPARE(first.activations, 1);

        screens->show<Second>();
        QCOMPARE(screens->get<Second>().activations, 1);
        sendActivation(first);  // the operator clicks on the first screen
        QCOMPARE(first.activations, 2);
        QCOMPARE(screens->activeScreen(), &first);
    }

    void a_hidden_screen_keeps_its_state_and_activates_again_when_shown() {
        First& first = screens->get<First>();
        first.setProperty("typed", 42);
        screens->hide(first);
        QVERIFY(!first.isVisible());
        QCOMPARE(screens->activeScreen(), nullptr);
        sendActivation(first);  // an invisible window never activates
        QCOMPARE(first.activations, 1);

        screens->show<First>();
        QCOMPARE(&screens->get<First>(), &first);
        QCOMPARE(first.property("typed").toInt(), 42);
        QCOMPARE(first.activations, 2);
        first.close();  // the window frame's close button asks the screen
        QCOMPARE(first.closeRequests, 1);
        QVERIFY(first.isVisible());
    }

    void an_unloaded_screen_is_built_afresh_and_loads_again() {
        QPointer<First> old = &screens->get<First>();
        screens->unload<First>();
        QVERIFY(screens->find<First>() == nullptr);
        screens->show<First>();
        QCOMPARE(firstLoads, 2);
        QVERIFY(&screens->get<First>() != old.data());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());
    }

    void ending_the_program_runs_the_end_step_discards_the_screens_and_shows_nothing_more() {
        bool filesClosed = false;
        screens->setOnEnd([&] { filesClosed = true; });
        QSignalSpy ended(screens, &ScreenManager::ended);
        screens->show<Second>();
        screens->endProgram();
        QVERIFY(filesClosed);
        QCOMPARE(ended.count(), 1);
        QVERIFY(screens->programEnded());
        QVERIFY(screens->find<First>() == nullptr && screens->find<Second>() == nullptr);

        screens->show<First>();
        QVERIFY(!screens->get<First>().isVisible());
    }
};

QTEST_MAIN(TestScreenManager)
#include "test_screen_manager.moc"
