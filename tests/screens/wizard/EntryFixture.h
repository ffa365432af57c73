#pragma once

#include "DatiDomanda.h"
#include "DomandaDiProva.h"
#include "ProgramUnderTest.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

// The whole program with the entry screen, once opened, typed into as the
// operator would.
class EntryFixture : public ProgramUnderTest {
public:
    FrmDatiAnagrafici* entry = nullptr;

    // Elenco.svz holding `records` blank applications and `extraBytes`
    // blanks after them.
    QString elenco(int records, int extraBytes = 0) {
        return write(QStringLiteral("Elenco.svz"),
                     QByteArray(records * kLunghezzaRecord + extraBytes, ' '));
    }

    QLineEdit* box(const char* name) { return control<QLineEdit>(*entry, name); }
    QAction* action(const char* name) { return control<QAction>(*entry, name); }

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

    QByteArray bytes() const { return LeggiFile(stato.sFileElenco); }
};
