// The workbook writer: never over an existing file, no file left when its
// last write fails (a workbook dropped before closing is dropped by every
// failed export).

#include "FileDiProva.h"
#include "XlsxWorkbook.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <cerrno>
#include <csignal>

class TestXlsxWorkbook : public QObject {
    Q_OBJECT

    QTemporaryDir cartella;

private slots:
    void an_existing_file_is_refused_and_left_untouched() {
        const QString esistente = cartella.filePath("a.xlsx");
        QVERIFY(ScriviFile(esistente, "dati preziosi"));
        const auto creata = XlsxWorkbook::create(PosixFileSystem::instance(), esistente, "Foglio");
        QVERIFY(!creata && creata.error().is(ErrorOrigin::System, EEXIST));
        QCOMPARE(LeggiFile(esistente), QByteArray("dati preziosi"));
    }

    // On a disk that takes no more than 100 bytes of a file, even for root.
    void a_file_that_cannot_be_written_on_closing_is_reported_and_not_left() {
        const QString file = cartella.filePath("e.xlsx");
        auto creata = XlsxWorkbook::create(PosixFileSystem::instance(), file, "Foglio");
        QVERIFY(creata && (*creata)->writeString(1, 1, "testo"));
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit prima{};
        getrlimit(RLIMIT_FSIZE, &prima);
        const rlimit stretto{100, prima.rlim_max};
        setrlimit(RLIMIT_FSIZE, &stretto);
        const bool chiusa = (*creata)->close().ok();
        setrlimit(RLIMIT_FSIZE, &prima);
        QVERIFY(!chiusa && !QFile::exists(file));
    }
};

QTEST_GUILESS_MAIN(TestXlsxWorkbook)
#include "test_xlsx_workbook.moc"
