#pragma once

#include "FileSystem.h"
#include "Result.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
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
// The journal's head, which fits the first sector of the file (written by a
// disk whole or not at all), says whether it holds writes and where their
// entry lies, how long it is and its checksum; whatever else the file holds
// never matters. An entry is written where it overwrites none that the head
// may point to, and the head is pointed at it only once it is durable, so a
// journal this program writes is never found damaged.
//
// Nothing found beside a list is trusted: a journal is played back only
// when it is a regular file, well formed, written by someone who could have
// written the list anyway (the opener, the list's owner, or a member of the
// list's group while the list is group-writable), and the list is the one it
// was written for: as long as it was before the writes or up to as long as
// they make it, holding sector by sector the bytes they replaced or the
// bytes they wrote. Any other journal is moved aside, never played and
// never removed.
class DiarioScritture {
public:
    // The journal `nome` of the list at percorsoElenco, created when first
    // needed with these permission bits.
    DiarioScritture(FileSystem& fs, QString nome, QString percorsoElenco, mode_t permessi);
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

    // A write that could not be taken back from the list in place: the
    // journal keeps what it holds, to be played back when the list is next
    // opened, and takes or confirms no other write meanwhile.
    void Trattieni() { trattenuto_ = attivo_; }

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
    // Whether whoever could write the journal could write the list anyway.
    bool Fidato(const FileIdentity& diario, const FileIdentity& elenco) const;
    // Why the journal cannot be this list's (open as fd, of that length);
    // empty when it can, an error when the list cannot be read.
    Result<QString> Estraneo(const Contenuto& contenuto, int fd, std::int64_t lunghezza) const;
    // Puts back the bytes and the length the list had, durably.
    Result<void> RiportaIndietro(const Contenuto& contenuto, int fd);
    // Moves the journal found aside, giving the notice; `proprietario` is
    // its owner, when it could be read.
    Result<QString> MettiDaParte(const QString& motivo, std::optional<uid_t> proprietario);
    Error Errore(int errore, const QString& azione) const;
    Error Trattenuto() const;

    FileSystem& fs_;
    QString nome_;
    QString percorsoElenco_;
    mode_t permessi_;
    int fd_ = -1;
    bool attivo_ = false;
    bool trattenuto_ = false;
    // Where the entries that the head may point to end; 0 while the head on
    // the disk is marked empty.
    qint64 fineVoci_ = 0;
    Contenuto contenuto_;

    friend struct CodificaDiario;
};
