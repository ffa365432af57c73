#pragma once

#include "DesktopDiProva.h"
#include "FailingFileSystem.h"
#include "FileDiProva.h"
#include "Program.h"
#include "Screen.h"
#include "ScriptedDialogs.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <initializer_list>

class FrmDatiAnagrafici;
class FrmScelta;

// The whole program, built afresh for each test, over a file system that
// fails only the calls it is told to, with scripted dialogs, a temporary
// folder for its list files and a desktop whose documents folder is
// "Documenti" inside it, not there until an export makes it. Dialog
// mismatches fail the running test; finish() fails it for scripted dialogs
// that were never shown.
class ProgramUnderTest {
public:
    ProgramUnderTest();

    FailingFileSystem fs;
    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    DesktopDiProva desktop;
    Module1 stato;
    FileElenco elenchi{fs};
    Program program{dialogs, stato, elenchi, desktop};
    QSignalSpy ended{&program.screens(), &ScreenManager::ended};

    ScreenManager& screens() { return program.screens(); }
    // The names of the program's screens shown, sorted.
    static QStringList shownScreens();

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
    // Presses the named buttons of the screen in turn.
    void click(QWidget& screen, std::initializer_list<const char*> names);
    // Types the text key by key into the widget, non-ASCII characters too.
    static void type(QWidget* widget, const QString& text);

    // Writes a file of the given bytes in the temporary folder; its path.
    QString write(const QString& name, const QByteArray& bytes);
    // Every file of the folder that an operator sees (not the hidden lock
    // and journal files), with its bytes.
    QMap<QString, QByteArray> files() const;

    // The choice screen, reached from the intro screen's Avanti.
    FrmScelta& openChoice();
    // The entry screen continuing the list, as the choice screen opens it.
    FrmDatiAnagrafici* openEntry(const QString& list, bool nuovo = false);
    // The screen of class T as the operator reaches it: intro screen, choice
    // screen, tab "Avanzate", the option.
    template <class T>
    T& openFromChoice(const char* option) {
        chooseAdvanced(option);
        return screens().get<T>();
    }

    // Fails the test for scripted dialogs left unused; true when all were used.
    bool finish() { return dialogs.verifyAllUsed(); }

private:
    void chooseAdvanced(const char* option);
};

// The message box every information notice uses (OK button, application title).
MessageBoxRequest informazione(const QString& testo);
