#include "ScriptedDialogs.h"

#include "DesktopDiProva.h"

#include <algorithm>

namespace {

QString name(MessageButtons buttons) {
    static const char* const names[] = {"OK", "Yes/No", "Yes/No/Cancel"};
    return QLatin1String(names[static_cast<int>(buttons)]);
}

QString name(MessageIcon icon) {
    static const char* const names[] = {"no icon", "information", "exclamation", "question",
                                        "critical"};
    return QLatin1String(names[static_cast<int>(icon)]);
}

QString quoted(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

// One-line descriptions used in failure reports.
QString describe(const MessageBoxRequest& request) {
    return QStringLiteral("message box %1, %2, %3%4, title %5")
        .arg(quoted(request.prompt), name(request.buttons), name(request.icon),
             request.defaultNo ? QStringLiteral(", No default") : QString(), quoted(request.title));
}

QString describe(const InputBoxRequest& request) {
    return QStringLiteral("input box %1, title %2, default %3, at %4,%5 twips")
        .arg(quoted(request.prompt), quoted(request.title), quoted(request.defaultText))
        .arg(request.positionTwips.x())
        .arg(request.positionTwips.y());
}

QString describe(const FileDialogRequest& request) {
    return QStringLiteral("%1 dialog, filter %2, name %3")
        .arg(request.mode == FileDialogMode::Open ? QStringLiteral("Open") : QStringLiteral("Save"),
             quoted(request.filter), quoted(request.fileName));
}

}  // namespace

ScriptedDialogs::ScriptedDialogs(FailureHandler onFailure) : onFailure_(std::move(onFailure)) {}

ScriptedDialogs::~ScriptedDialogs() {
    verifyAllUsed();
}

ScriptedDialogs& ScriptedDialogs::expectMessage(const MessageBoxRequest& expected,
                                                MessageAnswer answer, WhileShown whileShown) {
    script_.push_back(MessageStep{expected, answer, std::move(whileShown)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectFile(const FileDialogRequest& expected,
                                             const std::optional<QString>& answer,
                                             WhileShown whileShown) {
    script_.push_back(FileStep{expected, answer, std::move(whileShown)});
    return *this;
}

bool ScriptedDialogs::verifyAllUsed() {
    const bool allUsed = script_.empty();
    for (const AnyStep& step : script_) {
        const QString expected =
            std::visit([](const auto& s) { return describe(s.expected); }, step);
        onFailure_(QStringLiteral("scripted dialog never shown: ") + expected);
    }
    script_.clear();
    return allUsed;
}

bool ScriptedDialogs::told(const QString& text) const {
    return std::ranges::any_of(messages, [&](const auto& m) { return m.prompt.contains(text); });
}

template <class StepType, class Request, class Answer>
Answer ScriptedDialogs::take(const Request& request, Answer fallback) {
    if (script_.empty() && goingOn) {
        return fallback;
    }
    if (script_.empty()) {
        onFailure_(QStringLiteral("unexpected dialog: ") + describe(request));
        return fallback;
    }
    auto* step = std::get_if<StepType>(&script_.front());
    if (step == nullptr) {
        const QString expected =
            std::visit([](const auto& s) { return describe(s.expected); }, script_.front());
        onFailure_(QStringLiteral("expected %1\n   but got %2").arg(expected, describe(request)));
        script_.pop_front();
        return fallback;
    }
    if (!(step->expected == request)) {
        onFailure_(QStringLiteral("expected %1\n   but got %2")
                       .arg(describe(step->expected), describe(request)));
    }
    const StepType taken = std::move(*step);
    script_.pop_front();
    if (taken.whileShown) {
        taken.whileShown();
    }
    return taken.answer;
}

MessageAnswer ScriptedDialogs::messageBox(const MessageBoxRequest& request) {
    messages.push_back(request);
    hourglassUnderMessage = hourglassUnderMessage || clessidra();
    const MessageAnswer fallback = !goingOn ? escapeAnswer(request.buttons)
                                   : request.buttons == MessageButtons::Ok ? MessageAnswer::Ok
                                                                           : goingOn->toQuestions;
    return take<MessageStep>(request, fallback);
}

QString ScriptedDialogs::inputBox(const InputBoxRequest& request) {
    inputs.push_back(request);
    const QStringList& answers = goingOn ? goingOn->inputs : QStringList();
    const auto shown = static_cast<qsizetype>(inputs.size());
    return take<InputStep>(request, answers.value(std::min(shown, answers.size()) - 1));
}

std::optional<QString> ScriptedDialogs::fileDialog(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    return take<FileStep>(request, nextFile());
}

std::optional<QString> ScriptedDialogs::nextFile() {
    if (!goingOn || goingOn->files.empty() || !script_.empty()) {
        return std::nullopt;
    }
    const QString file = goingOn->files.front();
    goingOn->files.pop_front();
    return file;
}
