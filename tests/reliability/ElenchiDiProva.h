#pragma once

#include "DomandaDiProva.h"
#include "FileElenco.h"
#include "UnioneElenchi.h"

#include <QMap>

#include <functional>

// Three lists in a folder, as the reliability tests find them before each
// trial: "tre.svz" (applications 1 to 3), "due.svz" (4 and 5) and
// "vecchia.svz" (900 to 903).
inline const QByteArray kTre = RecordCompleti(1, 3);
inline const QByteArray kDue = RecordCompleti(4, 2);
inline const QByteArray kVecchia = RecordCompleti(900, 4);
inline const QMap<QString, QByteArray> kElenchi = {
    {"tre.svz", kTre}, {"due.svz", kDue}, {"vecchia.svz", kVecchia}};

// The operations that write lists, as the screens do them: four
// applications stored after those of "tre.svz", application 2 of it
// modified four times, "due.svz" appended to it, or both merged over
// "vecchia.svz".
enum class OperazioneSuElenchi { Registra, Modifica, Aggiunta, Unione };

// The version v of application 2 that the modification writes (0: as it was).
inline QByteArray Versione(int v) {
    return v == 0 ? RecordCompleti(2) : RecordCompleti(100 + v);
}

// Does the operation on the lists of the folder, calling `riportato` for
// each step reported done (an application stored, a modification made, the
// append or the merge); gives how many were.
inline int Esegui(
    OperazioneSuElenchi operazione, FileSystem& fs, const QString& cartella,
    const std::function<void()>& riportato = [] {}) {
    FileElenco elenco(fs);
    const auto percorso = [&](const char* nome) { return cartella + '/' + nome; };
    if (!elenco.ApriElenco(percorso("tre.svz"), kHandlePrimo).ok()) {
        return 0;
    }
    if (operazione == OperazioneSuElenchi::Registra ||
        operazione == OperazioneSuElenchi::Modifica) {
        const bool registra = operazione == OperazioneSuElenchi::Registra;
        int fatti = 0;
        while (fatti < 4 &&
               elenco.ScriviRecord(kHandlePrimo, registra ? 4 + fatti : 2,
                                   registra ? RecordCompleti(4 + fatti) : Versione(fatti + 1))) {
            ++fatti;
            riportato();
        }
        return fatti;
    }
    if (!elenco.ApriElenco(percorso("due.svz"), kHandleSecondo).ok()) {
        return 0;
    }
    const bool aggiunta = operazione == OperazioneSuElenchi::Aggiunta;
    const Result<PianoCopia> piano =
        PianificaDaElenchi(elenco, aggiunta ? TipoCopia::Aggiunta : TipoCopia::Unione);
    const bool fatto = piano && (aggiunta ? AggiungiElenco(elenco, *piano)
                                          : CreaUnione(elenco, percorso("vecchia.svz"), *piano));
    if (fatto) {
        riportato();
    }
    return fatto ? 1 : 0;
}

// Whether "tre.svz" and "vecchia.svz" may hold these bytes once the
// operation was cut short after `fatti` steps reported done: every step
// reported is there, the one under way wholly there or wholly absent.
inline bool Ammesso(OperazioneSuElenchi operazione, int fatti, const QByteArray& tre,
                    const QByteArray& vecchia) {
    const bool vecchiaIntatta = vecchia == kVecchia;
    switch (operazione) {
        case OperazioneSuElenchi::Registra:
            return vecchiaIntatta &&
                   (tre == RecordCompleti(1, 3 + fatti) || tre == RecordCompleti(1, 4 + fatti));
        case OperazioneSuElenchi::Modifica:
            return vecchiaIntatta &&
                   (tre == RecordCompleti(1) + Versione(fatti) + RecordCompleti(3) ||
                    tre == RecordCompleti(1) + Versione(fatti + 1) + RecordCompleti(3));
        case OperazioneSuElenchi::Aggiunta:
            return vecchiaIntatta && (tre == kTre + kDue || (fatti == 0 && tre == kTre));
        case OperazioneSuElenchi::Unione:
            return tre == kTre && (vecchia == kTre + kDue || (fatti == 0 && vecchiaIntatta));
    }
    return false;
}
