#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Positions and sizes of controls are given in twips, 1/1440 of an inch;
// they map to pixels through the screen's logical resolution, stretched
// evenly when the interface font is wider than the one the screens were laid
// out for.
namespace Twips {

int toPixels(int twips);
QPoint toPixels(QPoint twips);
QSize size(int width, int height);
// A control's place, as left, top, width and height.
struct Place {
    int left, top, width, height;
};
QRect rect(Place place);

}  // namespace Twips
