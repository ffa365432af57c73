#pragma once

#include "MessageIcon.h"

#include <QPoint>
#include <QString>

#include <optional>
#include <utility>

// The modal dialogs that screens use: message box, input box and file
// dialog. Screens receive one DialogService and never create toolkit dialogs
// themselves, so that tests can script the operator's answers.

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// The answer of a box closed through its frame or with Escape.
inline MessageAnswer escapeAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return MessageAnswer::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return MessageAnswer::Ok;
}

struct MessageBoxRequest {
    MessageBoxRequest(QString prompt_, MessageButtons buttons_ = MessageButtons::Ok,
                      MessageIcon icon_ = MessageIcon::None, bool defaultNo_ = false,
                      QString title_ = {})
        : prompt(std::move(prompt_)),
          buttons(buttons_),
          icon(icon_),
          defaultNo(defaultNo_),
          title(std::move(title_)) {}

    QString prompt;  // line breaks as "\n"
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    bool defaultNo = false;  // with Yes/No buttons: No is the default button
    QString title;           // empty: the program's title

    bool operator==(const MessageBoxRequest&) const = default;
};

struct InputBoxRequest {
    InputBoxRequest(QString prompt_, QString title_, QString defaultText_, QPoint positionTwips_)
        : prompt(std::move(prompt_)),
          title(std::move(title_)),
          defaultText(std::move(defaultText_)),
          positionTwips(positionTwips_) {}

    QString prompt;
    QString title;
    QString defaultText;
    QPoint positionTwips;  // top-left corner from the screen's top-left corner

    bool operator==(const InputBoxRequest&) const = default;
};

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    FileDialogRequest(FileDialogMode mode_, QString filter_, QString fileName_,
                      QString defaultSuffix_ = {}, bool confirmOverwrite_ = false)
        : mode(mode_),
          filter(std::move(filter_)),
          fileName(std::move(fileName_)),
          defaultSuffix(std::move(defaultSuffix_)),
          confirmOverwrite(confirmOverwrite_) {}

    FileDialogMode mode = FileDialogMode::Open;
    QString filter;    // "description | pattern", as "(*.svz) | *.svz"
    QString fileName;  // proposed name
    // Save only: added, after a dot, to a name chosen without an extension
    // ("pdf"); none for lists, whose names are taken as typed.
    QString defaultSuffix;
    // Save only: an existing file is replaced only after the operator answers
    // Yes to the usual question, whose default is No. Lists are chosen
    // without it: their screens decide what becomes of an existing file.
    bool confirmOverwrite = false;

    bool operator==(const FileDialogRequest&) const = default;
};

class DialogService {
public:
    virtual ~DialogService() = default;

    virtual MessageAnswer messageBox(const MessageBoxRequest& request) = 0;
    // The typed text, or an empty text when cancelled.
    virtual QString inputBox(const InputBoxRequest& request) = 0;
    // The chosen file's full path, or nothing when cancelled.
    virtual std::optional<QString> fileDialog(const FileDialogRequest& request) = 0;
};
