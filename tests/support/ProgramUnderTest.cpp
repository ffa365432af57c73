#include "ProgramUnderTest.h"

#include <QAbstractButton>

namespace {

void failTest(const QString& failure) {
    QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
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

MessageBoxRequest informazione(const QString& testo) {
    return {testo, MessageButtons::Ok, MessageIcon::Information};
}
