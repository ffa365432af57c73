#pragma once

#include <QPixmap>
#include <QSize>

// The fixed header picture of the intro screen.
QPixmap introImage(QSize size);
