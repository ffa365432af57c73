#include "TextGridOrder.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>

namespace {

const QCollator& italianOrder() {
    static const QCollator collator(QLocale(QLocale::Italian, QLocale::Italy));
    return collator;
}

}  // namespace

TextGridOrder::TextGridOrder(TextGridModel& cells, QObject* parent)
    : QSortFilterProxyModel(parent), cells_(cells) {
    connect(&cells, &QAbstractItemModel::rowsRemoved, this, &TextGridOrder::forgetKeys);
    connect(&cells, &QAbstractItemModel::modelReset, this, &TextGridOrder::forgetKeys);
    // Mapped afresh in one step: one change of layout for the views.
    connect(&cells, &TextGridModel::rowsShownChanged, this, &TextGridOrder::invalidate);
    setSourceModel(&cells);
}

int TextGridOrder::cellsRow(int row) const {
    if (row == 0) {
        return 0;
    }
    if (row < 0 || row > rowCount()) {
        return -1;
    }
    return mapToSource(index(row - 1, 0)).row() + 1;
}

bool TextGridOrder::filterAcceptsRow(int row, const QModelIndex&) const {
    return cells_.rowShown(row + 1);
}

void TextGridOrder::forgetKeys() const {
    keys_.clear();
    ranks_.clear();
}

namespace {

bool keyLess(const std::variant<double, QCollatorSortKey>& a,
             const std::variant<double, QCollatorSortKey>& b) {
    if (const double* number = std::get_if<double>(&a)) {
        return *number < std::get<double>(b);
    }
    return std::get<QCollatorSortKey>(a).compare(std::get<QCollatorSortKey>(b)) < 0;
}

}  // namespace

void TextGridOrder::computeKeys(int row) const {
    if (keyColumn_ != sortColumn()) {
        keyColumn_ = sortColumn();
        forgetKeys();
    }
    const auto wanted = static_cast<std::size_t>(row) + 1;
    if (keys_.size() < wanted) {
        // Rows are added at the end: the keys of every new row at once.
        const std::size_t rows = static_cast<std::size_t>(cells_.rowCount());
        keys_.reserve(rows);
        for (std::size_t r = keys_.size(); r < rows; ++r) {
            const TextGridModel::SortKey key = cells_.sortKey(static_cast<int>(r) + 1, keyColumn_);
            if (const double* number = std::get_if<double>(&key)) {
                keys_.emplace_back(*number);
            } else {
                keys_.emplace_back(italianOrder().sortKey(std::get<QString>(key)));
            }
        }
        rankKeys();
    }
}

void TextGridOrder::rankKeys() const {
    std::vector<int> order(keys_.size());
    std::iota(order.begin(), order.end(), 0);
    const auto less = [this](int a, int b) {
        return keyLess(keys_[static_cast<std::size_t>(a)], keys_[static_cast<std::size_t>(b)]);
    };
    std::stable_sort(order.begin(), order.end(), less);
    ranks_.assign(keys_.size(), 0);
    int rank = 0;
    for (std::size_t i = 1; i < order.size(); ++i) {
        rank += less(order[i - 1], order[i]) ? 1 : 0;
        ranks_[static_cast<std::size_t>(order[i])] = rank;
    }
}

bool TextGridOrder::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    computeKeys(std::max(left.row(), right.row()));
    return ranks_[static_cast<std::size_t>(left.row())] <
           ranks_[static_cast<std::size_t>(right.row())];
}
