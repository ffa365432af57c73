#pragma once

#include "DialogService.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

// A DialogService for tests: each dialog the program shows must match the
// next scripted one exactly (kind, texts, buttons, icon, title, position,
// filter, proposed name), and gets its scripted answer. An unexpected
// dialog, a mismatch or an answer left unused is reported to the failure
// handler, which a test turns into a failure; unless `goingOn` is set, when
// unscripted dialogs get the answers of an operator who goes on. Every
// message box, input box and file dialog shown is kept.
class ScriptedDialogs final : public DialogService {
public:
    using FailureHandler = std::function<void(const QString& failure)>;

    // OK to a notice, `toQuestions` to a question, the next of `inputs` to an
    // input box (the last one again past the end), the next of `files` to a
    // file dialog (a cancel when none is left).
    struct Operator {
        MessageAnswer toQuestions = MessageAnswer::Yes;
        QStringList inputs;
        std::deque<QString> files;
    };
    std::optional<Operator> goingOn;

    std::vector<MessageBoxRequest> messages;
    std::vector<InputBoxRequest> inputs;
    std::vector<FileDialogRequest> fileDialogs;
    // Whether the hourglass showed under any message box.
    bool hourglassUnderMessage = false;
    // True when a message shown contains the text.
    bool told(const QString& text) const;

    explicit ScriptedDialogs(FailureHandler onFailure);
    ~ScriptedDialogs() override;

    // Something to do while the dialog is up, before it is answered (change
    // a file under the program's feet, look at the focus).
    using WhileShown = std::function<void()>;

    ScriptedDialogs& expectMessage(const MessageBoxRequest& expected,
                                   MessageAnswer answer = MessageAnswer::Ok,
                                   WhileShown whileShown = {});
    // An empty optional answers with a cancel.
    ScriptedDialogs& expectFile(const FileDialogRequest& expected,
                                const std::optional<QString>& answer, WhileShown whileShown = {});

    // Reports every scripted dialog that was not shown, forgets them and
    // returns whether all were used.
    bool verifyAllUsed();

    MessageAnswer messageBox(const MessageBoxRequest& request) override;
    QString inputBox(const InputBoxRequest& request) override;
    std::optional<QString> fileDialog(const FileDialogRequest& request) override;

private:
    template <class Request, class Answer>
    struct Step {
        Request expected;
        Answer answer;
        WhileShown whileShown;
    };
    using MessageStep = Step<MessageBoxRequest, MessageAnswer>;
    using InputStep = Step<InputBoxRequest, QString>;
    using FileStep = Step<FileDialogRequest, std::optional<QString>>;
    using AnyStep = std::variant<MessageStep, InputStep, FileStep>;

    // Matches the request against the next scripted step and returns its
    // answer, or the fallback (a cancel) when the dialog was not expected.
    template <class StepType, class Request, class Answer>
    Answer take(const Request& request, Answer fallback);
    std::optional<QString> nextFile();

    FailureHandler onFailure_;
    std::deque<AnyStep> script_;
};
