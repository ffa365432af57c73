#pragma once

#include "DialogService.h"

#include <QString>
#include <QStringList>

#include <utility>

class QWidget;

// The dialogs of the running program: QMessageBox, QInputDialog and
// QFileDialog, shown modal over the active window.
class QtDialogs final : public DialogService {
public:
    // programTitle: the title of a dialog whose request names none.
    explicit QtDialogs(QString programTitle) : programTitle_(std::move(programTitle)) {}

    MessageAnswer messageBox(const MessageBoxRequest& request) override;
    QString inputBox(const InputBoxRequest& request) override;
    std::optional<QString> fileDialog(const FileDialogRequest& request) override;

private:
    QString titleOf(const QString& requested) const {
        return requested.isEmpty() ? programTitle_ : requested;
    }

    QString programTitle_;
};

// Turns a "description | pattern | description | pattern" filter into Qt's
// name filters: "(*.svz) | *.svz" becomes "(*.svz)  (*.svz)".
QStringList qtNameFilters(const QString& filter);
