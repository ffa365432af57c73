#pragma once

#include <QCursor>
#include <QGuiApplication>

// Shows the hourglass pointer over every window of the program until it is
// restored or the guard goes, whichever comes first.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void restore() {
        if (shown_) {
            QGuiApplication::restoreOverrideCursor();
            shown_ = false;
        }
    }

private:
    bool shown_ = true;
};
