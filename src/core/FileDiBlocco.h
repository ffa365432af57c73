#pragma once

#include "Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

// One lock file, as other running copies of the program see it: it holds
// the process id, the program's name, the host and the time it was taken,
// one per line. It appears whole in one step (written under a private name
// and then linked to its own name, which fails when the name is taken, on a
// network folder too), so a copy killed at any moment never leaves a half
// lock behind. The lock goes when this object is destroyed.
class FileDiBlocco {
public:
    struct Detentore {
        qint64 pid = 0;
        QString programma;
        QString computer;
        QDateTime dal;
    };

    // Takes the lock file `nome`, which guards the list `percorsoElenco`. A
    // lock whose holder no longer runs on this host is taken over, and so is
    // one that holds nothing readable once it is some seconds old. A lock
    // held by a live copy, here or on another host, is refused with a
    // message that names the list and who holds it since when.
    static Result<std::unique_ptr<FileDiBlocco>> Prendi(const QString& nome,
                                                        const QString& percorsoElenco);

    ~FileDiBlocco();
    FileDiBlocco(const FileDiBlocco&) = delete;
    FileDiBlocco& operator=(const FileDiBlocco&) = delete;

private:
    FileDiBlocco(QString nome, QByteArray contenuto);

    QString nome_;
    QByteArray contenuto_;
};
