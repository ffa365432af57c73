#pragma once

#include <QPointer>
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

    // The focus has left `widget` for another control of this screen, moved by
    // the operator or by the program, whether or not the window was active
    // at that moment. A switch to another window, and back, does not count.
    virtual void focusLeft(QWidget* widget) { Q_UNUSED(widget); }

    // Moves the focus to `widget`, counting the move as leaving the control
    // that had it.
    void moveFocus(QWidget* widget);

    // Counts a focus move that Qt did not report: on an inactive window
    // setFocus() and mouse presses move the focus without any focus event.
    void followFocus();

    // The operator closed the window through its frame. The window itself
    // stays as it is; each screen decides what closing means.
    virtual void closeRequested() {}

    ScreenManager& screens() const { return screens_; }

    // Enter presses this button while it is visible and enabled, unless the
    // focus is on another button, which Enter then presses.
    void setDefaultButton(QPushButton* button);

    // Sets the inner size of the window, in twips, and fixes it.
    void setInnerSizeTwips(int width, int height);

    // The screen the window opens on leaves `room` pixels for its inner
    // area, less than its size: the window gives way where it can. A
    // resizable window shrinks to the room, down to its minimum size; a
    // fixed one keeps its size.
    virtual void giveWay(QSize room);

    // The Tab key visits the widgets in this order.
    static void chainTabOrder(std::initializer_list<QWidget*> widgets);

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ScreenManager& screens_;
    QPushButton* defaultButton_ = nullptr;
    // The control of this screen last seen with the focus.
    QPointer<QWidget> focusSeen_;
};
