#pragma once

#include "../../core/ModuloDiProva.h"
#include "DatiDomanda.h"
#include "ProgramUnderTest.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

// The entry screen opened on a list file in a temporary folder, with
// helpers to type an application as the operator would and to read the
// file's bytes back.
class EntryFixture {
public:
    EntryFixture() : t(std::make_unique<ProgramUnderTest>()) {}
    explicit EntryFixture(FileSystem& fileSystem)
        : t(std::make_unique<ProgramUnderTest>(fileSystem)) {}

    std::unique_ptr<ProgramUnderTest> t;
    FrmDatiAnagrafici* entry = nullptr;
    QString file;

    // A list file holding `records` applications (blank records) followed by
    // `extraBytes` bytes.
    QString creaElenco(const QString& name, int records, int extraBytes = 0) {
        const QString percorso = t->path(name);
        QFile out(percorso);
        if (!out.open(QIODevice::WriteOnly)) {
            QTest::qFail("cannot create the list file", __FILE__, __LINE__);
        }
        for (int i = 0; i < records; ++i) {
            out.write(CodificaDomanda(domandaNumero(i + 1)));
        }
        out.write(QByteArray(extraBytes, ' '));
        return percorso;
    }

    // A stored application whose requester surname says its number.
    static DatiDomanda domandaNumero(int numero) {
        DatiDomanda domanda = AzzeraRecord();
        domanda.CognRich = QStringLiteral("ROSSI%1").arg(numero).leftJustified(30);
        domanda.NomeRich = QStringLiteral("MARIO").leftJustified(30);
        domanda.Spese = 100.0f * static_cast<float>(numero);
        return domanda;
    }

    // Opens the entry screen on the file as the choice screen (continue a
    // list) or the heading screen (new list) would.
    void apri(const QString& percorso, bool nuovo = false) {
        file = percorso;
        t->stato().sFileElenco = percorso;
        t->stato().bElencoNuovo = nuovo;
        t->stato().sIntestazione = QStringLiteral("05-06");
        t->screens().show<FrmDatiAnagrafici>();
        entry = t->screens().find<FrmDatiAnagrafici>();
        if (entry != nullptr && !QTest::qWaitForWindowActive(entry)) {
            QTest::qFail("the entry screen did not become active", __FILE__, __LINE__);
        }
    }

    QLineEdit* box(const char* name) { return t->control<QLineEdit>(*entry, name); }
    QPushButton* button(const char* name) { return t->control<QPushButton>(*entry, name); }
    QAction* action(const char* name) {
        return t->control<QAction>(*entry, QString::fromLatin1(name));
    }

    // Types the text into the box from its start, key by key (ASCII only).
    static void digita(QLineEdit* casella, const QString& testo) {
        casella->setFocus();
        casella->setCursorPosition(0);
        QTest::keyClicks(casella, testo);
    }

    // Types every box of the application; dates as their eight digits.
    void compila(const ModuloDomanda& modulo) {
        const auto senzaBarre = [](QString data) { return data.remove(u'/'); };
        digita(box("TxtCognRich"), modulo.CognRich);
        digita(box("TxtNomeRich"), modulo.NomeRich);
        digita(box("TxtLuogoRich"), modulo.LuogoRich);
        digita(box("MskDataRich"), senzaBarre(modulo.DataRich));
        digita(box("TxtCodFiscRich"), modulo.CodFiscRich);
        digita(box("TxtComRich"), modulo.ComRich);
        digita(box("TxtCapRich"), modulo.CapRich);
        digita(box("TxtViaRich"), modulo.ViaRich);
        digita(box("TxtNumRich"), modulo.NumRich);
        digita(box("TxtCognStud"), modulo.CognStud);
        digita(box("TxtnomeStud"), modulo.NomeStud);
        digita(box("TxtLuogoStud"), modulo.LuogoStud);
        digita(box("MskDataStud"), senzaBarre(modulo.DataStud));
        digita(box("TxtCodFiscStud1"), modulo.CodFiscStud);
        box("TxtComStud")->clear();  // leaving the requester's boxes copied them here
        digita(box("TxtComStud"), modulo.ComStud);
        box("TxtCapStud")->clear();
        digita(box("TxtCapStud"), modulo.CapStud);
        box("TxtViaStud")->clear();
        digita(box("TxtViaStud"), modulo.ViaStud);
        box("TxtNumStud")->clear();
        digita(box("TxtNumStud"), modulo.NumStud);
        digita(box("TxtSpese"), modulo.Spese);
        digita(box("TxtIsee"), modulo.Isee);
    }

    void successivo() { ProgramUnderTest::click(button("CmdAvanti")); }

    QByteArray byteDelFile() const {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    QByteArray record(int numero) const {
        return byteDelFile().mid((numero - 1) * kLunghezzaRecord, kLunghezzaRecord);
    }

    // The bytes ModuloCompleto() is stored as.
    static QByteArray recordCompleto() {
        DatiDomanda atteso = AzzeraRecord();
        atteso.CognRich = QStringLiteral("ROSSI");
        atteso.NomeRich = QStringLiteral("MARIO");
        atteso.LuogoRich = QStringLiteral("ROMA");
        atteso.DataRich = QStringLiteral("05/03/1970");
        atteso.CodFiscRich = QStringLiteral("RSSMRA70C05H501X");
        atteso.ComRich = QStringLiteral("ROMA");
        atteso.CapRich = QStringLiteral("00100");
        atteso.ViaRich = QStringLiteral("VIA DEI MILLE");
        atteso.NumRich = QStringLiteral("12");
        atteso.CognStud = QStringLiteral("ROSSI");
        atteso.NomeStud = QStringLiteral("LUCA");
        atteso.LuogoStud = QStringLiteral("ROMA");
        atteso.DataStud = QStringLiteral("29/02/2000");
        atteso.CodFiscStud = QStringLiteral("RSSLCU00B69H501Y");
        atteso.ComStud = QStringLiteral("ROMA");
        atteso.CapStud = QStringLiteral("00100");
        atteso.ViaStud = QStringLiteral("VIA DEI MILLE");
        atteso.NumStud = QStringLiteral("12");
        atteso.Spese = 1234.56f;
        atteso.Isee = 5000.0f;
        return CodificaDomanda(atteso);
    }

    // The message box of a refused box.
    static MessageBoxRequest attenzione(const QString& testo) {
        return {QStringLiteral("ATTENZIONE!\n") + testo, MessageButtons::Ok,
                MessageIcon::Exclamation};
    }
};
