#pragma once

#include "DiarioScritture.h"
#include "FileDiBlocco.h"
#include "FileSystem.h"
#include "Result.h"

#include <QString>

#include <map>
#include <memory>

// Keeps other running copies of the program off the list files that this one
// has open, and keeps the undo journal of each. Each open list has a lock
// file beside it, ".~lock.<name>#" (see FileDiBlocco), and once it has been
// written, a journal ".~lock.<name>#.diario" (see DiarioScritture).
//
// Within one running copy the same list may be open on several handles (a
// list appended to itself): the lock is counted per file and goes when the
// last user gives it back, or when this object is destroyed.
class BloccoElenchi {
public:
    explicit BloccoElenchi(FileSystem& fs);
    ~BloccoElenchi();
    BloccoElenchi(const BloccoElenchi&) = delete;
    BloccoElenchi& operator=(const BloccoElenchi&) = delete;

    struct Presa {
        // The key to hand back to Rilascia.
        QString chiave;
        // The lock was taken now: the list was not open here before.
        bool nuova = false;
    };

    // Locks the list at percorso, or counts one more user when this object
    // already holds its lock. A path that exists but is no regular file (a
    // folder, a device) is not locked: the key is empty and opening it is
    // left to fail.
    Result<Presa> Acquisisci(const QString& percorso, Subentro subentro = Subentro::Vietato);

    // Gives back one use of the lock taken under that key; with the last one
    // the journal and the lock file go. An empty or unknown key does nothing.
    void Rilascia(const QString& chiave);

    // The undo journal of the list locked under that key; nullptr for an
    // empty or unknown key.
    DiarioScritture* Diario(const QString& chiave);

    // The lock file that guards the list at percorso.
    static QString NomeFileBlocco(const QString& percorso);

private:
    struct Blocco {
        std::unique_ptr<FileDiBlocco> file;
        std::unique_ptr<DiarioScritture> diario;
        int utenti = 0;
    };

    // The file the lock is about, the same for every spelling of its path;
    // an empty text for a path that is no regular file.
    Result<QString> FileDaBloccare(const QString& percorso);

    FileSystem& fs_;
    std::map<QString, Blocco> blocchi_;
};
