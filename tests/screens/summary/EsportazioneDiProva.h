#pragma once

#include "Desktop.h"
#include "DialogService.h"
#include "TextGrid.h"
#include "summary/Excel.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

inline bool clessidra() {
    const QCursor* cursore = QGuiApplication::overrideCursor();
    return cursore != nullptr && cursore->shape() == Qt::WaitCursor;
}

// A desktop whose documents folder is `cartella`; it records the files it is
// asked to open (answering `apre`) and whether the hourglass showed while the
// workbook was written.
struct DesktopDiProva final : Desktop {
    QString documentsFolder() const override {
        clessidraInScrittura = clessidra();
        return cartella;
    }
    bool openWithDefaultApplication(const QString& path) override {
        aperti.append(path);
        return apre;
    }

    QString cartella;
    bool apre = true;
    QStringList aperti;
    mutable bool clessidraInScrittura = false;
};

// Dialogs that keep every message box (answered OK), noting whether the
// hourglass showed under one, and every input box, answered from `risposte`.
struct DialogsRegistrati final : DialogService {
    MessageAnswer messageBox(const MessageBoxRequest& request) override {
        clessidraAiMessaggi = clessidraAiMessaggi || clessidra();
        messaggi.push_back(request);
        return MessageAnswer::Ok;
    }
    QString inputBox(const InputBoxRequest& request) override {
        domande.push_back(request);
        return risposte.value(static_cast<qsizetype>(domande.size()) - 1);
    }
    std::optional<QString> fileDialog(const FileDialogRequest&) override { return {}; }

    std::vector<MessageBoxRequest> messaggi;
    bool clessidraAiMessaggi = false;
    std::vector<InputBoxRequest> domande;
    QStringList risposte;
};

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

// Recording dialogs and a test desktop whose documents folder is a fresh
// temporary folder, and the export run against them.
struct EsportazioneDiProva {
    EsportazioneDiProva() { desktop.cartella = cartella.path(); }

    void esporta(TextGrid& griglia, const QString& sName, const QString& sColData = {},
                 int tipoOut = 1, const QString& sColStringa = {}, const QString& sColExport = {}) {
        Excel::EsportaExcel({dialogs, desktop}, griglia, sName, QStringLiteral("X"), sColData, 1,
                            tipoOut, sColStringa, sColExport);
    }
    QStringList file() const {
        return QDir(cartella.path()).entryList({QStringLiteral("*.xlsx")}, QDir::Files, QDir::Name);
    }
    // The only workbook written as an independent reader (openpyxl, through
    // Debian's Python) sees it: sheet names, then one line per row (see
    // leggi_cartella.py); the reader's errors when it fails.
    QStringList unica() const {
        QProcess lettore;
        lettore.start(QStringLiteral("/usr/bin/python3"),
                      {QStringLiteral(SOVVENZIA_LETTORE_CARTELLA),
                       file().size() == 1 ? cartella.filePath(file().first()) : QString()});
        lettore.waitForFinished(60000);
        if (lettore.exitCode() != 0) {
            return {QString::fromUtf8(lettore.readAllStandardError())};
        }
        return QString::fromUtf8(lettore.readAllStandardOutput()).chopped(1).split(u'\n');
    }

    QTemporaryDir cartella;
    DialogsRegistrati dialogs;
    DesktopDiProva desktop;
};
