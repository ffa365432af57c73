#pragma once

#include "Screen.h"

#include <QMargins>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <vector>

// Shows, hides and unloads the program's screens, one instance of each
// screen class at a time, and runs their activation steps each time one of
// them becomes the active window. Referring to a screen that is not loaded
// builds it and runs its loading steps first.
class ScreenManager : public QObject {
    Q_OBJECT

public:
    ScreenManager() = default;
    ~ScreenManager() override;

    // How to build a screen of class T.
    template <class T>
    void define(std::function<std::unique_ptr<T>()> build) {
        factories_[typeid(T)] = [build = std::move(build)]() -> std::unique_ptr<Screen> {
            return build();
        };
    }

    // The loaded screen of class T, built and loaded first if needed.
    template <class T>
    T& get() {
        return static_cast<T&>(load(typeid(T)));
    }

    // The loaded screen of class T, or nullptr.
    template <class T>
    T* find() const {
        const auto it = loaded_.find(typeid(T));
        return it == loaded_.end() ? nullptr : static_cast<T*>(it->second);
    }

    template <class T>
    void show() {
        show(get<T>());
    }
    template <class T>
    void hide() {
        if (T* screen = find<T>()) {
            hide(*screen);
        }
    }
    template <class T>
    void unload() {
        if (T* screen = find<T>()) {
            unload(*screen);
        }
    }

    // Makes the screen visible and active; its activation steps run when it
    // was not the active screen already. A screen's first showing centres it
    // in the available area of the screen it opens on (the desktop's panels
    // left out), the window's frame and title bar included; a window larger
    // than that area gives way first.
    void show(Screen& screen);
    void hide(Screen& screen);
    // Discards the screen; it is deleted once control returns to the event
    // loop, so a screen may unload itself from its own handlers.
    void unload(Screen& screen);

    // What ending the program must do before the screens go (close the
    // list files).
    void setOnEnd(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }

    // Ends the program at once: runs the end step, hides and discards every
    // screen and emits ended(). Nothing is shown any more afterwards.
    void endProgram();

signals:
    void ended();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Screen& load(std::type_index type);
    void becomeActive(Screen& screen);
    // The frame the window manager gives the program's windows.
    QMargins frameMargins() const;
    void placeOnItsScreen(Screen& screen);

    std::unordered_map<std::type_index, std::function<std::unique_ptr<Screen>()>> factories_;
    std::unordered_map<std::type_index, Screen*> loaded_;
    std::vector<QPointer<Screen>> discarded_;
    QPointer<Screen> active_;
    std::function<void()> onEnd_;
    bool ended_ = false;
};
