// The workbook writer: never over an existing file, no file left when a
// workbook is dropped or its last write fails.

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
        const auto creata = XlsxWorkbook::create(esistente.fileName(), "Foglio");
        QVERIFY(!creata);
        QVERIFY(creata.error().is(ErrorOrigin::System, EEXIST));
        QVERIFY(esistente.open(QIODevice::ReadOnly));
        QCOMPARE(esistente.readAll(), QByteArray("dati preziosi"));
    }

    void a_workbook_dropped_before_closing_removes_its_file() {
        auto creata = XlsxWorkbook::create(percorso("c.xlsx"), "Foglio");
        QVERIFY(creata);
        std::unique_ptr<XlsxWorkbook> libro = std::move(creata).value();
        QVERIFY(libro->writeString(5, 1, "riga 5"));
        QVERIFY(QFile::exists(percorso("c.xlsx")));
        // Rows stream in increasing order: a row above is refused.
        QCOMPARE(libro->writeNumber(4, 2, 1.0).error().message,
                 QStringLiteral("La cella B4 è fuori dal foglio o in una riga già completata."));
        libro.reset();
        QVERIFY(!QFile::exists(percorso("c.xlsx")));
    }

    void a_file_that_cannot_be_written_on_closing_is_reported_and_not_left() {
        QTemporaryDir sparita;
        const QString file = sparita.filePath("e.xlsx");
        auto creata = XlsxWorkbook::create(file, "Foglio");
        QVERIFY(creata && (*creata)->writeString(1, 1, "testo"));
        QVERIFY(sparita.remove());
        QCOMPARE((*creata)->close().error().message,
                 QStringLiteral("Impossibile scrivere il file \"%1\": file o cartella "
                                "inesistente.")
                     .arg(file));
        QVERIFY(!QFile::exists(file));
    }
};

QTEST_GUILESS_MAIN(TestXlsxWorkbook)
#include "test_xlsx_workbook.moc"
