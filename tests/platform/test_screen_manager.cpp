#include "Screen.h"
#include "ScreenManager.h"

#include <QtTest>

namespace {

// A screen that counts its loading and activation steps.
class CountingScreen : public Screen {
public:
    explicit CountingScreen(ScreenManager& screens, int& loads) : Screen(screens), loads_(loads) {}

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

void sendActivation(QWidget& window) {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
}

}  // namespace

class TestScreenManager : public QObject {
    Q_OBJECT

private:
    ScreenManager* screens = nullptr;
    int firstLoads = 0;
    int secondLoads = 0;

private slots:
    void init() {
        firstLoads = secondLoads = 0;
        screens = new ScreenManager;
        screens->define<First>([this] { return std::make_unique<First>(*screens, firstLoads); });
        screens->define<Second>([this] { return std::make_unique<Second>(*screens, secondLoads); });
    }
    void cleanup() { delete screens; }

    void showing_a_screen_loads_it_once_and_activates_it() {
        screens->show<First>();
        First& first = screens->get<First>();
        QCOMPARE(firstLoads, 1);
        QCOMPARE(first.activations, 1);
        QVERIFY(first.isVisible());
        QCOMPARE(screens->activeScreen(), &first);

        screens->show<First>();
        QCOMPARE(firstLoads, 1);
        QCOMPARE(first.activations, 1);  // already active: showing it again changes nothing
    }

    void activation_runs_on_return_from_another_screen_not_when_a_dialog_closes() {
        screens->show<First>();
        First& first = screens->get<First>();
        sendActivation(first);  // what a closing message box gives back to its window
        QCOMPARE(first.activations, 1);

        screens->show<Second>();
        QCOMPARE(screens->get<Second>().activations, 1);
        sendActivation(first);  // the operator clicks on the first screen
        QCOMPARE(first.activations, 2);
        QCOMPARE(screens->activeScreen(), &first);
    }

    void a_hidden_screen_keeps_its_state_and_activates_again_when_shown() {
        screens->show<First>();
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
    }

    void an_unloaded_screen_is_built_afresh_and_loads_again() {
        screens->show<First>();
        QPointer<First> old = &screens->get<First>();
        screens->unload<First>();
        QVERIFY(screens->find<First>() == nullptr);
        screens->show<First>();
        QCOMPARE(firstLoads, 2);
        QVERIFY(&screens->get<First>() != old.data());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());
    }

    void closing_the_frame_asks_the_screen_and_keeps_the_window() {
        screens->show<First>();
        First& first = screens->get<First>();
        first.close();
        QCOMPARE(first.closeRequests, 1);
        QVERIFY(first.isVisible());
    }

    void ending_the_program_runs_the_end_step_discards_the_screens_and_shows_nothing_more() {
        bool filesClosed = false;
        screens->setOnEnd([&] { filesClosed = true; });
        QSignalSpy ended(screens, &ScreenManager::ended);
        screens->show<First>();
        screens->show<Second>();
        screens->endProgram();
        QVERIFY(filesClosed);
        QCOMPARE(ended.count(), 1);
        QVERIFY(screens->programEnded());
        QVERIFY(screens->find<First>() == nullptr);
        QVERIFY(screens->find<Second>() == nullptr);

        screens->show<First>();
        QVERIFY(!screens->get<First>().isVisible());
    }
};

QTEST_MAIN(TestScreenManager)
#include "test_screen_manager.moc"
