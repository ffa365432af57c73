#pragma once

#include "TextGridModel.h"

#include <QCollatorSortKey>
#include <QSortFilterProxyModel>

#include <variant>
#include <vector>

// The rows of a TextGridModel in the order a view shows them: their own order
// until the view sorts by a column, then by that column's keys (numbers by
// value, texts in the Italian order, accented letters with their plain
// ones), rows with equal keys in their own order. Only the rows the cells
// show are there, and rows added later take their sorted place. The keys of
// the sort column are computed once and kept.
class TextGridOrder : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit TextGridOrder(TextGridModel& cells, QObject* parent = nullptr);

    // The row of the cells (from 1) shown as row `row` (from 1); the header
    // row 0 stays 0, and a row not shown is -1.
    int cellsRow(int row) const;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    using Key = std::variant<double, QCollatorSortKey>;
    // Makes sure the keys of the sort column, and their ranks, reach the row.
    void computeKeys(int row) const;
    void rankKeys() const;
    void forgetKeys() const;

    TextGridModel& cells_;
    mutable int keyColumn_ = -1;
    mutable std::vector<Key> keys_;
    // The place of each row's key among the keys, equal keys alike: rows are
    // compared by it, so that showing other rows in the same order compares
    // numbers only.
    mutable std::vector<int> ranks_;
};
