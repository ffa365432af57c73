#include "Twips.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440.0;

// The screens were laid out for a font whose letters average 5.75 pixels at
// 96 dots per inch. A wider font stretches every place and size by the same
// factor, so that captions keep fitting their controls; a narrower one keeps
// the original sizes.
constexpr double kReferenceLetterWidthAt96Dpi = 5.75;

double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

double fontStretch(double dpi) {
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double letterWidth =
        QFontMetricsF(QGuiApplication::font()).horizontalAdvance(alphabet) / alphabet.size();
    return std::max(1.0, letterWidth / (kReferenceLetterWidthAt96Dpi * dpi / 96.0));
}

double pixelsPerTwip() {
    const double dpi = logicalDpi();
    return dpi / kTwipsPerInch * fontStretch(dpi);
}

}  // namespace

namespace Twips {

int toPixels(int twips) {
    return static_cast<int>(std::lround(twips * pixelsPerTwip()));
}

QPoint toPixels(QPoint twips) {
    return {toPixels(twips.x()), toPixels(twips.y())};
}

QSize size(int width, int height) {
    return {toPixels(width), toPixels(height)};
}

QRect rect(Place place) {
    return {toPixels(place.left), toPixels(place.top), toPixels(place.width),
            toPixels(place.height)};
}

}  // namespace Twips
