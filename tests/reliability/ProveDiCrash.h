#pragma once

#include "ProcessoFiglio.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <random>

// Crash trials: the child process works on list files and is killed with
// SIGKILL at a random moment; each test then checks what the files hold.
// Trials are bounded by count and by time.
class ProveDiCrash : public testing::Test {
protected:
    static constexpr int kProve = 200;
    static constexpr std::chrono::seconds kTempoMassimo{45};

    ProveDiCrash();
    ~ProveDiCrash() override;

    QString Percorso(const QString& nome) const { return dir_.filePath(nome); }
    static QByteArray Leggi(const QString& percorso);
    // The list as the program finds it when it next opens it (a copy killed
    // in mid-write leaves a journal that the opening plays back).
    static QByteArray Riapri(const QString& percorso);
    static void Scrivi(const QString& percorso, const QByteArray& contenuto);

    // The first record (from 1) in which `file` differs from `attesi` over
    // the length of `file`; 0 when there is none.
    static int PrimoRecordDiverso(const QByteArray& file, const QByteArray& attesi);

    // How long the child takes for its whole job, left alone.
    std::chrono::microseconds DurataIntera(const QStringList& argomenti);
    // Starts the child and kills it at a random moment up to `limite` later;
    // gives the whole lines it printed.
    QStringList UccidiACaso(const QStringList& argomenti, std::chrono::microseconds limite);

    // True while trials remain to be run.
    bool AltraProva();
    int prove() const { return prove_; }

    QTemporaryDir dir_;

private:
    std::mt19937 caso_;
    std::chrono::steady_clock::time_point inizio_;
    int prove_ = 0;
};
