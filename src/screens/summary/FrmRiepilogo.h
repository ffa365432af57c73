#pragma once

#include "Result.h"
#include "Screen.h"
#include "ScreenContext.h"

#include <QByteArray>

class QLabel;
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
// The operator may sort the rows shown by any column, print them or save
// them as a PDF, and read the totals under the table; the window can be
// resized, the table growing with it.
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

    // Brings the table up to the list on handle 1; false when there is
    // nothing to show (the operator has been told why).
    bool CaricaRiepilogo();
    Result<QByteArray> LeggiRecords(int primo, int ultimo) const;
    void ImpostaColonne();
    void MostraTotali();

    ScreenContext& context_;
    RigheRiepilogo* righe_;
    TextGridView* Griglia;
    QPushButton* Command1;
    QPushButton* CmdIndietro;
    QPushButton* CmdStampa;
    QLabel* LblTotali;
};
