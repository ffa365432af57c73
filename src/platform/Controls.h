#pragma once

#include "Twips.h"

#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Builders for controls placed at fixed positions, given in twips as left,
// top, width, height. Each control carries its name as objectName. A label
// or an option whose caption does not fit its place grows to the right and
// downwards.
namespace Controls {

using Place = Twips::Place;

QPushButton* button(QWidget* parent, const char* name, const QString& caption, Place place);
QLabel* label(QWidget* parent, const char* name, const QString& text, Place place);
// A label whose text wraps within its place, which it keeps at any font size.
QLabel* paragraph(QWidget* parent, const char* name, const QString& text, Place place);
QLineEdit* textBox(QWidget* parent, const char* name, Place place);
QRadioButton* option(QWidget* parent, const char* name, const QString& caption, Place place);
QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, Place place);
QComboBox* dropDownList(QWidget* parent, const char* name, const QStringList& items, Place place);

// Unchecks an option button, even the checked one of an exclusive group,
// without emitting its signals.
void clearOption(QRadioButton* option);

}  // namespace Controls
