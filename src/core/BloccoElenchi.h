#pragma once

#include "FileDiBlocco.h"
#include "Result.h"

#include <QString>

#include <map>
#include <memory>

// Keeps other running copies of the program off the list files that this one
// has open. Each open list has a lock file beside it, ".~lock.<name>#" (see
// FileDiBlocco).
//
// Within one running copy the same list may be open on several handles (a
// list appended to itself): the lock is counted per file and goes when the
// last user gives it back, or when this object is destroyed.
class BloccoElenchi {
public:
    BloccoElenchi();
    ~BloccoElenchi();
    BloccoElenchi(const BloccoElenchi&) = delete;
    BloccoElenchi& operator=(const BloccoElenchi&) = delete;

    // Locks the list at percorso, or counts one more user when this object
    // already holds its lock. Gives the key to hand back to Rilascia. A path
    // that exists but is no regular file (a folder, a device) is not locked:
    // the key is empty and opening it is left to fail.
    Result<QString> Acquisisci(const QString& percorso);

    // Gives back one use of the lock taken under that key; the lock file goes
    // with the last one. An empty or unknown key does nothing.
    void Rilascia(const QString& chiave);

    // The lock file that guards the list at percorso.
    static QString NomeFileBlocco(const QString& percorso);

private:
    struct Blocco {
        std::unique_ptr<FileDiBlocco> file;
        int utenti = 0;
    };

    std::map<QString, Blocco> blocchi_;
};
