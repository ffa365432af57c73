#pragma once

#include "CartellaLetta.h"
#include "DesktopDiProva.h"
#include "ScriptedDialogs.h"
#include "TextGridModel.h"
#include "summary/Excel.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

// The headers of the summary table, column 0 to 14.
inline const QStringList kIntestazioni{
    QStringLiteral("Num. "),
    QStringLiteral("Cognome e Nome del Richiedente "),
    QStringLiteral("Luogo di nascita"),
    QStringLiteral("Data di nascita"),
    QStringLiteral("Codice Fiscale"),
    QStringLiteral("Indirizzo, Num. Civico"),
    QStringLiteral("Comune di Residenza - CAP"),
    QStringLiteral("Cognome e Nome dello Studente"),
    QStringLiteral("Luogo di nascita"),
    QStringLiteral("Data di nascita"),
    QStringLiteral("Codice Fiscale"),
    QStringLiteral("Indirizzo, Num. Civico"),
    QStringLiteral("Comune di Residenza - CAP"),
    QStringLiteral("Spese Sostenute"),
    QStringLiteral("ISEE"),
};

// A table with the given header and rows, ready for the export.
inline std::unique_ptr<TextGridModel> tabella(const QStringList& intestazioni,
                                              const std::vector<QStringList>& righe) {
    auto griglia = std::make_unique<TextGridModel>(static_cast<int>(intestazioni.size()));
    for (int c = 0; c < intestazioni.size(); ++c) {
        griglia->setText(0, c, intestazioni[c]);
    }
    std::vector<QString> celle;
    for (const QStringList& riga : righe) {
        celle.insert(celle.end(), riga.begin(), riga.end());
    }
    griglia->appendRows(std::move(celle));
    return griglia;
}

// One row of the summary table: record number, requester, student, amounts.
inline QStringList rigaRiepilogo(int numero, const QString& cognome, const QString& spese,
                                 const QString& isee) {
    return {QString::number(numero),
            cognome + QStringLiteral(" MARIO"),
            QStringLiteral("ROMA"),
            QStringLiteral("05/03/1970"),
            QStringLiteral("RSSMRA70C05H501X"),
            QStringLiteral("VIA ROMA, 1"),
            QStringLiteral("ROMA - 00100"),
            cognome + QStringLiteral(" LUCA"),
            QStringLiteral("ROMA"),
            QStringLiteral("25/05/2006"),
            QStringLiteral("RSSLCU06E25H501Y"),
            QStringLiteral("VIA ROMA, 1"),
            QStringLiteral("ROMA - 00100"),
            spese,
            isee};
}

inline const QString kDateRiepilogo = QStringLiteral("3-9");
inline const QString kTestiRiepilogo = QStringLiteral("1-2-4-5-6-7-8-10-11-12");

// Dialogs that answer OK to every message box and keep it, for messages
// whose text names a file only known afterwards.
class DialogsRegistrati final : public DialogService {
public:
    MessageAnswer messageBox(const MessageBoxRequest& request) override {
        messaggi.push_back(request);
        return MessageAnswer::Ok;
    }
    QString inputBox(const InputBoxRequest&) override { return {}; }
    std::optional<QString> fileDialog(const FileDialogRequest&) override { return {}; }

    std::vector<MessageBoxRequest> messaggi;
};

// Scripted dialogs whose mismatches fail the running test, a test desktop
// whose documents folder is a fresh temporary folder, and the export run
// against them.
class EsportazioneDiProva {
public:
    EsportazioneDiProva()
        : dialogs([](const QString& failure) {
              QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
          }),
          desktop(cartella.path()) {}

    void esporta(TextGrid& griglia, const QString& sName, const QString& sNomeApp,
                 const QString& sColData = kDateRiepilogo, int tipoIn = 1, int tipoOut = 1,
                 const QString& sColStringa = kTestiRiepilogo, const QString& sColExport = {}) {
        Excel::EsportaExcel({dialogs, desktop}, griglia, sName, sNomeApp, sColData, tipoIn, tipoOut,
                            sColStringa, sColExport);
    }

    QStringList file() const { return cartelleNella(cartella.path()); }
    QString percorso(const QString& nome) const { return cartella.filePath(nome); }
    // The only workbook written, as the reader sees it.
    CartellaLetta unica() const {
        const QStringList scritti = file();
        return CartellaLetta(scritti.size() == 1 ? percorso(scritti.first()) : QString());
    }

    // The "Errore" box that every failure of the export shows.
    static MessageBoxRequest errore(const QString& testo) {
        return {testo, MessageButtons::Ok, MessageIcon::Critical, false, QStringLiteral("Errore")};
    }
    // Expects the "Errore" box and checks that the pointer is back to normal
    // while it shows.
    void attendiErrore(const QString& testo) {
        dialogs.expectMessage(errore(testo), MessageAnswer::Ok,
                              [] { QVERIFY(!DesktopDiProva::clessidra()); });
    }

    QTemporaryDir cartella;
    ScriptedDialogs dialogs;
    DesktopDiProva desktop;
};
