#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// Lets GoogleTest show Qt values readably when an expectation fails.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << bytes.size() << " bytes: " << bytes.toHex(' ').toStdString();
}
