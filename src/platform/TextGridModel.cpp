#include "TextGridModel.h"

TextGridModel::TextGridModel(int cols, QObject* parent)
    : QAbstractTableModel(parent),
      cols_(cols),
      header_(static_cast<std::size_t>(cols)),
      cached_(static_cast<std::size_t>(cols)) {}

const std::vector<QString>& TextGridModel::cachedRow(int row) const {
    if (row != cachedRow_) {
        readDataRow(row, cached_);
        cachedRow_ = row;
    }
    return cached_;
}

QString TextGridModel::text(int row, int col) const {
    if (row < 0 || row >= Rows() || col < 0 || col >= cols_) {
        return {};
    }
    const auto c = static_cast<std::size_t>(col);
    return row == 0 ? header_[c] : cachedRow(row)[c];
}

void TextGridModel::readRow(int row, std::vector<QString>& texts) const {
    texts.resize(static_cast<std::size_t>(cols_));
    if (row == 0) {
        texts = header_;
    } else if (row > 0 && row < Rows()) {
        readDataRow(row, texts);
    } else {
        std::fill(texts.begin(), texts.end(), QString());
    }
}

void TextGridModel::setHeaderText(int col, const QString& text) {
    if (col < 0 || col >= cols_ || header_[static_cast<std::size_t>(col)] == text) {
        return;
    }
    header_[static_cast<std::size_t>(col)] = text;
    emit headerDataChanged(Qt::Horizontal, col, col);
}

void TextGridModel::clearHeader() {
    for (QString& text : header_) {
        text.clear();
    }
    cachedRow_ = 0;
    emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
}

bool TextGridModel::rowShown(int) const {
    return true;
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
