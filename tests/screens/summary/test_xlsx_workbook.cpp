#include "XlsxWorkbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

class TestXlsxWorkbook : public QObject {
    Q_OBJECT

private:
    QTemporaryDir cartella;

    QString percorso(const QString& nome) const { return cartella.filePath(nome); }

private slots:
    void cleanup() {
        for (const QString& nome : QDir(cartella.path()).entryList(QDir::Files)) {
            QFile::remove(percorso(nome));
        }
    }

    void an_existing_file_is_refused_and_left_untouched() {
        QFile esistente(percorso("a.xlsx"));
        QVERIFY(esistente.open(QIODevice::WriteOnly));
        esistente.write("dati preziosi");
        esistente.close();
        const auto creata = XlsxWorkbook::create(esistente.fileName(), "Foglio");
        QVERIFY(!creata);
        QCOMPARE(creata.error().code, EEXIST);
        QVERIFY(esistente.open(QIODevice::ReadOnly));
        QCOMPARE(esistente.readAll(), QByteArray("dati preziosi"));
    }

    void sheet_names_the_spreadsheet_refuses_create_no_file_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("descrizione");
        QTest::newRow("vuoto") << ""
                               << "Il nome del foglio non può essere vuoto.";
        QTest::newRow("riservato") << "history"
                                   << "Il nome del foglio \"history\" è riservato.";
        QTest::newRow("apostrofo") << "'Primaria"
                                   << "Il nome del foglio \"'Primaria\" non può iniziare o finire "
                                      "con un apostrofo.";
        QTest::newRow("lungo") << QString(32, u'x')
                               << "Il nome del foglio \"" + QString(32, u'x') +
                                      "\" supera i 31 caratteri ammessi.";
    }
    void sheet_names_the_spreadsheet_refuses_create_no_file() {
        QFETCH(QString, nome);
        QFETCH(QString, descrizione);
        const auto creata = XlsxWorkbook::create(percorso("b.xlsx"), nome);
        QVERIFY(!creata);
        QCOMPARE(creata.error().message, descrizione);
        QVERIFY(!QFile::exists(percorso("b.xlsx")));
    }

    void a_workbook_dropped_before_closing_removes_its_file() {
        {
            auto creata = XlsxWorkbook::create(percorso("c.xlsx"), "Foglio");
            QVERIFY(creata);
            QVERIFY(QFile::exists(percorso("c.xlsx")));
            QVERIFY((*creata)->writeString(1, 1, "testo"));
        }
        QVERIFY(!QFile::exists(percorso("c.xlsx")));
    }

    void a_row_above_the_rows_already_written_is_refused_with_its_cell() {
        auto creata = XlsxWorkbook::create(percorso("d.xlsx"), "Foglio");
        QVERIFY(creata);
        QVERIFY((*creata)->writeString(5, 1, "riga 5"));
        const Result<void> scritta = (*creata)->writeNumber(4, 2, 1.0);
        QVERIFY(!scritta);
        QCOMPARE(scritta.error().message,
                 QStringLiteral("La cella B4 è fuori dal foglio o in una riga già completata."));
    }

    void a_file_that_cannot_be_written_on_closing_is_reported_and_not_left() {
        QTemporaryDir sparita;
        const QString file = sparita.filePath("e.xlsx");
        auto creata = XlsxWorkbook::create(file, "Foglio");
        QVERIFY(creata);
        QVERIFY((*creata)->writeString(1, 1, "testo"));
        QVERIFY(sparita.remove());
        const Result<void> chiusa = (*creata)->close();
        QVERIFY(!chiusa);
        QCOMPARE(chiusa.error().message,
                 QStringLiteral("Impossibile scrivere il file \"%1\": file o cartella "
                                "inesistente.")
                     .arg(file));
        QVERIFY(!QFile::exists(file));
    }
};

QTEST_GUILESS_MAIN(TestXlsxWorkbook)
#include "test_xlsx_workbook.moc"
