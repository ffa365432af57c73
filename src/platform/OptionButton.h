#pragma once

#include <QRadioButton>

// An option button whose caption wraps onto further lines when it is wider
// than the button, as long captions of a tall option do.
class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    OptionButton(const QString& caption, QWidget* parent);

    // Widens the button for its caption up to the right edge x = `right`,
    // then lets it grow downwards for the lines the caption wraps onto.
    void fitLeftOf(int right);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    bool captionFits() const;
    QRect captionRect() const;
};
