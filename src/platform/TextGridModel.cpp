#include "TextGridModel.h"

#include <iterator>

namespace {

const QString kNessunTesto;

}  // namespace

TextGridModel::TextGridModel(int cols, QObject* parent)
    : QAbstractTableModel(parent), cols_(cols), header_(static_cast<std::size_t>(cols)) {}

bool TextGridModel::contains(int row, int col) const {
    return row >= 0 && row < Rows() && col >= 0 && col < cols_;
}

const QString& TextGridModel::text(int row, int col) const {
    if (!contains(row, col)) {
        return kNessunTesto;
    }
    if (row == 0) {
        return header_[static_cast<std::size_t>(col)];
    }
    return cells_[static_cast<std::size_t>(row - 1) * cols_ + col];
}

void TextGridModel::setText(int row, int col, const QString& text) {
    if (!contains(row, col)) {
        return;
    }
    if (row == 0) {
        header_[static_cast<std::size_t>(col)] = text;
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    cells_[static_cast<std::size_t>(row - 1) * cols_ + col] = text;
    const QModelIndex changed = index(row - 1, col);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void TextGridModel::appendRows(std::vector<QString> cells) {
    const int added = static_cast<int>(cells.size()) / cols_;
    if (added == 0) {
        return;
    }
    const int first = dataRows();
    cells.resize(static_cast<std::size_t>(added) * cols_);
    beginInsertRows({}, first, first + added - 1);
    if (cells_.empty()) {
        cells_ = std::move(cells);
    } else {
        cells_.insert(cells_.end(), std::make_move_iterator(cells.begin()),
                      std::make_move_iterator(cells.end()));
    }
    endInsertRows();
}

void TextGridModel::clear() {
    for (QString& text : header_) {
        text.clear();
    }
    emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    if (cells_.empty()) {
        return;
    }
    beginRemoveRows({}, 0, dataRows() - 1);
    std::vector<QString>().swap(cells_);
    endRemoveRows();
}

int TextGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : dataRows();
}

int TextGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    return text(index.row() + 1, index.column());
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return {};
    }
    return text(0, section);
}

Qt::ItemFlags TextGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
