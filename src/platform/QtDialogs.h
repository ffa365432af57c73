#pragma once

#include "DialogService.h"

#include <QStringList>

class QWidget;

// The dialogs of the running program: QMessageBox, QInputDialog and
// QFileDialog, shown modal over the active window.
class QtDialogs final : public DialogService {
public:
    MessageAnswer messageBox(const MessageBoxRequest& request) override;
    QString inputBox(const InputBoxRequest& request) override;
    std::optional<QString> fileDialog(const FileDialogRequest& request) override;
};

// Turns a "description | pattern | description | pattern" filter into Qt's
// name filters: "(*.svz) | *.svz" becomes "(*.svz)  (*.svz)".
QStringList qtNameFilters(const QString& filter);
