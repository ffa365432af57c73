#pragma once

#include <QString>

#include <vector>

// A table of text cells with one fixed header row and a current cell. Row 0
// is the header row; rows 1 to Rows() - 1 hold the data. A reader walks it
// row by row with readRow and leaves the current cell on the last cell it
// read, so that the operator sees where the walk ended.
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

    // The Cols() texts of a row, without moving the current cell; empty
    // texts for a row outside the table.
    virtual void readRow(int row, std::vector<QString>& texts) const = 0;
};
