#pragma once

#include "FileSystem.h"
#include "Result.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// The undo journal of one open list file. A power cut or a process killed
// in the middle of a write can leave a record torn, half old and half new,
// or only partly appended. So before a write changes a list, the list's
// length, the bytes the write replaces and the bytes it writes are put in a
// journal file beside the list and made durable; once the list's writes are
// durable, the journal is marked empty, durably too, in place. A journal
// found holding writes when a list is opened was left by a copy that died in
// mid-write: played back, it puts the list as it was before that write or
// batch of writes.
//
// Nothing found beside a list is trusted: a journal is played back only
// when it is a regular file of this user or of the list's owner, well
// formed, within the list's length, and the list holds, sector by sector,
// either the bytes it replaced or the bytes it wrote. Any other journal is
// moved aside, never played and never removed.
class DiarioScritture {
public:
    DiarioScritture(FileSystem& fs, QString nome, QString percorsoElenco);
    ~DiarioScritture();
    DiarioScritture(const DiarioScritture&) = delete;
    DiarioScritture& operator=(const DiarioScritture&) = delete;

    // Called before a write of `nuovi` at `inizio` on the list of length
    // `lunghezza`; `sovrascritti` are the list's bytes that it replaces.
    // Fails, with nothing written to the list yet, when the journal cannot
    // be made durable.
    Result<void> Annota(std::int64_t lunghezza, std::int64_t inizio, const QByteArray& sovrascritti,
                        const QByteArray& nuovi);

    // The writes annotated so far are durable on the list: the journal is
    // marked empty on the disk.
    Result<void> Conferma();

    // True while writes are annotated and not yet confirmed.
    bool Attivo() const { return attivo_; }

    // Deals with a journal left beside the list (open as fd) by a copy that
    // is gone: plays it back and makes the list durable, or moves it aside.
    // Gives a notice for the operator when a journal was moved aside.
    Result<QString> Ripristina(int fd);

private:
    struct Voce {
        qint64 offset = 0;
        QByteArray vecchi;
        QByteArray nuovi;
    };
    struct Contenuto {
        qint64 lunghezza = 0;  // the list's length before the writes
        qint64 fine = 0;       // how far the list may have grown
        std::vector<Voce> voci;
        QByteArray coda;  // the first bytes written at the former end
    };

    Result<void> Apri();
    Result<void> Registra();
    // Why the journal cannot be this list's (open as fd, of that length);
    // empty when it can.
    QString Estraneo(const Contenuto& contenuto, int fd, std::int64_t lunghezza) const;
    // Puts back the bytes and the length the list had, durably.
    Result<void> RiportaIndietro(const Contenuto& contenuto, int fd);
    Result<QString> MettiDaParte(const QString& motivo);
    Error Errore(int errore, const QString& azione) const;

    FileSystem& fs_;
    QString nome_;
    QString percorsoElenco_;
    int fd_ = -1;
    bool attivo_ = false;
    Contenuto contenuto_;

    friend struct CodificaDiario;
};
