#pragma once

#include <QAbstractTableModel>

#include <variant>
#include <vector>

// A read-only table of text cells for views: the header texts (row 0), kept
// here, and the data rows, which a subclass supplies a whole row at a time
// when a view or a reader asks for them, so that a large table need not hold
// its texts. Views show data row r as their row r - 1 and the header texts
// as their horizontal header; a subclass may have them show only some rows.
class TextGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TextGridModel(int cols, QObject* parent = nullptr);

    // Number of rows, the header row included.
    int Rows() const { return 1 + dataRows(); }
    int Cols() const { return cols_; }

    // The text of a cell, empty outside the table.
    QString text(int row, int col) const;
    // The Cols() texts of a row; empty texts outside the table.
    void readRow(int row, std::vector<QString>& texts) const;
    void setHeaderText(int col, const QString& text);

    // What a cell sorts by: a number by value, a text in the order of the
    // user's language.
    using SortKey = std::variant<double, QString>;
    virtual SortKey sortKey(int row, int col) const = 0;

    // Whether views show data row `row` (from 1); all rows, unless a subclass
    // narrows them and emits rowsShownChanged when it does.
    virtual bool rowShown(int row) const;

signals:
    void rowsShownChanged();

public:
    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    virtual int dataRows() const = 0;
    // Fills texts (already Cols() long) with data row `row`, from 1.
    virtual void readDataRow(int row, std::vector<QString>& texts) const = 0;

    // Empties the header texts and forgets the row read last; a subclass
    // calls this whenever it drops its rows.
    void clearHeader();

private:
    const std::vector<QString>& cachedRow(int row) const;

    int cols_;
    std::vector<QString> header_;
    // The data row read last: a view asks for a row's cells one by one.
    mutable int cachedRow_ = 0;
    mutable std::vector<QString> cached_;
};
