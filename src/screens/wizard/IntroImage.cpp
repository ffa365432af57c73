#include "IntroImage.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace {

// A font of the family in the largest pixel size, up to `pixelSize`, that
// shows `text` within `place`.
QFont fittingFont(const QString& family, bool bold, int pixelSize, const QString& text,
                  QRect place) {
    QFont font(family);
    font.setBold(bold);
    for (int size = std::min(pixelSize, place.height()); size > 1; --size) {
        font.setPixelSize(size);
        const QRect needed = QFontMetrics(font).boundingRect(text);
        if (needed.width() <= place.width() && needed.height() <= place.height()) {
            break;
        }
    }
    return font;
}

}  // namespace

std::vector<IntroLine> introLines(QSize size) {
    const int width = size.width();
    const int height = size.height();
    const int margin = width / 20;
    const QRect titlePlace(margin, height / 5, width - 2 * margin, height / 4);
    const QRect subtitlePlace(margin, height / 2 - height / 20, width - 2 * margin, height / 8);
    const QString title = QStringLiteral("Sovvenzia");
    const QString subtitle =
        QStringLiteral("Contributi per le spese di istruzione - L. 10 marzo 2000, n. 62");
    return {
        {title, fittingFont(QStringLiteral("DejaVu Serif"), true, height / 6, title, titlePlace),
         titlePlace},
        {subtitle,
         fittingFont(QStringLiteral("DejaVu Sans"), false, height / 18, subtitle, subtitlePlace),
         subtitlePlace},
    };
}

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
    for (const IntroLine& line : introLines(size)) {
        painter.setFont(line.font);
        painter.drawText(line.place, Qt::AlignCenter, line.text);
    }
    return pixmap;
}
