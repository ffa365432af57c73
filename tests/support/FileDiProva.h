#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>

// How many files the process holds open.
inline const auto DescrittoriAperti = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };

// The bytes of a file, "<assente>" when it cannot be read.
inline QByteArray LeggiFile(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<assente>");
}

// Writes the file anew with these bytes; false when it cannot.
inline bool ScriviFile(const QString& percorso, const QByteArray& byte) {
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(byte) == byte.size();
}
