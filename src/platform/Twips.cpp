#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440.0;

double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

}  // namespace

namespace Twips {

int toPixels(int twips) {
    return static_cast<int>(std::lround(twips * logicalDpi() / kTwipsPerInch));
}

QPoint toPixels(QPoint twips) {
    return {toPixels(twips.x()), toPixels(twips.y())};
}

QSize size(int width, int height) {
    return {toPixels(width), toPixels(height)};
}

QRect rect(int left, int top, int width, int height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

}  // namespace Twips
