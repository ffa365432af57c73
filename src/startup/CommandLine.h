#pragma once

#include "Result.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the program was asked to do by the arguments it was started with:
//   sovvenzia [--help | --version] [ELENCO]
struct StartRequest {
    // Set when the program answers without opening a window: the status to
    // exit with, after printing the two texts.
    std::optional<int> exitStatus;
    QString standardOutput;
    QString standardError;
    // The list named on the command line, as an absolute path; empty when
    // none was named.
    QString elenco;
};

// Reads the arguments that follow the program's name.
StartRequest readCommandLine(const QStringList& arguments);

// Why the file cannot be taken as a list (missing, a folder, not a regular
// file, unreadable), naming the file; nothing when it can. Its contents are
// checked only when the list is opened.
std::optional<Error> unusableList(const QString& path);
