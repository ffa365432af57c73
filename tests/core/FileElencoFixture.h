#pragma once

#include "FailingFileSystem.h"
#include "FileElenco.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

// A list component over a file system that can be told to fail, with list
// files in a fresh temporary folder.
class FileElencoTest : public testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    void writeFile(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readFile(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A record whose surname tells it apart from the others.
    static DatiDomanda domanda(const QString& surname, float spese = 100.0f) {
        DatiDomanda d = AzzeraRecord();
        d.CognRich = surname.leftJustified(30);
        d.Spese = spese;
        return d;
    }

    static QByteArray records(std::initializer_list<const char*> surnames) {
        QByteArray bytes;
        for (const char* surname : surnames) {
            bytes += CodificaDomanda(domanda(QString::fromLatin1(surname)));
        }
        return bytes;
    }

    // Opens the named list on handle 1, failing the test when it cannot.
    void open(const QString& name) {
        const Result<void> opened = elenco_.ApriElenco(path(name), 1);
        ASSERT_TRUE(opened.ok()) << opened.error().message.toStdString();
    }

    QTemporaryDir dir_;
    FailingFileSystem fs_;
    FileElenco elenco_{fs_};
};
