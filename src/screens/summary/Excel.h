#pragma once

#include <QString>

#include <cstdint>

class Desktop;
class DialogService;
class FileSystem;
class TextGrid;

namespace Excel {

// What the export needs of the program around it: the dialogs for its
// messages, the desktop whose documents folder receives the workbook and
// whose spreadsheet application opens it, and the file system through which
// the workbook file is created.
struct Ambiente {
    DialogService& dialogs;
    Desktop& desktop;
    FileSystem& fs;
};

// Copies the table Grid into the only sheet of a new workbook file, written
// in the documents folder and then opened with the desktop's application:
// A1 "COMUNE DI: " and sNomeApp, A2 "SCUOLA " and the sheet name, the header
// texts of columns 1 to Cols - 1 in bold in row 3, table row r in sheet row
// r + 3; table column 0 is left out. The sheet is named sName without the
// characters a sheet name cannot hold.
//
// sColData lists the columns converted from date type nTipoDataIn to
// nTipoDataOut, sColStringa the columns written as text; a column in both
// ends up as a date. The other values are plain: a number in the locale's
// form becomes a number, any other text stays a text. sColExport lists the
// columns to write, packed to the left; empty means all.
//
// The table is read row by row, and its current cell is left on the last
// cell read. A failure shows the "Errore" message box with its number and
// description. A value that cannot be converted, or a sheet name a workbook
// refuses, ends the sheet as it stands: it is saved under the default sheet
// name with A2 still saying the export is running, then opened after the
// message. A column list that cannot be read, or a file that cannot be
// written, leaves no file behind. The hourglass pointer shows while the
// export runs.
void EsportaExcel(const Ambiente& ambiente, TextGrid& Grid, const QString& sName,
                  const QString& sNomeApp, const QString& sColData, std::int32_t nTipoDataIn,
                  std::int32_t nTipoDataOut, const QString& sColStringa, const QString& sColExport);

}  // namespace Excel
