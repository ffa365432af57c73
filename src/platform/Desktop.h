#pragma once

#include <QString>

// What the program asks of the user's desktop beyond its own windows: the
// folder where the user keeps documents, and opening a file with the
// application the desktop associates with its kind.
class Desktop {
public:
    virtual ~Desktop() = default;

    virtual QString documentsFolder() const = 0;

    // False when the desktop surely could not open the file (no launcher,
    // nothing associated with the kind). True only means that the request
    // was handed over: the application may still fail afterwards.
    virtual bool openWithDefaultApplication(const QString& path) = 0;
};
