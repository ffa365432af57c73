#include "XlsxWorkbook.h"

#include "ErroreDiSistema.h"
#include "FileTemporaneo.h"
#include "StrumentiArchivio.h"

#include <xlsxwriter.h>

#include <QFile>
#include <QStringEncoder>

#include <cerrno>

namespace {

// The spreadsheet's own limits on sheet names.
constexpr int kMaxSheetNameLength = 31;
constexpr int kMaxCellTextLength = 32767;
const QString kReservedSheetName = QStringLiteral("History");

QString describeSheetNameError(lxw_error error, const QString& name) {
    switch (error) {
        case LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED:
            return QStringLiteral("Il nome del foglio \"%1\" supera i %2 caratteri ammessi.")
                .arg(name)
                .arg(kMaxSheetNameLength);
        case LXW_ERROR_INVALID_SHEETNAME_CHARACTER:
            return QStringLiteral(
                       "Il nome del foglio \"%1\" contiene caratteri non ammessi "
                       "( : \\ / ? * [ ] ).")
                .arg(name);
        case LXW_ERROR_SHEETNAME_START_END_APOSTROPHE:
            return QStringLiteral(
                       "Il nome del foglio \"%1\" non può iniziare o finire con un apostrofo.")
                .arg(name);
        default:
            return QStringLiteral("Il nome del foglio \"%1\" non è valido.").arg(name);
    }
}

Result<void> validateSheetName(lxw_workbook* workbook, const QString& name) {
    if (name.isEmpty()) {
        return Error::workbook(LXW_ERROR_PARAMETER_VALIDATION,
                               QStringLiteral("Il nome del foglio non può essere vuoto."));
    }
    if (name.compare(kReservedSheetName, Qt::CaseInsensitive) == 0) {
        return Error::workbook(LXW_ERROR_PARAMETER_VALIDATION,
                               QStringLiteral("Il nome del foglio \"%1\" è riservato.").arg(name));
    }
    const lxw_error error = workbook_validate_sheet_name(workbook, name.toUtf8().constData());
    if (error != LXW_NO_ERROR) {
        return Error::workbook(error, describeSheetNameError(error, name));
    }
    return {};
}

// Creates the file, failing when it exists, so that no other file is ever
// replaced by the workbook.
Result<void> reserveNewFile(FileSystem& fs, const QString& path) {
    const int fd = fs.createExclusive(NomeDiSistema(path), 0600);
    if (fd < 0) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile creare il file"), path);
    }
    if (fs.close(fd) != 0) {
        const int error = errno;
        (void)EliminaFile(fs, path);
        return ErroreDiSistema(error, QStringLiteral("Impossibile creare il file"), path);
    }
    return {};
}

QString withReason(const QString& what, int savedErrno) {
    return savedErrno == 0 ? what + QLatin1Char('.')
                           : QStringLiteral("%1: %2.").arg(what, DescrizioneErrore(savedErrno));
}

QString describeWriteError(int error, int savedErrno, const QString& path, const QString& cell) {
    switch (error) {
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return QStringLiteral("Memoria insufficiente per scrivere il foglio di lavoro.");
        case LXW_ERROR_CREATING_XLSX_FILE:
            return withReason(QStringLiteral("Impossibile scrivere il file \"%1\"").arg(path),
                              savedErrno);
        case LXW_ERROR_CREATING_TMPFILE:
            return withReason(
                QStringLiteral("Impossibile creare il file temporaneo del foglio di lavoro"),
                savedErrno);
        case LXW_ERROR_READING_TMPFILE:
            return withReason(
                QStringLiteral("Impossibile leggere il file temporaneo del foglio di lavoro"),
                savedErrno);
        case LXW_ERROR_ZIP_FILE_OPERATION:
        case LXW_ERROR_ZIP_PARAMETER_ERROR:
        case LXW_ERROR_ZIP_BAD_ZIP_FILE:
        case LXW_ERROR_ZIP_INTERNAL_ERROR:
        case LXW_ERROR_ZIP_FILE_ADD:
        case LXW_ERROR_ZIP_CLOSE:
            return withReason(
                QStringLiteral("Impossibile comprimere il foglio di lavoro nel file \"%1\"")
                    .arg(path),
                savedErrno);
        case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
            return QStringLiteral("Il testo della cella %1 supera i %2 caratteri ammessi.")
                .arg(cell)
                .arg(kMaxCellTextLength);
        case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
            return QStringLiteral("La cella %1 è fuori dal foglio o in una riga già completata.")
                .arg(cell);
        default:
            return QStringLiteral("Errore nella scrittura del foglio di lavoro (%1).")
                .arg(QString::fromUtf8(lxw_strerror(static_cast<lxw_error>(error))));
    }
}

}  // namespace

QString cellName(int row, int col) {
    QString letters;
    for (int n = col; n > 0; n = (n - 1) / 26) {
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    }
    return letters + QString::number(row);
}

