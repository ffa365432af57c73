#include "ProgramUnderTest.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>

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

ProgramUnderTest::ProgramUnderTest() : dialogs(failTest), program(dialogs) {}

ProgramUnderTest::ProgramUnderTest(FileSystem& fileSystem)
    : dialogs(failTest), program(dialogs, fileSystem) {}

void ProgramUnderTest::click(QWidget* button) {
    QVERIFY(button != nullptr);
    QVERIFY2(button->isVisible() && button->isEnabled(), qPrintable(button->objectName()));
    QTest::mouseClick(button, Qt::LeftButton);
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
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        failTest(QStringLiteral("cannot write ") + file.fileName());
    }
    return file.fileName();
}

QByteArray ProgramUnderTest::read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

MessageBoxRequest informazione(const QString& testo) {
    return {testo, MessageButtons::Ok, MessageIcon::Information};
}
