#include "CasellaImporto.h"

#include "ControlloImporti.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace {

// A key that types text, as opposed to moving, deleting or a shortcut.
bool digitaTesto(const QKeyEvent* event) {
    const Qt::KeyboardModifiers comandi =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return comandi == Qt::NoModifier && !event->text().isEmpty() && event->text().at(0).isPrint();
}

// The "paste" item of a line edit's standard context menu.
QAction* azioneIncolla(const QMenu& menu) {
    const QString incolla = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* azione : menu.actions()) {
        if (azione->text().section(u'\t', 0, 0) == incolla) {
            return azione;
        }
    }
    return nullptr;
}

}  // namespace

CasellaImporto::CasellaImporto(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void CasellaImporto::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        incolla(QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (digitaTesto(event)) {
        inserisciFiltrato(event->text());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CasellaImporto::mouseReleaseEvent(QMouseEvent* event) {
    const bool incollaSelezione =
        event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection();
    if (incollaSelezione && !isReadOnly()) {
        incolla(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

QMenu* CasellaImporto::menuContestuale() {
    QMenu* menu = createStandardContextMenu();
    if (QAction* incollaAzione = azioneIncolla(*menu)) {
        disconnect(incollaAzione, &QAction::triggered, nullptr, nullptr);
        connect(incollaAzione, &QAction::triggered, this,
                [this] { incolla(QClipboard::Clipboard); });
    }
    return menu;
}

void CasellaImporto::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = menuContestuale();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void CasellaImporto::incolla(QClipboard::Mode mode) {
    inserisciFiltrato(QApplication::clipboard()->text(mode));
}

void CasellaImporto::inserisciFiltrato(const QString& testo) {
    QString tenuto;
    for (const QChar carattere : testo) {
        const EsitoTasto esito = FiltraTastoImporto(carattere, bPunto_);
        bPunto_ = esito.bPunto;
        if (esito.carattere && *esito.carattere != QChar(kBackspace)) {
            tenuto.append(*esito.carattere);
        }
    }
    if (!tenuto.isEmpty()) {
        insert(tenuto);
    }
}
