#pragma once

#include "DomandaDiProva.h"
#include "FailingFileSystem.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

// A list component over a file system that can be told to fail, with list
// files in a fresh temporary folder.
class FileElencoTest : public testing::Test {
protected:
    using Call = FailingFileSystem::Call;

    QString path(const QString& name) const { return dir_.filePath(name); }
    QByteArray readFile(const QString& name) const { return LeggiFile(path(name)); }

    // Opens the named list on the handle, first writing these bytes into it.
    void list(const QString& name, std::optional<QByteArray> bytes = {}, int handle = 1) {
        ASSERT_TRUE(!bytes || ScriviFile(path(name), *bytes));
        const Result<void> opened = elenco_.ApriElenco(path(name), handle);
        ASSERT_TRUE(opened.ok()) << opened.error().message.toStdString();
    }

    QTemporaryDir dir_;
    FailingFileSystem fs_;
    FileElenco elenco_{fs_};
};
