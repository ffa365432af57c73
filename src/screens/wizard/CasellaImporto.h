#pragma once

#include <QClipboard>
#include <QLineEdit>

class QMenu;

// A box for an amount in euro: it takes digits and one decimal point, shows a
// typed comma as a point and drops everything else, also from pasted text.
// It remembers that a separator was typed until the screen clears that.
class CasellaImporto : public QLineEdit {
    Q_OBJECT

public:
    explicit CasellaImporto(QWidget* parent);

    void azzeraPunto() { bPunto_ = false; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The box's context menu, whose "paste" goes through the same filter.
    QMenu* menuContestuale();
    // Inserts what the filter keeps of the text at the cursor.
    void inserisciFiltrato(const QString& testo);
    void incolla(QClipboard::Mode mode);

    bool bPunto_ = false;
};
