#pragma once

#include "Desktop.h"
#include "DialogService.h"
#include "FailingFileSystem.h"
#include "FileDiProva.h"
#include "Program.h"
#include "merge/FrmCaricaFile.h"
#include "merge/FrmCreaUnione.h"
#include "wizard/FrmDatiAnagrafici.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <deque>

// A dialog service that answers as an operator who goes on would (the set
// answer to a question, OK to a notice, the next of the given names to a
// file dialog) and keeps every message shown.
class DialoghiRegistrati final : public DialogService {
public:
    std::deque<QString> fileDaScegliere;
    MessageAnswer rispostaAlleDomande = MessageAnswer::Yes;
    QList<MessageBoxRequest> messaggi;

    MessageAnswer messageBox(const MessageBoxRequest& request) override {
        messaggi << request;
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : rispostaAlleDomande;
    }
    QString inputBox(const InputBoxRequest&) override { return QStringLiteral("2026-27"); }
    std::optional<QString> fileDialog(const FileDialogRequest&) override {
        if (fileDaScegliere.empty()) {
            return std::nullopt;
        }
        const QString scelto = fileDaScegliere.front();
        fileDaScegliere.pop_front();
        return scelto;
    }
};

// A desktop whose documents folder is the test's own and which takes every
// file it is asked to open.
class ScrivaniaDiProva final : public Desktop {
public:
    explicit ScrivaniaDiProva(QString cartella) : cartella_(std::move(cartella)) {}
    QString documentsFolder() const override { return cartella_; }
    bool openWithDefaultApplication(const QString& path) override {
        aperti << path;
        return true;
    }
    QStringList aperti;

private:
    QString cartella_;
};

// The whole program over a file system that fails the calls it is told to,
// with list files in a temporary folder and documents in a folder inside it.
class ProgrammaConGuasti {
public:
    FailingFileSystem fs;
    DialoghiRegistrati dialoghi;
    QTemporaryDir cartella;
    ScrivaniaDiProva scrivania{Percorso(QStringLiteral("Documenti"))};
    Program programma{dialoghi, fs, scrivania};

    ProgrammaConGuasti() { QDir().mkpath(Percorso(QStringLiteral("Documenti"))); }

    QString Percorso(const QString& nome) const { return cartella.filePath(nome); }

    QString Scrivi(const QString& nome, const QByteArray& byte) const {
        if (!ScriviFile(Percorso(nome), byte)) {
            QTest::qFail("cannot write a list file", __FILE__, __LINE__);
        }
        return Percorso(nome);
    }

    // Every file of the folder that an operator sees (not the hidden lock and
    // journal files), with its bytes.
    QMap<QString, QByteArray> File() const {
        QMap<QString, QByteArray> file;
        for (const QString& nome : QDir(cartella.path()).entryList(QDir::Files)) {
            file[nome] = LeggiFile(Percorso(nome));
        }
        return file;
    }

    // True when a message shown gives the reason.
    bool Detto(const QString& motivo) const {
        return std::any_of(dialoghi.messaggi.begin(), dialoghi.messaggi.end(),
                           [&](const MessageBoxRequest& m) { return m.prompt.contains(motivo); });
    }

    // The entry screen continuing the list, as the choice screen opens it.
    FrmDatiAnagrafici* ApriScheda(const QString& lista) {
        programma.stato().sFileElenco = lista;
        programma.stato().bElencoNuovo = false;
        programma.stato().sIntestazione = QStringLiteral("2026-27");
        programma.screens().show<FrmDatiAnagrafici>();
        return programma.screens().find<FrmDatiAnagrafici>();
    }

    // The append or merge screen as the operator reaches it: intro screen,
    // choice screen, tab "Avanzate", the option.
    template <class Frm>
    QWidget& ApriDallaScelta(const char* opzione) {
        programma.start();
        QTest::keyClick(&programma.screens().get<FrmPresentazione>(), Qt::Key_Return);
        FrmScelta& scelta = programma.screens().get<FrmScelta>();
        Controllo<QTabWidget>(scelta, "TabOpzioni")->setCurrentIndex(1);
        QTest::mouseClick(Controllo<QRadioButton>(scelta, opzione), Qt::LeftButton);
        return programma.screens().get<Frm>();
    }

    // Presses the buttons in turn as the operator would; fails the test
    // when one cannot be pressed.
    void Premi(QWidget& schermo, std::initializer_list<const char*> nomi) {
        for (const char* nome : nomi) {
            auto* pulsante = Controllo<QPushButton>(schermo, nome);
            QVERIFY2(pulsante != nullptr && pulsante->isVisible() && pulsante->isEnabled(), nome);
            QTest::mouseClick(pulsante, Qt::LeftButton);
        }
    }

    template <class Widget>
    Widget* Controllo(QWidget& schermo, const char* nome) {
        auto* widget = schermo.findChild<Widget*>(QString::fromLatin1(nome));
        if (widget == nullptr) {
            QTest::qFail(qPrintable(QStringLiteral("no control ") + QLatin1String(nome)), __FILE__,
                         __LINE__);
        }
        return widget;
    }
};
