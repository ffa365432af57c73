#pragma once

#include "Program.h"
#include "ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The whole program with scripted dialogs, built afresh for each test, and a
// temporary folder for its list files. Dialog mismatches fail the running
// test; finish() fails it for scripted dialogs that were never shown.
class ProgramUnderTest {
public:
    ProgramUnderTest();
    explicit ProgramUnderTest(FileSystem& fileSystem);

    ScriptedDialogs dialogs;
    Program program;
    QTemporaryDir folder;

    ScreenManager& screens() { return program.screens(); }
    Module1& stato() { return program.stato(); }

    // A path inside the temporary folder.
    QString path(const QString& name) const { return folder.filePath(name); }

    // The control named `name` on `screen`; fails the test when missing.
    template <class Widget>
    Widget* control(QWidget& screen, const QString& name) {
        auto* widget = screen.findChild<Widget*>(name);
        if (widget == nullptr) {
            QTest::qFail(qPrintable(QStringLiteral("no control ") + name), __FILE__, __LINE__);
        }
        return widget;
    }

    // Which of the named controls of `screen` are on, joined by blanks:
    // options and check boxes checked (shown or not), menu items enabled,
    // other controls shown and enabled. Fails the test for a missing name.
    static QString on(QWidget& screen, const QStringList& names);

    // Presses a button as the operator would, with the mouse.
    static void click(QWidget* button);
    // Types the text key by key into the widget, non-ASCII characters too.
    static void type(QWidget* widget, const QString& text);

    // Writes a file of the given bytes in the temporary folder; its path.
    QString write(const QString& name, const QByteArray& bytes);
    // The bytes of a file, empty when it cannot be read.
    static QByteArray read(const QString& path);

    // Fails the test for scripted dialogs left unused; true when all were used.
    bool finish() { return dialogs.verifyAllUsed(); }
};

// The message box every information notice uses (OK button, application title).
MessageBoxRequest informazione(const QString& testo);
