#pragma once

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

// A line of text on the header picture, in a font small enough for the
// whole line to fit its place.
struct IntroLine {
    QString text;
    QFont font;
    QRect place;
};

// The title and the subtitle of a header picture of the given size.
std::vector<IntroLine> introLines(QSize size);

// The fixed header picture of the intro screen.
QPixmap introImage(QSize size);