Result<void> XlsxWorkbook::checkSheetName(const QString& sheetName) {
    // A workbook that is never written, only asked about the name.
    lxw_workbook* probe = workbook_new(nullptr);
    if (probe == nullptr) {
        return Error::workbook(LXW_ERROR_MEMORY_MALLOC_FAILED,
                               describeWriteError(LXW_ERROR_MEMORY_MALLOC_FAILED, errno, {}, {}));
    }
    Result<void> valid = validateSheetName(probe, sheetName);
    lxw_workbook_free(probe);
    return valid;
}

Result<std::unique_ptr<XlsxWorkbook>> XlsxWorkbook::create(FileSystem& fs, const QString& path,
                                                           const QString& sheetName) {
    if (Result<void> valid = checkSheetName(sheetName); !valid) {
        return valid.error();
    }
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    errno = 0;
    lxw_workbook* workbook = workbook_new_opt(file.constData(), &options);
    if (workbook == nullptr) {
        return Error::workbook(LXW_ERROR_MEMORY_MALLOC_FAILED,
                               describeWriteError(LXW_ERROR_MEMORY_MALLOC_FAILED, errno, path, {}));
    }
    if (Result<void> reserved = reserveNewFile(fs, path); !reserved) {
        lxw_workbook_free(workbook);
        return reserved.error();
    }
    errno = 0;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheetName.toUtf8().constData());
    lxw_format* bold = sheet != nullptr ? workbook_add_format(workbook) : nullptr;
    if (bold == nullptr) {
        const int savedErrno = errno;
        lxw_workbook_free(workbook);
        (void)EliminaFile(fs, path);
        return Error::workbook(
            LXW_ERROR_CREATING_TMPFILE,
            describeWriteError(LXW_ERROR_CREATING_TMPFILE, savedErrno, path, {}));
    }
    format_set_bold(bold);
    return std::unique_ptr<XlsxWorkbook>(new XlsxWorkbook(fs, path, workbook, sheet, bold));
}

XlsxWorkbook::XlsxWorkbook(FileSystem& fs, QString path, lxw_workbook* workbook,
                           lxw_worksheet* sheet, lxw_format* bold)
    : fs_(fs), path_(std::move(path)), workbook_(workbook), sheet_(sheet), bold_(bold) {}

XlsxWorkbook::~XlsxWorkbook() {
    discard();
}

void XlsxWorkbook::discard() {
    if (workbook_ == nullptr) {
        return;
    }
    lxw_workbook_free(workbook_);
    workbook_ = nullptr;
    (void)EliminaFile(fs_, path_);
}

lxw_format* XlsxWorkbook::format(Style style) const {
    return style == Style::Bold ? bold_ : nullptr;
}

Result<void> XlsxWorkbook::check(int error, int savedErrno, int row, int col) const {
    if (error == LXW_NO_ERROR) {
        return {};
    }
    return Error::workbook(error, describeWriteError(error, savedErrno, path_, cellName(row, col)));
}

Result<void> XlsxWorkbook::writeString(int row, int col, const QString& text, Style style) {
    // Encoded into one buffer kept for every cell.
    utf8_.resize(static_cast<std::size_t>(text.size()) * 3 + 1);
    QStringEncoder encoder(QStringEncoder::Utf8);
    *encoder.appendToBuffer(utf8_.data(), text) = '\0';
    errno = 0;
    const lxw_error error =
        worksheet_write_string(sheet_, static_cast<lxw_row_t>(row - 1),
                               static_cast<lxw_col_t>(col - 1), utf8_.data(), format(style));
    return check(error, errno, row, col);
}

Result<void> XlsxWorkbook::writeNumber(int row, int col, double value, Style style) {
    errno = 0;
    const lxw_error error =
        worksheet_write_number(sheet_, static_cast<lxw_row_t>(row - 1),
                               static_cast<lxw_col_t>(col - 1), value, format(style));
    return check(error, errno, row, col);
}

Result<void> XlsxWorkbook::writeBlank(int row, int col, Style style) {
    errno = 0;
    const lxw_error error = worksheet_write_blank(sheet_, static_cast<lxw_row_t>(row - 1),
                                                  static_cast<lxw_col_t>(col - 1), format(style));
    return check(error, errno, row, col);
}

Result<void> XlsxWorkbook::setColumnWidth(int col, double width) {
    const auto column = static_cast<lxw_col_t>(col - 1);
    errno = 0;
    const lxw_error error = worksheet_set_column(sheet_, column, column, width, nullptr);
    return check(error, errno, 1, col);
}

Result<void> XlsxWorkbook::close() {
    errno = 0;
    const lxw_error error = workbook_close(workbook_);
    const int savedErrno = errno;
    // workbook_close releases the workbook whatever its outcome.
    workbook_ = nullptr;
    if (error != LXW_NO_ERROR) {
        // The failure that made the file useless is the one reported.
        (void)EliminaFile(fs_, path_);
        return Error::workbook(error, describeWriteError(error, savedErrno, path_, {}));
    }
    return {};
}
