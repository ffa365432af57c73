#pragma once

#include "Controls.h"
#include "TextGridModel.h"

#include <QTableView>

// A read-only grid of text cells placed in twips: the header row is fixed
// at the top, there is no row header, and every cell is a text of its
// TextGridModel.
class TextGridView : public QTableView {
    Q_OBJECT

public:
    TextGridView(QWidget* parent, const char* name, int cols, Controls::Place place);

    TextGridModel& cells() { return cells_; }
    const TextGridModel& cells() const { return cells_; }

    void setColWidthTwips(int col, int twips);

private:
    TextGridModel cells_;
};
