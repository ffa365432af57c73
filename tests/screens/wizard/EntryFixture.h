#pragma once

#include "CaselleModulo.h"
#include "DatiDomanda.h"
#include "DomandaDiProva.h"
#include "ProgramUnderTest.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

// The whole program with the entry screen opened on a list file in its
// temporary folder, typed into as the operator would.
class EntryFixture : public ProgramUnderTest {
public:
    FrmDatiAnagrafici* entry = nullptr;
    QString file;

    // Elenco.svz holding `records` applications (requester ROSSI<n>) and
    // `extraBytes` blanks after them.
    QString elenco(int records, int extraBytes = 0) {
        QByteArray bytes;
        for (int n = 1; n <= records; ++n) {
            DatiDomanda domanda = AzzeraRecord();
            domanda[Campo::CognRich] = QStringLiteral("ROSSI%1").arg(n);
            bytes += CodificaDomanda(domanda);
        }
        return write(QStringLiteral("Elenco.svz"), bytes + QByteArray(extraBytes, ' '));
    }

    // Shows the entry screen on the file as the choice screen (continue a
    // list) or the heading screen (new list) would.
    void apri(const QString& percorso, bool nuovo = false) {
        file = percorso;
        entry = openEntry(percorso, nuovo);
    }

    QLineEdit* box(const QString& name) { return control<QLineEdit>(*entry, name); }
    QPushButton* button(const char* name) { return control<QPushButton>(*entry, name); }
    QAction* action(const char* name) { return control<QAction>(*entry, name); }

    // The buttons offered and the menus enabled.
    QString modalita() {
        return on(*entry, {"CmdAvanti", "CmdEsci", "CmdIndietro", "cmdModfica", "cmdannulla",
                           "mnuFile", "mnuModifica", "MnuVisualizza"});
    }

    // Types every box of the application in tab order; dates as their digits.
    void compila(const ModuloDomanda& modulo) {
        for (const DescrizioneCampo& campo : kCampi) {
            QLineEdit* casella = box(campo.casella);
            QString testo = modulo[campo.campo];
            casella->clear();  // leaving the requester's address copied it here
            casella->setFocus();
            type(casella, casella->inputMask().isEmpty() ? testo : testo.remove(u'/'));
        }
    }

    void successivo() { click(button("CmdAvanti")); }
    QByteArray bytes() const { return LeggiFile(file); }
    QByteArray record(int n) const {
        return bytes().mid((n - 1) * kLunghezzaRecord, kLunghezzaRecord);
    }

    // The bytes ModuloCompleto() is stored as: trimmed upper-case texts.
    static QByteArray recordCompleto() {
        return CodificaDomanda(DomandaDa(
            "ROSSI|MARIO|ROMA|05/03/1970|RSSMRA70C05H501X|ROMA|VIA DEI MILLE|12|00100|ROSSI|LUCA|"
            "ROMA|29/02/2000|RSSLCU00B69H501Y|ROMA|VIA DEI MILLE|12|00100|1234.56|5000"));
    }

    // The message of a refused box.
    static MessageBoxRequest attenzione(const QString& testo) {
        return {QStringLiteral("ATTENZIONE!\n") + testo, MessageButtons::Ok,
                MessageIcon::Exclamation};
    }
};
