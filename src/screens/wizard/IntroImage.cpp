#include "IntroImage.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

QPixmap introImage(QSize size) {
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(18, 52, 104));
    sky.setColorAt(1.0, QColor(64, 120, 184));
    painter.fillRect(pixmap.rect(), sky);

    // A row of open books along the bottom edge.
    const int bookWidth = size.width() / 8;
    const int baseline = size.height() - size.height() / 8;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 8; ++i) {
        const int left = i * bookWidth + bookWidth / 8;
        const QColor cover = QColor::fromHsv((i * 37) % 360, 90, 240);
        painter.setBrush(cover);
        painter.drawRect(left, baseline - size.height() / 10, bookWidth * 3 / 4,
                         size.height() / 10);
    }

    painter.setPen(Qt::white);
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(size.height() / 6);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(0, size.height() / 5, size.width(), size.height() / 4), Qt::AlignCenter,
                     QStringLiteral("Sovvenzia"));

    const QString motto =
        QStringLiteral("Contributi per le spese di istruzione - L. 10 marzo 2000, n. 62");
    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(size.height() / 18);
    // Smaller when the line would not fit nine tenths of the width.
    const int lineWidth = QFontMetrics(subtitle).horizontalAdvance(motto);
    if (lineWidth > size.width() * 9 / 10) {
        subtitle.setPixelSize(subtitle.pixelSize() * size.width() * 9 / 10 / lineWidth);
    }
    painter.setFont(subtitle);
    painter.drawText(
        QRect(0, size.height() / 2 - size.height() / 20, size.width(), size.height() / 8),
        Qt::AlignCenter, motto);
    return pixmap;
}
