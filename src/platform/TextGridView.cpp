#include "TextGridView.h"

#include "Twips.h"

#include <QHeaderView>

TextGridView::TextGridView(QWidget* parent, const char* name, TextGridModel& cells,
                           Controls::Place place)
    : QTableView(parent), cells_(cells), order_(cells) {
    setObjectName(QString::fromLatin1(name));
    setGeometry(Twips::rect(place));
    setModel(&order_);
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
    // A header wider than its column goes on over a second line.
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    horizontalHeader()->setMinimumHeight(horizontalHeader()->sizeHint().height() +
                                         fontMetrics().lineSpacing());
    // No column is sorted until the operator clicks one.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
}

void TextGridView::setColWidthTwips(int col, int twips) {
    setColumnWidth(col, Twips::toPixels(twips));
}

void TextGridView::setRow(int row) {
    row_ = row;
    showCurrent();
}

void TextGridView::setCol(int col) {
    col_ = col;
    showCurrent();
}

void TextGridView::showCurrent() {
    if (row_ >= 1 && row_ < Rows() && col_ >= 0 && col_ < Cols()) {
        setCurrentIndex(order_.index(row_ - 1, col_));
    }
}

void TextGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid()) {
        row_ = current.row() + 1;
        col_ = current.column();
    }
}

QString TextGridView::Text() const {
    return cells_.text(cellsRow(row_), col_);
}

void TextGridView::readRow(int row, std::vector<QString>& texts) const {
    cells_.readRow(cellsRow(row), texts);
}
