#pragma once

#include "FailingFileSystem.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A list component over a file system that can be told to fail, with list
// files in a fresh temporary folder.
class FileElencoTest : public testing::Test {
protected:
    using Call = FailingFileSystem::Call;

    QString path(const QString& name) const { return dir_.filePath(name); }

    void writeFile(const QString& name, const QByteArray& bytes) const {
        ASSERT_TRUE(ScriviFile(path(name), bytes));
    }
    QByteArray readFile(const QString& name) const { return LeggiFile(path(name)); }

    // A record whose surname tells it apart from the others.
    static DatiDomanda domanda(const QString& surname, float spese = 100.0f) {
        DatiDomanda d = AzzeraRecord();
        d[Campo::CognRich] = surname.leftJustified(30);
        d.importo(Campo::Spese) = spese;
        return d;
    }

    // `count` records named "<prefix> 1", "<prefix> 2", ...
    static QByteArray records(const QString& prefix, int count) {
        QByteArray bytes;
        for (int n = 1; n <= count; ++n) {
            bytes += CodificaDomanda(domanda(QStringLiteral("%1 %2").arg(prefix).arg(n), n + 0.5f));
        }
        return bytes;
    }

    // Opens the named list on the handle, failing the test when it cannot.
    void open(const QString& name, int handle = 1) {
        const Result<void> opened = elenco_.ApriElenco(path(name), handle);
        ASSERT_TRUE(opened.ok()) << opened.error().message.toStdString();
    }

    // Writes the file and opens it on the handle.
    void list(const QString& name, const QByteArray& bytes, int handle = 1) {
        writeFile(name, bytes);
        open(name, handle);
    }

    QTemporaryDir dir_;
    FailingFileSystem fs_;
    FileElenco elenco_{fs_};
};
