#pragma once

#include "FileSystem.h"
#include "Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

// Whether a lock whose holder may still be running may be taken over: only
// when the operator has said so.
enum class Subentro { Vietato, Consentito };

// One lock file, as other running copies of the program see it: it holds
// the holder's process id and start time, the boot of its computer with its
// PID namespace, the computer's and the user's names and the time it was
// taken, one per line.
// It appears whole in one step (written under a private name and then
// linked to its own name, which fails when the name is taken, on a network
// folder too), so a copy killed at any moment never leaves a half lock
// behind. The lock goes when this object is destroyed.
class FileDiBlocco {
public:
    // Takes the lock file `nome`, which guards the list `percorsoElenco`,
    // creating it with these permission bits. A lock whose holder ran on
    // this same boot of this computer, in this PID namespace, and is
    // provably gone is taken over. One held by a copy seen running here is
    // refused, naming who holds it since when. Any other lock (another
    // computer, an earlier boot, another namespace, a holder whose process
    // cannot be seen, one that cannot be read) is taken over only with
    // Subentro::Consentito; without it the refusal is a question for the
    // operator, which Riprendibile recognises.
    static Result<std::unique_ptr<FileDiBlocco>> Prendi(FileSystem& fs, const QString& nome,
                                                        const QString& percorsoElenco,
                                                        mode_t permessi, Subentro subentro);

    // True for the refusal of a lock that the operator may take over.
    static bool Riprendibile(const Error& errore);

    ~FileDiBlocco();
    FileDiBlocco(const FileDiBlocco&) = delete;
    FileDiBlocco& operator=(const FileDiBlocco&) = delete;

private:
    FileDiBlocco(FileSystem& fs, QString nome, QByteArray contenuto);

    FileSystem& fs_;
    QString nome_;
    QByteArray contenuto_;
};
