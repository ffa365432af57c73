#include "Screen.h"

#include "Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>

Screen::Screen(ScreenManager& screens) : screens_(screens) {
    setAttribute(Qt::WA_QuitOnClose, false);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && isAncestorOf(now)) {
            followFocus();
        }
    });
}

void Screen::moveFocus(QWidget* widget) {
    widget->setFocus(Qt::OtherFocusReason);
    followFocus();
}

void Screen::followFocus() {
    QWidget* now = focusWidget();
    // The menu bar holds the focus only while the operator walks the menus
    // from the keyboard; closing them gives it back to the control left.
    if (now == nullptr || now == focusSeen_ || qobject_cast<QMenuBar*>(now) != nullptr) {
        return;
    }
    const QPointer<QWidget> left = focusSeen_;
    focusSeen_ = now;
    if (left != nullptr) {
        focusLeft(left);
    }
}

void Screen::setDefaultButton(QPushButton* button) {
    if (defaultButton_ != nullptr) {
        defaultButton_->setDefault(false);
    }
    defaultButton_ = button;
    if (button != nullptr) {
        button->setDefault(true);
    }
}

void Screen::setInnerSizeTwips(int width, int height) {
    setFixedSize(Twips::size(width, height));
}

void Screen::giveWay(QSize room) {
    resize(size().boundedTo(room));
}

void Screen::chainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void Screen::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeRequested();
}

void Screen::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    QPushButton* target = focused != nullptr ? focused : defaultButton_;
    if (target != nullptr && target->isVisible() && target->isEnabled()) {
        target->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
