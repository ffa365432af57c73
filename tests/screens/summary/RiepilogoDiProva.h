#pragma once

#include "DesktopDiProva.h"
#include "FileElenco.h"
#include "Program.h"
#include "ScreenManager.h"
#include "ScriptedDialogs.h"
#include "TextGridView.h"
#include "summary/FrmRiepilogo.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QTemporaryDir>
#include <QtTest>

// The whole program with scripted dialogs and a test desktop, working on a
// list file in a temporary folder that the entry screen holds open on
// handle 1, as it does when the operator opens the summary.
class RiepilogoDiProva {
public:
    explicit RiepilogoDiProva(FileSystem& fileSystem = PosixFileSystem::instance())
        : dialogs([](const QString& failure) {
              QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
          }),
          desktop(cartella.path()),
          program(dialogs, fileSystem, desktop) {}

    QString elenco() const { return cartella.filePath(QStringLiteral("Roma.svz")); }

    // An application whose requester and student are called cognome.
    static DatiDomanda domanda(const QString& cognome, float spese = 250.0f, float isee = 99.5f) {
        DatiDomanda d = AzzeraRecord();
        d.CognRich = cognome;
        d.NomeRich = QStringLiteral("MARIO");
        d.LuogoRich = QStringLiteral("ROMA");
        d.DataRich = QStringLiteral("05/03/1970");
        d.CodFiscRich = QStringLiteral("RSSMRA70C05H501X");
        d.ComRich = QStringLiteral("ROMA");
        d.ViaRich = QStringLiteral("VIA APPIA");
        d.NumRich = QStringLiteral("12");
        d.CapRich = QStringLiteral("00100");
        d.CognStud = cognome;
        d.NomeStud = QStringLiteral("LUCA");
        d.LuogoStud = QStringLiteral("MILANO");
        d.DataStud = QStringLiteral("25/05/2006");
        d.CodFiscStud = QStringLiteral("RSSLCU06E25F205Y");
        d.ComStud = QStringLiteral("MILANO");
        d.ViaStud = QStringLiteral("VIA DANTE");
        d.NumStud = QStringLiteral("3");
        d.CapStud = QStringLiteral("20100");
        d.Spese = spese;
        d.Isee = isee;
        return d;
    }

    // Writes the applications as records 1, 2, ... of a new list file.
    void scriviElenco(const std::vector<DatiDomanda>& domande) {
        FileElenco file;
        QVERIFY(file.ApriElenco(elenco(), 2).ok());
        for (std::size_t i = 0; i < domande.size(); ++i) {
            QVERIFY(file.ScriviDomanda(2, static_cast<int>(i) + 1, domande[i]).ok());
        }
        file.ChiudiElenco(2);
    }

    // Stores an application through handle 1, as the entry screen does.
    void scrivi(int nRecord, const DatiDomanda& domanda) {
        QVERIFY(program.elenco().ScriviDomanda(1, nRecord, domanda).ok());
    }

    // Continues the list on the entry screen, which opens it on handle 1.
    FrmDatiAnagrafici& apriSchedaDomande() {
        program.stato().sFileElenco = elenco();
        program.stato().bElencoNuovo = false;
        program.screens().show<FrmDatiAnagrafici>();
        return *program.screens().find<FrmDatiAnagrafici>();
    }

    // Opens the summary as the entry screen's menu does.
    void apriRiepilogo() { program.screens().show<FrmRiepilogo>(); }

    FrmRiepilogo* riepilogo() { return program.screens().find<FrmRiepilogo>(); }
    TextGridView* griglia() {
        return riepilogo() ? riepilogo()->findChild<TextGridView*>(QStringLiteral("Griglia"))
                           : nullptr;
    }
    // The text of a cell of the table; row 0 is the header.
    QString cella(int riga, int col) { return griglia()->cells().text(riga, col); }
    int righe() { return griglia()->cells().Rows(); }

    QTemporaryDir cartella;
    ScriptedDialogs dialogs;
    DesktopDiProva desktop;
    Program program;
};
