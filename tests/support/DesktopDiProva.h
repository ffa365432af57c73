#pragma once

#include "Desktop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStringList>

// True while the program shows the hourglass.
inline bool clessidra() {
    const QCursor* cursore = QGuiApplication::overrideCursor();
    return cursore != nullptr && cursore->shape() == Qt::WaitCursor;
}

// A desktop whose documents folder is `cartella`; it records the files it is
// asked to open, answering `apre`, and whether the hourglass showed when the
// documents folder was asked for (an export asks just before it writes).
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
