#pragma once

#include "DialogService.h"

#include <deque>
#include <functional>
#include <variant>

// A DialogService for tests: each dialog the program shows must match the
// next scripted one exactly (kind, texts, buttons, icon, title, position,
// filter, proposed name), and gets its scripted answer. An unexpected
// dialog, a mismatch or an answer left unused is reported to the failure
// handler, which a test turns into a failure.
class ScriptedDialogs final : public DialogService {
public:
    using FailureHandler = std::function<void(const QString& failure)>;

    explicit ScriptedDialogs(FailureHandler onFailure);
    ~ScriptedDialogs() override;

    // Something to do while the dialog is up, before it is answered (change
    // a file under the program's feet, look at the focus).
    using WhileShown = std::function<void()>;

    ScriptedDialogs& expectMessage(const MessageBoxRequest& expected,
                                   MessageAnswer answer = MessageAnswer::Ok,
                                   WhileShown whileShown = {});
    ScriptedDialogs& expectInput(const InputBoxRequest& expected, const QString& answer,
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

    FailureHandler onFailure_;
    std::deque<AnyStep> script_;
};
