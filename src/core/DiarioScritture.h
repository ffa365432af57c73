#pragma once

#include "FileSystem.h"
#include "Result.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// The undo journal of one open list file. A process killed in the middle of
// a write can leave a record cut at a page boundary, half old and half new,
// or only partly appended. So before the first write that changes a list,
// the list's length and the bytes that the write replaces are put in a
// journal file beside the list; the journal goes once the writes are on the
// disk (or the list is closed). A journal found when a list is opened was
// left by a copy that died in mid-write: playing it back puts the list as it
// was before that write or batch of writes.
//
// The journal appears whole in one step (written under a private name and
// renamed), so it is never read half-written.
class DiarioScritture {
public:
    explicit DiarioScritture(QString nome);

    // Called before a write at `inizio` on the list open as fd, of length
    // `lunghezza`:
    // `sovrascritti` are the bytes of the list that the write replaces.
    // Fails, with nothing written to the list yet, when the journal cannot
    // be written.
    Result<void> Annota(int fd, std::int64_t lunghezza, std::int64_t inizio,
                        const QByteArray& sovrascritti, const QString& percorsoElenco);

    // The writes annotated so far stand: the journal goes.
    void Conferma();

    // Plays back the journal left on the disk, if there is one, on the list
    // open as fd, makes the list durable and removes the journal. A journal
    // of another file that bore the same name (the list was replaced since)
    // is only removed.
    Result<void> Ripristina(FileSystem& fs, int fd, const QString& percorsoElenco);

    // The journal file of the list whose lock file is `nomeBlocco`.
    static QString NomePerBlocco(const QString& nomeBlocco);

private:
    struct Voce {
        std::int64_t offset = 0;
        QByteArray byte;
    };

    QByteArray Codifica() const;
    // A copy killed while writing its journal under the private name leaves
    // that file behind; the list's lock holder removes such leftovers.
    void RimuoviPrivatiAbbandonati() const;

    QString nome_;
    bool attivo_ = false;
    std::int64_t lunghezzaOriginale_ = 0;
    // The file the journal is about.
    qint64 dispositivo_ = 0;
    qint64 inode_ = 0;
    std::vector<Voce> voci_;
};
