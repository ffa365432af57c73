#pragma once

#include "Desktop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStringList>

// A desktop for tests: its documents folder is the one it is given, and it
// records the files it is asked to open (answering as told) and whether the
// hourglass pointer was showing when the program turned to it.
class DesktopDiProva final : public Desktop {
public:
    explicit DesktopDiProva(QString cartella) : cartella_(std::move(cartella)) {}

    QString documentsFolder() const override {
        clessidraDuranteLaScrittura = clessidra();
        return cartella_;
    }
    bool openWithDefaultApplication(const QString& path) override {
        aperti.append(path);
        clessidraDuranteLApertura = clessidra();
        return apre;
    }

    static bool clessidra() {
        const QCursor* cursore = QGuiApplication::overrideCursor();
        return cursore != nullptr && cursore->shape() == Qt::WaitCursor;
    }

    bool apre = true;
    QStringList aperti;
    mutable bool clessidraDuranteLaScrittura = false;
    bool clessidraDuranteLApertura = false;

private:
    QString cartella_;
};
