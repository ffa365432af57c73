#pragma once

#include "Controls.h"
#include "TextGrid.h"
#include "TextGridModel.h"
#include "TextGridOrder.h"

#include <QTableView>

// A read-only grid of text cells placed in twips: the header row is fixed
// at the top, there is no row header, and every cell is a text of its
// TextGridModel. Clicking a column header sorts the rows shown by that
// column, clicking it again reverses the order; the cells themselves keep
// their order.
//
// As a TextGrid the view is the table as shown: the rows the cells show, in
// the order shown; its current cell is the one the operator sees as current.
class TextGridView : public QTableView, public TextGrid {
    Q_OBJECT

public:
    TextGridView(QWidget* parent, const char* name, TextGridModel& cells, Controls::Place place);

    void setColWidthTwips(int col, int twips);
    // The row of the cells (from 1) shown as row `row` (from 1); -1 for a
    // row not shown.
    int cellsRow(int row) const { return order_.cellsRow(row); }

    // TextGrid
    int Rows() const override { return order_.rowCount() + 1; }
    int Cols() const override { return cells_.Cols(); }
    int Row() const override { return row_; }
    void setRow(int row) override;
    int Col() const override { return col_; }
    void setCol(int col) override;
    QString Text() const override;
    void readRow(int row, std::vector<QString>& texts) const override;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void showCurrent();

    TextGridModel& cells_;
    TextGridOrder order_;
    int row_ = 0;
    int col_ = 0;
};
