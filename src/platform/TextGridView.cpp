#include "TextGridView.h"

#include "Twips.h"

#include <QHeaderView>

TextGridView::TextGridView(QWidget* parent, const char* name, int cols, Controls::Place place)
    : QTableView(parent), cells_(cols) {
    setObjectName(QString::fromLatin1(name));
    setGeometry(Twips::rect(place.left, place.top, place.width, place.height));
    setModel(&cells_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    // Every row has the same height, so a table of thousands of rows is laid
    // out without measuring any of them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
}

void TextGridView::setColWidthTwips(int col, int twips) {
    setColumnWidth(col, Twips::toPixels(twips));
}
