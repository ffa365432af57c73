#pragma once

#include "ErroreDiSistema.h"
#include "FailingFileSystem.h"

#include <QtTest>

#include <cerrno>
#include <initializer_list>

// Fault sweeps: an operation run again and again on a fresh program, with
// the 1st, 2nd, 3rd... call of one kind failing, until a run in which the
// operation makes fewer calls of that kind than the one set to fail.
using Chiamata = FailingFileSystem::Call;

inline constexpr std::initializer_list<Chiamata> kChiamateGuastabili = {
    Chiamata::Open,  Chiamata::Read,     Chiamata::Write,
    Chiamata::Flush, Chiamata::Truncate, Chiamata::Size};

// Every fault is an EIO: the operator must be told this reason.
inline const QString kMotivoGuasto = DescrizioneErrore(EIO);

// `prova(tipo, n)` runs the operation with call n of kind `tipo` failing,
// checks the outcome, and returns whether that call was reached. Gives how
// many faults were injected, or stops at the first failed check.
template <class Prova>
int Spazza(Prova prova) {
    int guasti = 0;
    for (const Chiamata tipo : kChiamateGuastabili) {
        for (int n = 1; n < 10000; ++n) {
            const bool colpita = prova(tipo, n);
            if (QTest::currentTestFailed()) {
                qWarning("chiamata di tipo %d, n. %d", static_cast<int>(tipo), n);
                return guasti;
            }
            if (!colpita) {
                break;
            }
            ++guasti;
        }
    }
    return guasti;
}
