#pragma once

#include "DatiDomanda.h"
#include "ProgramUnderTest.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <memory>

inline FileDialogRequest apri(const QString& nomeTenuto) {
    return {FileDialogMode::Open, QStringLiteral("(*.svz) | *.svz"), nomeTenuto};
}

inline FileDialogRequest salva(const QString& nomeProposto) {
    return {FileDialogMode::Save, QStringLiteral("(*.svz) | *.svz"), nomeProposto};
}

// The whole program, brought to one of the two screens of the choice
// screen's tab "Avanzate" the way the operator gets there, with list files in
// its temporary folder.
class MergeFixture {
public:
    explicit MergeFixture(std::unique_ptr<ProgramUnderTest> program) : t(std::move(program)) {}

    // Intro screen, choice screen, tab "Avanzate", the option.
    template <class Frm>
    Frm& openThrough(const char* option) {
        t->program.start();
        QTest::keyClick(&t->screens().get<FrmPresentazione>(), Qt::Key_Return);
        return openFromChoice<Frm>(option);
    }

    // From the active choice screen: tab "Avanzate", the option.
    template <class Frm>
    Frm& openFromChoice(const char* option) {
        FrmScelta& scelta = t->screens().get<FrmScelta>();
        scelta.findChild<QTabWidget*>(QStringLiteral("TabOpzioni"))->setCurrentIndex(1);
        ProgramUnderTest::click(scelta.findChild<QRadioButton*>(QString::fromLatin1(option)));
        screen = &t->screens().get<Frm>();
        return static_cast<Frm&>(*screen);
    }

    // Browses for list 1 and list 2, each dialog proposing the name kept
    // from the one before.
    void chooseLists(const QString& uno, const std::optional<QString>& due) {
        t->dialogs.expectFile(apri(QString()), uno).expectFile(apri(uno), due);
        click("cmdSfoglia1");
        click("cmdSfoglia2");
    }
    // The same, then names the new list through "Salva".
    void chooseForMerge(const QString& uno, const std::optional<QString>& due,
                        const QString& nuovo) {
        chooseLists(uno, due);
        t->dialogs.expectFile(salva(QString()), nuovo);
        click("cmdsalva");
    }

    template <class Widget = QPushButton>
    Widget* ctl(const char* name) {
        return t->control<Widget>(*screen, QString::fromLatin1(name));
    }
    void click(const char* button) { ProgramUnderTest::click(ctl(button)); }
    QString text(const char* box) { return ctl<QLineEdit>(box)->text(); }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(t->path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            QTest::qFail("cannot write a list file", __FILE__, __LINE__);
        }
        return t->path(name);
    }
    // A list of `records` records whose bytes do not matter (a sparse file).
    QString writeSized(const QString& name, qint64 records) const {
        QFile file(t->path(name));
        if (!file.open(QIODevice::WriteOnly) || !file.resize(records * kLunghezzaRecord)) {
            QTest::qFail("cannot size a list file", __FILE__, __LINE__);
        }
        return t->path(name);
    }
    QByteArray read(const QString& name) const {
        QFile file(t->path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList folderEntries() const {
        return QDir(t->folder.path()).entryList(QDir::Files, QDir::Name);
    }

    // `count` records whose surnames start with `prefix` and tell them apart.
    static QByteArray records(const QString& prefix, int count) {
        QByteArray bytes;
        for (int n = 1; n <= count; ++n) {
            DatiDomanda domanda = AzzeraRecord();
            domanda.CognRich = QStringLiteral("%1 %2").arg(prefix).arg(n);
            domanda.Isee = 1000.25f * static_cast<float>(n);
            bytes += CodificaDomanda(domanda);
        }
        return bytes;
    }

    // The names of the widgets in the order Tab visits them, starting at the
    // first of `names`, for as many steps as there are names.
    QStringList tabOrder(const QStringList& names) {
        QStringList visited;
        QWidget* widget = ctl<QWidget>(qPrintable(names.first()));
        while (widget != nullptr && visited.size() < names.size()) {
            if (names.contains(widget->objectName())) {
                visited << widget->objectName();
            }
            widget = widget->nextInFocusChain();
            if (widget->objectName() == names.first()) {
                break;
            }
        }
        return visited;
    }

    std::unique_ptr<ProgramUnderTest> t;
    Screen* screen = nullptr;
};

inline MessageBoxRequest critico(const QString& testo) {
    return {testo, MessageButtons::Ok, MessageIcon::Critical};
}

inline const QString kScegliereUnFile = QStringLiteral("scegliere un file");
