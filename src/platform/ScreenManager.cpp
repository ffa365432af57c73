#include "ScreenManager.h"

#include <QEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <stdexcept>

namespace {

// The window manager tells a window's frame some time after its first
// showing. Until it has told that of one of the program's windows, the frame
// is taken as a title bar of 36 pixels and borders of 2, as thick as those of
// the common desktops.
constexpr QMargins kFrameBeforeFraming(2, 36, 2, 2);

}  // namespace

ScreenManager::~ScreenManager() {
    for (auto& [type, screen] : loaded_) {
        delete screen;
    }
    for (const QPointer<Screen>& screen : discarded_) {
        delete screen.data();
    }
}

Screen& ScreenManager::load(std::type_index type) {
    if (const auto it = loaded_.find(type); it != loaded_.end()) {
        return *it->second;
    }
    const auto factory = factories_.find(type);
    if (factory == factories_.end()) {
        throw std::logic_error(std::string("screen not defined: ") + type.name());
    }
    Screen* screen = factory->second().release();
    loaded_[type] = screen;
    screen->installEventFilter(this);
    screen->load();
    return *screen;
}

void ScreenManager::show(Screen& screen) {
    if (ended_) {
        return;
    }
    if (screen.windowHandle() == nullptr) {
        placeOnItsScreen(screen);
    }
    screen.show();
    screen.raise();
    screen.activateWindow();
    becomeActive(screen);
}

void ScreenManager::hide(Screen& screen) {
    screen.hide();
    if (active_ == &screen) {
        active_ = nullptr;
    }
}

void ScreenManager::unload(Screen& screen) {
    hide(screen);
    for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
        if (it->second == &screen) {
            loaded_.erase(it);
            break;
        }
    }
    screen.removeEventFilter(this);
    discarded_.emplace_back(&screen);
    screen.deleteLater();
}

void ScreenManager::endProgram() {
    if (ended_) {
        return;
    }
    ended_ = true;
    if (onEnd_) {
        onEnd_();
    }
    std::vector<Screen*> screens;
    for (const auto& [type, screen] : loaded_) {
        screens.push_back(screen);
    }
    for (Screen* screen : screens) {
        unload(*screen);
    }
    emit ended();
}

QMargins ScreenManager::frameMargins() const {
    for (const auto& [type, screen] : loaded_) {
        const QWindow* window = screen->windowHandle();
        if (window != nullptr && !window->frameMargins().isNull()) {
            return window->frameMargins();
        }
    }
    return kFrameBeforeFraming;
}

void ScreenManager::placeOnItsScreen(Screen& screen) {
    if (!screen.testAttribute(Qt::WA_Resized)) {
        screen.adjustSize();  // a window sized by its layout: its natural size
    }
    const QMargins margins = frameMargins();
    const QRect area = screen.screen()->availableGeometry();
    const QSize room = area.size().shrunkBy(margins);
    if (screen.width() > room.width() || screen.height() > room.height()) {
        screen.giveWay(room);
    }
    QRect frame(QPoint(), screen.size().grownBy(margins));
    frame.moveCenter(area.center());
    // Too large still: its title bar stays within reach.
    screen.move(std::max(frame.left(), area.left()), std::max(frame.top(), area.top()));
}

void ScreenManager::becomeActive(Screen& screen) {
    if (active_ == &screen) {
        return;
    }
    active_ = &screen;
    screen.activate();
}

bool ScreenManager::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !ended_) {
        auto* screen = static_cast<Screen*>(watched);
        if (screen->isVisible()) {
            becomeActive(*screen);
        }
    }
    return QObject::eventFilter(watched, event);
}
