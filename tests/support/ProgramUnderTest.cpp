#include "ProgramUnderTest.h"

#include "wizard/FrmDatiAnagrafici.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QRadioButton>
#include <QTabWidget>

namespace {

void failTest(const QString& failure) {
    QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
}

bool isOn(const QObject* control, const QString& name) {
    if (const auto* action = qobject_cast<const QAction*>(control)) {
        return action->isEnabled();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control);
        button != nullptr && button->isCheckable()) {
        return button->isChecked();
    }
    if (const auto* widget = qobject_cast<const QWidget*>(control)) {
        return widget->isVisible() && widget->isEnabled();
    }
    failTest(QStringLiteral("no control ") + name);
    return false;
}

}  // namespace

ProgramUnderTest::ProgramUnderTest() : dialogs(failTest) {
    desktop.cartella = path(QStringLiteral("Documenti"));
}

QStringList ProgramUnderTest::shownScreens() {
    QStringList shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Screen*>(window) != nullptr && window->isVisible()) {
            shown << window->objectName();
        }
    }
    shown.sort();
    return shown;
}

void ProgramUnderTest::click(QWidget* button) {
    QVERIFY(button != nullptr);
    QVERIFY2(button->isVisible() && button->isEnabled(), qPrintable(button->objectName()));
    QTest::mouseClick(button, Qt::LeftButton);
}

void ProgramUnderTest::click(QWidget& screen, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        click(control<QAbstractButton>(screen, QString::fromLatin1(name)));
    }
}

QString ProgramUnderTest::on(QWidget& screen, const QStringList& names) {
    QStringList on;
    for (const QString& name : names) {
        // A menu is looked at through its action, which the menu bar shows.
        QObject* control = screen.findChild<QAction*>(name);
        if (isOn(control != nullptr ? control : screen.findChild<QWidget*>(name), name)) {
            on << name;
        }
    }
    return on.join(u' ');
}

void ProgramUnderTest::type(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClicks(widget, QString(ch));
        } else {
            // keyClicks asserts on non-ASCII characters: send them as text.
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
}

QString ProgramUnderTest::write(const QString& name, const QByteArray& bytes) {
    if (!ScriviFile(path(name), bytes)) {
        failTest(QStringLiteral("cannot write ") + path(name));
    }
    return path(name);
}

QMap<QString, QByteArray> ProgramUnderTest::files() const {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder.path()).entryList(QDir::Files)) {
        files[name] = LeggiFile(path(name));
    }
    return files;
}

FrmDatiAnagrafici* ProgramUnderTest::openEntry(const QString& list, bool nuovo) {
    stato.sFileElenco = list;
    stato.bElencoNuovo = nuovo;
    stato.sIntestazione = QStringLiteral("05-06");
    screens().show<FrmDatiAnagrafici>();
    auto* entry = screens().find<FrmDatiAnagrafici>();
    if (entry != nullptr && !QTest::qWaitForWindowActive(entry)) {
        failTest(QStringLiteral("the entry screen did not become active"));
    }
    return entry;
}

FrmScelta& ProgramUnderTest::openChoice() {
    program.start();
    QTest::keyClick(&screens().get<FrmPresentazione>(), Qt::Key_Return);
    return screens().get<FrmScelta>();
}

void ProgramUnderTest::chooseAdvanced(const char* option) {
    FrmScelta& scelta = openChoice();
    control<QTabWidget>(scelta, QStringLiteral("TabOpzioni"))->setCurrentIndex(1);
    click(control<QRadioButton>(scelta, QString::fromLatin1(option)));
}

MessageBoxRequest informazione(const QString& testo) {
    return {testo, MessageButtons::Ok, MessageIcon::Information};
}
