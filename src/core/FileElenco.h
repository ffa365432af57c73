#pragma once

#include "BloccoElenchi.h"
#include "DatiDomanda.h"
#include "FileSystem.h"
#include "Result.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

// The list-file component. A list file is a plain sequence of 418-byte
// records numbered from 1, with no header; the number of applications is
// the file's length divided by 418. Files are opened on numbered handles
// 1 to 3: the entry screen keeps the current list on handle 1, the append and
// merge screens use all three.
//
// Every operation that touches the disk reports a failure to its caller with
// the system's reason in Italian; a write that fails leaves the file exactly
// as it was before the call.
//
// A list open here is locked against other running copies of the program
// until it is closed on every handle, and its writes are journalled until
// they are on the disk, so that a copy killed in mid-write leaves the list as
// it was before that write, or batch of writes, the next time it is opened
// (see BloccoElenchi).
class FileElenco {
public:
    static constexpr int kPrimoHandle = 1;
    static constexpr int kUltimoHandle = 3;
    // Record numbers are signed 16-bit throughout the program.
    static constexpr std::int32_t kMassimoDomande = 32767;

    explicit FileElenco(FileSystem& fileSystem = PosixFileSystem::instance());
    ~FileElenco();
    FileElenco(const FileElenco&) = delete;
    FileElenco& operator=(const FileElenco&) = delete;

    // Opens the file for reading and writing, creating it empty when it does
    // not exist. Refuses a handle that is already open, anything that is not
    // a regular file (a folder, a device) and a list that another running
    // copy of the program holds open (the message names who and since when).
    // A list whose holder may or may not still run is refused with a
    // question for the operator (FileDiBlocco::Riprendibile); opened again
    // with Subentro::Consentito, it is taken over. The journal of a copy that
    // died while writing the list is played back first.
    Result<void> ApriElenco(const QString& percorso, int handle,
                            Subentro subentro = Subentro::Vietato);

    // What the operator should know about the last opening of the handle
    // (a journal found beside the list and moved aside); usually empty.
    QString AvvisoApertura(int handle) const;

    // File length / 418, rounded to the nearest whole number, halves to even.
    // Fails when the count does not fit the 16-bit record numbers.
    Result<std::int16_t> ContaDomande(int handle) const;

    // The file's length in bytes.
    Result<std::int64_t> LunghezzaFile(int handle) const;

    // Reads record nRecord (from 1). A cut last record reads as if its
    // missing bytes were those of a blank record; a record with no byte in
    // the file is an error.
    Result<DatiDomanda> LeggiDomanda(int handle, std::int32_t nRecord) const;
    Result<QByteArray> LeggiRecord(int handle, std::int32_t nRecord) const;

    // Reads up to `quanti` records from `primo` on in one call: fewer when
    // the file ends first, the last one completed as LeggiRecord completes a
    // cut record. A scan over a whole list reads it in blocks this way.
    Result<QByteArray> LeggiRecords(int handle, std::int32_t primo, std::int32_t quanti) const;

    // Hands records primo..ultimo to `perBlocco` in order, read with
    // LeggiRecords a few hundred at a time, with the number of each block's
    // first record; stops early when `perBlocco` gives false or the file
    // ends. Every scan over a list reads it this way.
    using PerBlocco = std::function<bool(std::int32_t primo, const QByteArray& records)>;
    Result<void> LeggiABlocchi(int handle, std::int32_t primo, std::int32_t ultimo,
                               const PerBlocco& perBlocco) const;

    // The refusal of a record number that has no byte in the file.
    static Error DomandaInesistente(std::int32_t nRecord, const QString& percorso);

    // Writes the record at its offset in one call and makes it durable on the
    // disk before returning. A number past the end extends the file; the gap
    // in between, if any, is filled with blank-record bytes. Numbers outside
    // 1..32767 are refused.
    Result<void> ScriviDomanda(int handle, std::int32_t nRecord, const DatiDomanda& domanda);

    enum class Flush { Subito, Differito };
    // Writes 418 raw bytes as record nRecord, as ScriviDomanda does; with
    // Flush::Differito the caller makes a whole batch durable at once with
    // Sincronizza (the append and merge screens copy thousands of records).
    Result<void> ScriviRecord(int handle, std::int32_t nRecord, const QByteArray& record,
                              Flush flush = Flush::Subito);
    // Writes whole records (a multiple of 418 bytes) from number `primo` on
    // in one call, as ScriviRecord writes one: the append and merge copy
    // their records in blocks this way.
    Result<void> ScriviRecords(int handle, std::int32_t primo, const QByteArray& records,
                               Flush flush);

    // Makes everything written through the handle durable on the disk; only
    // then do the writes stand against a power cut or a crash.
    Result<void> Sincronizza(int handle);

    // Cuts the file back to a length (used to undo a batch that failed).
    Result<void> Tronca(int handle, std::int64_t lunghezza);

    // Closes the file; closing a handle that is not open does nothing.
    void ChiudiElenco(int handle);
    void ChiudiTutti();

    bool Aperto(int handle) const;
    QString Percorso(int handle) const;

    // The file system the lists are read and written through.
    FileSystem& fileSystem() const { return fs_; }

private:
    struct Slot {
        int fd = -1;
        QString percorso;
        QString chiaveBlocco;
        // Which file the path named when it was opened.
        FileIdentity identita;
        QString avviso;
    };
    // One write worked out before anything changes: where it starts, the
    // bytes it replaces and the bytes it writes.
    struct Piano {
        std::int64_t lunghezza = 0;
        std::int64_t inizio = 0;
        QByteArray sovrascritti;
        QByteArray daScrivere;
    };

    Result<const Slot*> slotAperto(int handle) const;
    // Reads up to 418 bytes of record nRecord into destinazione; gives how
    // many were there (at least 1).
    Result<std::size_t> leggiByte(const Slot& slot, std::int32_t nRecord, char* destinazione,
                                  std::size_t quanti) const;
    Result<void> scrivi(const Slot& slot, std::int32_t nRecord, const QByteArray& record,
                        Flush flush);
    Result<Piano> pianifica(const Slot& slot, std::int32_t nRecord, const QByteArray& record);
    Result<void> annota(const Slot& slot, const Piano& piano);
    Result<void> scriviPiano(const Slot& slot, const Piano& piano);
    // Makes the list durable, then marks its journal empty.
    Result<void> rendiDurevole(const Slot& slot);
    // Puts back what a failed write changed (the bytes it overwrote and the
    // file's former length) and gives the failure.
    Error annulla(const Slot& slot, const Piano& piano, Flush flush, Error errore);
    // Fails unless the slot's path still names the file opened on it: a
    // write into a file deleted, moved or replaced meanwhile would be lost.
    Result<void> alSuoPosto(const Slot& slot) const;
    DiarioScritture* diario(const Slot& slot) { return blocchi_.Diario(slot.chiaveBlocco); }

    FileSystem& fs_;
    std::array<Slot, kUltimoHandle> slots_;
    BloccoElenchi blocchi_;
};
