#pragma once

#include <QWidget>

#include <initializer_list>

class QPushButton;
class ScreenManager;

// A window of the program. Screens are shown modeless, hidden (they keep
// their controls and state) or unloaded (the next showing builds them anew)
// through the ScreenManager, which also runs their loading and activation
// steps.
class Screen : public QWidget {
    Q_OBJECT

public:
    explicit Screen(ScreenManager& screens);

protected:
    friend class ScreenManager;

    // Loading steps: run once, after the screen is built and before it is
    // first shown.
    virtual void load() {}

    // Activation steps: run each time the screen becomes the active window
    // among the program's screens (not when a dialog over it closes).
    virtual void activate() {}

    // The operator closed the window through its frame. The window itself
    // stays as it is; each screen decides what closing means.
    virtual void closeRequested() {}

    ScreenManager& screens() const { return screens_; }

    // Enter presses this button while it is visible and enabled, unless the
    // focus is on another button, which Enter then presses.
    void setDefaultButton(QPushButton* button);

    // Sets the inner size of the window, in twips, and fixes it.
    void setInnerSizeTwips(int width, int height);

    // The Tab key visits the widgets in this order.
    static void chainTabOrder(std::initializer_list<QWidget*> widgets);

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ScreenManager& screens_;
    QPushButton* defaultButton_ = nullptr;
};
