#pragma once

#include "ProgramUnderTest.h"
#include "TextGrid.h"
#include "summary/Excel.h"

#include <QDir>
#include <QProcess>

#include <memory>
#include <vector>

// A table of texts with a current cell: row 0 is the header.
struct TabellaDiTesti final : TextGrid {
    int Rows() const override { return static_cast<int>(righe.size()); }
    int Cols() const override { return static_cast<int>(righe[0].size()); }
    int Row() const override { return riga; }
    void setRow(int r) override { riga = r; }
    int Col() const override { return colonna; }
    void setCol(int c) override { colonna = c; }
    QString Text() const override { return righe[riga].value(colonna); }
    void readRow(int r, std::vector<QString>& testi) const override {
        testi.assign(righe[r].begin(), righe[r].end());
    }

    std::vector<QStringList> righe;
    int riga = 0;
    int colonna = 0;
};

// A table with this header and these rows, each a "|"-separated text.
inline std::unique_ptr<TabellaDiTesti> tabella(const QString& intestazione,
                                               const QStringList& righe = {}) {
    auto griglia = std::make_unique<TabellaDiTesti>();
    for (const QString& riga : QStringList{intestazione} + righe) {
        griglia->righe.push_back(riga.split(u'|'));
    }
    return griglia;
}

// The harness with dialogs answered as an operator who goes on, and the
// export run against them, writing into the test desktop's documents folder.
struct EsportazioneDiProva : ProgramUnderTest {
    EsportazioneDiProva() { dialogs.goingOn.emplace(); }

    void esporta(TextGrid& griglia, const QString& sName, const QString& sColData = {},
                 int tipoOut = 1, const QString& sColStringa = {}, const QString& sColExport = {}) {
        Excel::EsportaExcel({dialogs, desktop, fs}, griglia, sName, QStringLiteral("X"), sColData,
                            1, tipoOut, sColStringa, sColExport);
    }
    // The workbooks in the documents folder, by name.
    QStringList file() const {
        return QDir(path(QStringLiteral("Documenti")))
            .entryList({QStringLiteral("*.xlsx")}, QDir::Files, QDir::Name);
    }
    QString documento(const QString& nome) const {
        return path(QStringLiteral("Documenti/") + nome);
    }
    // The only workbook written as an independent reader (openpyxl, through
    // Debian's Python) sees it: sheet names, then one line per row (see
    // leggi_cartella.py); the reader's errors when it fails.
    QStringList unica() const {
        QProcess lettore;
        lettore.start(QStringLiteral("/usr/bin/python3"),
                      {QStringLiteral(SOVVENZIA_LETTORE_CARTELLA),
                       file().size() == 1 ? documento(file().first()) : QString()});
        lettore.waitForFinished(60000);
        if (lettore.exitCode() != 0) {
            return {QString::fromUtf8(lettore.readAllStandardError())};
        }
        return QString::fromUtf8(lettore.readAllStandardOutput()).chopped(1).split(u'\n');
    }
};
