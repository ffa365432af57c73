#pragma once

#include "Controls.h"
#include "Result.h"
#include "Screen.h"
#include "ScreenContext.h"

#include <QByteArray>

class QLabel;
class QLineEdit;
class QPushButton;
class RigheRiepilogo;
class TextGridView;

// The summary of the open list: one read-only row per application, record r
// in row r. Showing the screen opens the summary: the applications stored
// since the last opening are added (the whole table is rebuilt after a
// modification) before the window appears; an empty or unreadable list keeps
// it hidden and the entry screen in front. Created on the first opening and
// then only hidden and shown until the entry screen unloads it.
//
// The operator may narrow the rows shown with the boxes above the table
// (words to find, a ceiling for the ISEE, a floor for the expenses), sort
// them by any column, export, print them or save them as a PDF, and read
// their totals under the table; the window can be resized, the table
// growing with it.
class FrmRiepilogo : public Screen {
    Q_OBJECT

public:
    explicit FrmRiepilogo(ScreenContext& context);

    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void activate() override;
    void closeRequested() override;

    void CmdIndietro_Click();
    void Command1_Click();
    void CmdStampa_Click();
    void Filtra();

    QLineEdit* casellaFiltro(const char* etichetta, const QString& testo, const char* nome,
                             Controls::Place postoEtichetta, Controls::Place posto);

    // Brings the table up to the list on handle 1; false when there is
    // nothing to show (the operator has been told why).
    bool CaricaRiepilogo();
    Result<QByteArray> LeggiRecords(int primo, int ultimo) const;
    void ImpostaColonne();
    void MostraTotali();

    ScreenContext& context_;
    RigheRiepilogo* righe_;
    QLineEdit* TxtFiltro;
    QLineEdit* TxtIseeMassimo;
    QLineEdit* TxtSpeseMinime;
    TextGridView* Griglia;
    QPushButton* Command1;
    QPushButton* CmdIndietro;
    QPushButton* CmdStampa;
    QLabel* LblTotali;
};
