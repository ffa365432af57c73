#pragma once

#include "DialogService.h"
#include "FailingFileSystem.h"
#include "Program.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <deque>
#include <memory>

// A dialog service that answers whatever the program asks, as an operator
// who goes on would (Yes to a question, OK to a notice, the next of the
// given file names to a file dialog), and keeps every message shown.
class DialoghiRegistrati final : public DialogService {
public:
    std::deque<QString> fileDaScegliere;
    QList<MessageBoxRequest> messaggi;

    MessageAnswer messageBox(const MessageBoxRequest& request) override {
        messaggi << request;
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
    QString inputBox(const InputBoxRequest&) override { return QStringLiteral("2026-27"); }
    std::optional<QString> fileDialog(const FileDialogRequest&) override {
        if (fileDaScegliere.empty()) {
            return std::nullopt;
        }
        const QString scelto = fileDaScegliere.front();
        fileDaScegliere.pop_front();
        return scelto;
    }
};

// The whole program over a file system that fails the calls it is told to,
// with list files in a temporary folder.
class ProgrammaConGuasti {
public:
    FailingFileSystem fs;
    DialoghiRegistrati dialoghi;
    QTemporaryDir cartella;
    Program programma{dialoghi, fs};

    QString Percorso(const QString& nome) const { return cartella.filePath(nome); }

    QString Scrivi(const QString& nome, const QByteArray& byte) const {
        QFile file(Percorso(nome));
        if (!file.open(QIODevice::WriteOnly) || file.write(byte) != byte.size()) {
            QTest::qFail("cannot write a list file", __FILE__, __LINE__);
        }
        return Percorso(nome);
    }

    // Every file of the folder that an operator sees (not the hidden lock
    // and journal files) with its bytes.
    QMap<QString, QByteArray> File() const {
        QMap<QString, QByteArray> file;
        for (const QString& nome : QDir(cartella.path()).entryList(QDir::Files)) {
            QFile letto(Percorso(nome));
            file[nome] = letto.open(QIODevice::ReadOnly) ? letto.readAll() : QByteArray();
        }
        return file;
    }

    // True when a message shown since `primo` gives the system's reason.
    bool Detto(qsizetype primo, const QString& motivo) const {
        for (qsizetype i = primo; i < dialoghi.messaggi.size(); ++i) {
            if (dialoghi.messaggi[i].prompt.contains(motivo)) {
                return true;
            }
        }
        return false;
    }

    template <class Widget>
    Widget* Controllo(QWidget& schermo, const char* nome) {
        auto* widget = schermo.findChild<Widget*>(QString::fromLatin1(nome));
        if (widget == nullptr) {
            QTest::qFail(qPrintable(QStringLiteral("no control ") + QLatin1String(nome)), __FILE__,
                         __LINE__);
        }
        return widget;
    }
};
