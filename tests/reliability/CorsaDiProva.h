#pragma once

#include "FileSystem.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// A random run of the program over the lists of one folder, and what the
// lists may hold after any part of it. "elenco.svz" (0 to 300 applications)
// is open on the entry screen; "altro.svz" (0 to 600: up to three blocks of
// a copy, so that a journal takes several entries) is appended to it or
// merged with it into "unione.svz", which may already exist. The run is 1
// to 8 operations among: storing a new application, modifying any stored
// one, the append, the merge, and the program ended and started again.
class Corsa {
public:
    // Each list's bytes by file name; a list that does not exist is absent.
    using Elenchi = std::map<QString, QByteArray>;

    // The same seed draws the same run.
    explicit Corsa(unsigned seme);

    const Elenchi& Iniziali() const { return iniziali_; }
    int Operazioni() const { return static_cast<int>(operazioni_.size()); }

    // Does the run on the lists of the folder as the program does, up to
    // the first operation that fails; calls `riportata` after each one
    // reported done, and gives how many were.
    int Esegui(
        FileSystem& fs, const QString& cartella,
        const std::function<void()>& riportata = [] {}) const;

    // The lists once the first `fatte` operations are done.
    Elenchi Dopo(int fatte) const;

private:
    enum Tipo { Registra, Modifica, Aggiunta, Unione, Riavvia };
    struct Operazione {
        Tipo tipo;
        std::int32_t numero;  // of the application stored or modified
        QByteArray record;    // and the bytes written
    };

    Elenchi iniziali_;
    std::vector<Operazione> operazioni_;
};

// Opens each list of the folder as the next run of the program does (the
// operator agreeing, when asked, to take over the lock of a copy that is
// gone) after the run was cut short having reported `fatte` operations
// done, and says what is wrong: an operation reported done that is not
// there, the one under way not wholly there nor wholly absent, a notice (of
// a journal moved aside), or a question after a kill (`uccisa`). Empty when
// nothing is.
std::string Difetto(FileSystem& fs, const QString& cartella, const Corsa& corsa, int fatte,
                    bool uccisa);
