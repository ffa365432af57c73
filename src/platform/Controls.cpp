#include "Controls.h"

#include "OptionButton.h"
#include "Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace Controls {

namespace {

template <class Widget>
Widget* placed(Widget* widget, const char* name, Place place) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(Twips::rect(place));
    return widget;
}

// A caption larger than its place makes the control grow to the right and
// downwards rather than be cut.
template <class Widget>
Widget* fitted(Widget* widget) {
    widget->resize(widget->size().expandedTo(widget->sizeHint()));
    return widget;
}

}  // namespace

QPushButton* button(QWidget* parent, const char* name, const QString& caption, Place place) {
    return placed(new QPushButton(caption, parent), name, place);
}

QLabel* label(QWidget* parent, const char* name, const QString& text, Place place) {
    return fitted(placed(new QLabel(text, parent), name, place));
}

QLabel* paragraph(QWidget* parent, const char* name, const QString& text, Place place) {
    QLabel* label = placed(new QLabel(text, parent), name, place);
    label->setWordWrap(true);
    return label;
}

QLineEdit* textBox(QWidget* parent, const char* name, Place place) {
    return placed(new QLineEdit(parent), name, place);
}

// An option keeps within its parent, wrapping a caption too long for it.
QRadioButton* option(QWidget* parent, const char* name, const QString& caption, Place place) {
    auto* button = placed(new OptionButton(caption, parent), name, place);
    button->fitLeftOf(parent->contentsRect().right());
    return button;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, Place place) {
    return placed(new QGroupBox(caption, parent), name, place);
}

QComboBox* dropDownList(QWidget* parent, const char* name, const QStringList& items, Place place) {
    auto* combo = placed(new QComboBox(parent), name, place);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

void clearOption(QRadioButton* option) {
    const QSignalBlocker blocker(option);
    const bool exclusive = option->autoExclusive();
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(exclusive);
}

}  // namespace Controls
