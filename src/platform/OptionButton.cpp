#include "OptionButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

OptionButton::OptionButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {}

void OptionButton::fitLeftOf(int right) {
    resize(std::clamp(sizeHint().width(), width(), std::max(width(), right - x())), height());
    const QRect caption = captionRect();
    const int lines = fontMetrics()
                          .boundingRect(QRect(0, 0, caption.width(), QWIDGETSIZE_MAX),
                                        Qt::TextWordWrap | Qt::TextShowMnemonic, text())
                          .height();
    resize(width(), std::max(height(), lines + height() - caption.height()));
}

bool OptionButton::captionFits() const {
    return sizeHint().width() <= width();
}

QRect OptionButton::captionRect() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
}

void OptionButton::paintEvent(QPaintEvent* event) {
    if (captionFits()) {
        QRadioButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_RadioButton, option);
    painter.drawText(captionRect(),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                     text());
}

bool OptionButton::hitButton(const QPoint& position) const {
    return rect().contains(position);
}
