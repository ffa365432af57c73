#pragma once

#include "CartellaLetta.h"
#include "Desktop.h"
#include "ScriptedDialogs.h"
#include "TextGridModel.h"
#include "summary/Excel.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

// The headers of the summary table, column 0 to 14.
inline const QStringList kIntestazioni =
    QStringLiteral(
        "Num. |Cognome e Nome del Richiedente |Luogo di nascita|Data di nascita|"
        "Codice Fiscale|Indirizzo, Num. Civico|Comune di Residenza - CAP|"
        "Cognome e Nome dello Studente|Luogo di nascita|Data di nascita|"
        "Codice Fiscale|Indirizzo, Num. Civico|Comune di Residenza - CAP|"
        "Spese Sostenute|ISEE")
        .split(u'|');

inline bool clessidra() {
    const QCursor* cursore = QGuiApplication::overrideCursor();
    return cursore != nullptr && cursore->shape() == Qt::WaitCursor;
}

// A desktop whose documents folder is the one it is given; it records the
// files it is asked to open (answering as told) and whether the hourglass
// showed while the workbook was written and when it was opened.
class DesktopDiProva final : public Desktop {
public:
    explicit DesktopDiProva(QString cartella) : cartella_(std::move(cartella)) {}

    QString documentsFolder() const override {
        clessidraInScrittura = clessidra();
        return cartella_;
    }
    bool openWithDefaultApplication(const QString& path) override {
        aperti.append(path);
        clessidraInApertura = clessidra();
        return apre;
    }

    bool apre = true;
    QStringList aperti;
    mutable bool clessidraInScrittura = false;
    bool clessidraInApertura = false;

private:
    QString cartella_;
};

// Dialogs that answer OK and keep every message box, for texts that name a
// file known only afterwards.
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

// A table with this header and these rows, each a "|"-separated text.
inline std::unique_ptr<TextGridModel> tabella(const QStringList& intestazioni,
                                              const QStringList& righe = {}) {
    auto griglia = std::make_unique<TextGridModel>(static_cast<int>(intestazioni.size()));
    for (int c = 0; c < intestazioni.size(); ++c) {
        griglia->setText(0, c, intestazioni[c]);
    }
    std::vector<QString> celle;
    for (const QString& riga : righe) {
        const QStringList testi = riga.split(u'|');
        celle.insert(celle.end(), testi.begin(), testi.end());
    }
    griglia->appendRows(std::move(celle));
    return griglia;
}

// One row of the summary table for the table above, with these amounts.
inline QString rigaRiepilogo(int numero, const QString& cognome, const QString& importi,
                             const QString& dataStudente = QStringLiteral("25/05/2006")) {
    return QStringLiteral(
               "%1|%2 MARIO|ROMA|05/03/1970|RSSMRA70C05H501X|VIA ROMA, 1|ROMA - 00100|"
               "%2 LUCA|ROMA|%3|RSSLCU06E25H501Y|VIA ROMA, 1|ROMA - 00100|%4")
        .arg(numero)
        .arg(cognome, dataStudente, importi);
}

inline const QString kDateRiepilogo = QStringLiteral("3-9");
inline const QString kTestiRiepilogo = QStringLiteral("1-2-4-5-6-7-8-10-11-12");

// The export run with scripted dialogs (a mismatch fails the test) and a
// test desktop whose documents folder is a fresh temporary folder.
struct EsportazioneDiProva {
    void esporta(TextGrid& griglia, const QString& sName, const QString& sColData = kDateRiepilogo,
                 int tipoOut = 1, const QString& sColStringa = kTestiRiepilogo,
                 const QString& sColExport = {}) {
        Excel::EsportaExcel({dialogs, desktop}, griglia, sName, QStringLiteral("X"), sColData, 1,
                            tipoOut, sColStringa, sColExport);
    }
    QStringList file() const { return cartelleNella(cartella.path()); }
    // The only workbook written, as the reader sees it.
    CartellaLetta unica() const {
        const QStringList scritti = file();
        return CartellaLetta(scritti.size() == 1 ? cartella.filePath(scritti.first()) : QString());
    }
    // Expects the "Errore" box, with the pointer back to normal while it shows.
    void attendiErrore(const QString& testo) {
        dialogs.expectMessage(
            {testo, MessageButtons::Ok, MessageIcon::Critical, false, QStringLiteral("Errore")},
            MessageAnswer::Ok, [] { QVERIFY(!clessidra()); });
    }

    QTemporaryDir cartella;
    ScriptedDialogs dialogs{
        [](const QString& failure) { QTest::qFail(qPrintable(failure), __FILE__, __LINE__); }};
    DesktopDiProva desktop{cartella.path()};
};
