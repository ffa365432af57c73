#pragma once

#include "FileElencoFixture.h"
#include "UnioneElenchi.h"

#include <QDir>

// List files in a fresh temporary folder, opened on the handles the merge
// screens use, over a file system that can be told to fail.
class UnioneTest : public FileElencoTest {
protected:
    using Call = FailingFileSystem::Call;

    // `count` records whose surnames start with `prefix` and tell them apart.
    static QByteArray records(const QString& prefix, int count) {
        QByteArray bytes;
        for (int n = 1; n <= count; ++n) {
            bytes += CodificaDomanda(
                domanda(QStringLiteral("%1 %2").arg(prefix).arg(n), static_cast<float>(n) + 0.5f));
        }
        return bytes;
    }

    // Writes the file and opens it on the handle.
    void list(const QString& name, const QByteArray& bytes, int handle) {
        writeFile(name, bytes);
        open(name, handle);
    }

    void open(const QString& name, int handle) {
        const Result<void> opened = elenco_.ApriElenco(path(name), handle);
        ASSERT_TRUE(opened.ok()) << opened.error().message.toStdString();
    }

    PianoCopia plan(TipoCopia tipo) {
        const Result<PianoCopia> piano = PianificaDaElenchi(elenco_, tipo);
        EXPECT_TRUE(piano.ok()) << piano.error().message.toStdString();
        return piano.ok() ? *piano : PianoCopia{};
    }

    // The names in the folder: no temporary file may be left behind.
    QStringList folderEntries() const {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
};
