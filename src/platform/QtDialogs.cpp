#include "QtDialogs.h"

#include "Twips.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        default:
            return MessageAnswer::Ok;
    }
}

}  // namespace

MessageAnswer QtDialogs::messageBox(const MessageBoxRequest& request) {
    QMessageBox box(qtIcon(request.icon), titleOf(request.title), request.prompt,
                    qtButtons(request.buttons), QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);  // names from files are shown as they are, never as markup
    if (request.buttons == MessageButtons::Ok) {
        box.setDefaultButton(QMessageBox::Ok);
    } else {
        box.setDefaultButton(request.defaultNo ? QMessageBox::No : QMessageBox::Yes);
    }
    const int pressed = box.exec();
    if (box.clickedButton() == nullptr) {
        return escapeAnswer(request.buttons);
    }
    return answerOf(pressed);
}

QString QtDialogs::inputBox(const InputBoxRequest& request) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(titleOf(request.title));
    dialog.setLabelText(request.prompt);
    dialog.setTextValue(request.defaultText);
    dialog.move(Twips::toPixels(request.positionTwips));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

std::optional<QString> QtDialogs::fileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    const bool save = request.mode == FileDialogMode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // The description is shown alone; Qt would repeat the pattern after it.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(request.filter));
    if (!request.fileName.isEmpty()) {
        const QFileInfo proposed(request.fileName);
        if (proposed.isAbsolute()) {
            dialog.setDirectory(proposed.absolutePath());
        }
        dialog.selectFile(proposed.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << parts[i] + QLatin1String(" (") + parts[i + 1].trimmed() + QLatin1Char(')');
    }
    return filters;
}
