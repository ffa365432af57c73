#pragma once

#include "DatiDomanda.h"
#include "ErroreDiSistema.h"
#include "FailingFileSystem.h"
#include "ProgramUnderTest.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

inline FileDialogRequest apri(const QString& nomeTenuto) {
    return {FileDialogMode::Open, QStringLiteral("(*.svz) | *.svz"), nomeTenuto};
}

inline FileDialogRequest salva(const QString& nomeProposto) {
    return {FileDialogMode::Save, QStringLiteral("(*.svz) | *.svz"), nomeProposto};
}

inline MessageBoxRequest critico(const QString& testo) {
    return {testo, MessageButtons::Ok, MessageIcon::Critical};
}

// The reason a failed call gives, as the operator reads it.
inline QString motivo(int errore, const char* azione, const QString& percorso) {
    return ErroreDiSistema(errore, QString::fromUtf8(azione), percorso).message;
}

// `count` records whose surnames start with `prefix` and tell them apart.
inline QByteArray records(const QString& prefix, int count) {
    QByteArray bytes;
    for (int n = 1; n <= count; ++n) {
        DatiDomanda domanda = AzzeraRecord();
        domanda.CognRich = QStringLiteral("%1 %2").arg(prefix).arg(n);
        domanda.Isee = 1000.25f * static_cast<float>(n);
        bytes += CodificaDomanda(domanda);
    }
    return bytes;
}

// The whole program over a file system that can be made to fail, brought to
// one of the screens of the choice screen's tab "Avanzate" the way the
// operator gets there, with list files in its temporary folder.
template <class Frm>
class MergeFixture {
public:
    explicit MergeFixture(const char* option) : option_(option) {
        t.program.start();
        QTest::keyClick(&t.screens().get<FrmPresentazione>(), Qt::Key_Return);
        openFromChoice();
    }

    // From the active choice screen: tab "Avanzate", the option.
    void openFromChoice() {
        FrmScelta& scelta = t.screens().get<FrmScelta>();
        scelta.findChild<QTabWidget*>(QStringLiteral("TabOpzioni"))->setCurrentIndex(1);
        ProgramUnderTest::click(scelta.findChild<QRadioButton*>(QString::fromLatin1(option_)));
        screen = &t.screens().get<Frm>();
    }

    // Browses for list 1 and list 2, each dialog proposing the name kept
    // from the one before; then, given a new name, names it through "Salva".
    void choose(const QString& uno, const std::optional<QString>& due, const QString& nuovo = {}) {
        t.dialogs.expectFile(apri(QString()), uno).expectFile(apri(uno), due);
        click("cmdSfoglia1");
        click("cmdSfoglia2");
        if (!nuovo.isEmpty()) {
            t.dialogs.expectFile(salva(QString()), nuovo);
            click("cmdsalva");
        }
    }
    // Presses the button and expects the information box with this text.
    void clickAndSee(const char* button, const QString& testo) {
        t.dialogs.expectMessage(informazione(testo));
        click(button);
    }

    template <class Widget = QPushButton>
    Widget* ctl(const char* name) {
        return t.control<Widget>(*screen, QString::fromLatin1(name));
    }
    void click(const char* button) { ProgramUnderTest::click(ctl(button)); }
    QString text(const char* box) { return ctl<QLineEdit>(box)->text(); }
    bool aperto(int handle) { return t.program.elenco().Aperto(handle); }

    // A list file of these bytes, or of `count` records whose bytes do not
    // matter (a sparse file).
    QString write(const QString& name, const QByteArray& bytes, qint64 count = -1) {
        QFile file(t.path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            (count >= 0 && !file.resize(count * kLunghezzaRecord))) {
            QTest::qFail("cannot write a list file", __FILE__, __LINE__);
        }
        return t.path(name);
    }
    QByteArray read(const QString& name) const {
        QFile file(t.path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList folderEntries() const {
        return QDir(t.folder.path()).entryList(QDir::Files, QDir::Name);
    }

    // The screen is gone, its lists closed, the choice screen in front.
    void backAtChoice() {
        QVERIFY(t.screens().find<Frm>() == nullptr);
        QCOMPARE(t.screens().activeScreen(), &t.screens().get<FrmScelta>());
        QVERIFY(!aperto(2) && !aperto(3));
    }

    FailingFileSystem fs;
    ProgramUnderTest t{fs};
    Screen* screen = nullptr;

private:
    const char* option_;
};
