// The workbook writer: never over an existing file, no file left when its
// last write fails (a workbook dropped before closing is dropped by every
// failed export).

#include "XlsxWorkbook.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

class TestXlsxWorkbook : public QObject {
    Q_OBJECT

    QTemporaryDir cartella;

    QString percorso(const char* nome) const { return cartella.filePath(nome); }

private slots:
    void an_existing_file_is_refused_and_left_untouched() {
        QFile esistente(percorso("a.xlsx"));
        QVERIFY(esistente.open(QIODevice::WriteOnly) && esistente.write("dati preziosi") == 13);
        esistente.close();
        const auto creata =
            XlsxWorkbook::create(PosixFileSystem::instance(), esistente.fileName(), "Foglio");
        QVERIFY(!creata);
        QVERIFY(creata.error().is(ErrorOrigin::System, EEXIST));
        QVERIFY(esistente.open(QIODevice::ReadOnly));
        QCOMPARE(esistente.readAll(), QByteArray("dati preziosi"));
    }

    void a_file_that_cannot_be_written_on_closing_is_reported_and_not_left() {
        QTemporaryDir sparita;
        const QString file = sparita.filePath("e.xlsx");
        auto creata = XlsxWorkbook::create(PosixFileSystem::instance(), file, "Foglio");
        QVERIFY(creata && (*creata)->writeString(1, 1, "testo"));
        QVERIFY(sparita.remove());
        QVERIFY(!(*creata)->close());
        QVERIFY(!QFile::exists(file));
    }
};

QTEST_GUILESS_MAIN(TestXlsxWorkbook)
#include "test_xlsx_workbook.moc"
