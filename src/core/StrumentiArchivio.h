#pragma once

#include "FileSystem.h"

#include <QByteArray>
#include <QString>

#include <string>

// Helpers that every part of the storage layer shares.

// A path in the system's encoding.
std::string NomeDiSistema(const QString& percorso);

// The folder that holds a path.
QString CartellaDi(const QString& percorso);

// A name beside `nome` that no other process picks:
// "<nome>.<scopo>.<process id>.<random>".
QString NomePrivato(FileSystem& fs, const QString& nome, const char* scopo);

// The name of the user with that id, or the id when it has none.
QString NomeUtente(uid_t utente);

// A small file read whole, and which file it was.
struct FilePiccolo {
    QByteArray byte;
    FileIdentity identita;
};

// Reads `nome` whole, without following a link and without blocking; 0 or
// the errno (EFBIG for a file longer than `limite` bytes, ELOOP for a link,
// ENODEV for a pipe or a device).
int LeggiPiccolo(FileSystem& fs, const QString& nome, qint64 limite, FilePiccolo& letto);

// Writes all the bytes at the offset; 0 or the errno.
int ScriviTutto(FileSystem& fs, int fd, const QByteArray& byte, off_t offset);
