#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QLineEdit;

// A quiet warning on a text box: a warning mark inside the box's trailing
// edge, whose tooltip gives the hints one per line, and the same text as the
// box's accessible description for screen readers. The box keeps its size,
// place and own tooltip. Any change of the box's text takes the hint away,
// since it spoke of the text that was there.
class TrailingHint : public QObject {
public:
    explicit TrailingHint(QLineEdit* box);

    // Shows the hints, or takes the mark away when there are none.
    void show(const QStringList& hints);
    void clear();

private:
    QLineEdit* box_;
    QAction* mark_;
    // The box's accessible description while no hint is shown.
    QString ownDescription_;
};
