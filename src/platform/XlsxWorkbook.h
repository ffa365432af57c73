#pragma once

#include "FileSystem.h"
#include "Result.h"

#include <QString>

#include <memory>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// A new .xlsx workbook file with one worksheet, written with libxlsxwriter
// in constant-memory mode: rows are streamed to a temporary file as they are
// written, so they must come in increasing order, and cells of one row in
// any order. Rows and columns count from 1 (cell A1 is 1, 1); cell values
// are strings or numbers, never formulas.
//
// The file is created at once through the file system, as a new file
// readable by its owner alone: an existing file is never overwritten. It
// holds the workbook only after close() succeeds; a workbook that fails or is
// dropped before then removes its file.
class XlsxWorkbook {
public:
    enum class Style { Normal, Bold };

    // Fails with the system's EEXIST as code when the file already exists,
    // and with an Italian description for a sheet name the spreadsheet
    // would refuse or a file that cannot be created.
    static Result<std::unique_ptr<XlsxWorkbook>> create(FileSystem& fs, const QString& path,
                                                        const QString& sheetName);
    // Whether a workbook accepts the sheet name; the reason in Italian when
    // it does not (empty, reserved, too long, a character or an apostrophe
    // it refuses).
    static Result<void> checkSheetName(const QString& sheetName);
    ~XlsxWorkbook();
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    // An empty text leaves the cell without a value (only its style).
    Result<void> writeString(int row, int col, const QString& text, Style style = Style::Normal);
    Result<void> writeNumber(int row, int col, double value, Style style = Style::Normal);
    // A cell with a style and no value.
    Result<void> writeBlank(int row, int col, Style style);
    // Width in the spreadsheet's character units.
    Result<void> setColumnWidth(int col, double width);

    // Writes the whole workbook into the file.
    Result<void> close();

    const QString& path() const { return path_; }

private:
    XlsxWorkbook(FileSystem& fs, QString path, lxw_workbook* workbook, lxw_worksheet* sheet,
                 lxw_format* bold);

    lxw_format* format(Style style) const;
    // Turns a failed call into an Error, with the reason the system gave.
    Result<void> check(int error, int savedErrno, int row, int col) const;
    void discard();

    FileSystem& fs_;
    QString path_;
    lxw_workbook* workbook_;
    lxw_worksheet* sheet_;
    lxw_format* bold_;
    std::vector<char> utf8_;
};

// The name of a cell as the spreadsheet shows it ("B4").
QString cellName(int row, int col);
