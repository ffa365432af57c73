#pragma once

#include "TextGrid.h"

#include <QAbstractTableModel>

#include <vector>

// The cells of a read-only text grid: the header texts (row 0) and the data
// rows, kept row after row in one vector so that a large table costs one
// string per cell and nothing per row. Views show the header texts as their
// horizontal header and data row r as their row r - 1.
class TextGridModel : public QAbstractTableModel, public TextGrid {
    Q_OBJECT

public:
    explicit TextGridModel(int cols, QObject* parent = nullptr);

    // TextGrid
    int Rows() const override { return 1 + dataRows(); }
    int Cols() const override { return cols_; }
    int Row() const override { return row_; }
    void setRow(int row) override { row_ = row; }
    int Col() const override { return col_; }
    void setCol(int col) override { col_ = col; }
    QString Text() const override { return text(row_, col_); }

    // The text of a cell, empty outside the table.
    const QString& text(int row, int col) const;
    // Sets the text of an existing cell; the header row is row 0.
    void setText(int row, int col, const QString& text);

    // Appends data rows at the end, Cols() texts per row, row after row.
    void appendRows(std::vector<QString> cells);
    // Empties every cell, the header texts included, and keeps the header
    // row alone.
    void clear();

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    int dataRows() const { return static_cast<int>(cells_.size() / cols_); }
    bool contains(int row, int col) const;

    int cols_;
    std::vector<QString> header_;
    std::vector<QString> cells_;
    int row_ = 0;
    int col_ = 0;
};
