#pragma once

#include <QString>

#include <vector>

// Fits the columns of a worksheet to their contents: each column becomes as
// wide as its longest value, measured in the spreadsheet's character units
// (the width of a digit of its default font).
class LarghezzaColonne {
public:
    // Takes a value written into column col (from 1) into account.
    void misura(int col, const QString& testo, bool grassetto);

    // The fitted width of column col, or 0 when nothing was written there.
    double larghezza(int col) const;
    int ultimaColonna() const { return static_cast<int>(pixel_.size()); }

private:
    std::vector<int> pixel_;
};
