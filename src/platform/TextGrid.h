#pragma once

#include <QString>

// A table of text cells with one fixed header row, read one cell at a time
// through its current cell: make a cell current with setRow/setCol, then
// read Text. Row 0 is the header row; rows 1 to Rows() - 1 hold the data.
class TextGrid {
public:
    virtual ~TextGrid() = default;

    // Number of rows, the header row included.
    virtual int Rows() const = 0;
    virtual int Cols() const = 0;

    // The current cell. Any position is accepted; a cell outside the table
    // reads as an empty text.
    virtual int Row() const = 0;
    virtual void setRow(int row) = 0;
    virtual int Col() const = 0;
    virtual void setCol(int col) = 0;

    // The text of the current cell.
    virtual QString Text() const = 0;
};
