#pragma once

#include "ModuloDomanda.h"

#include <QString>

#include <array>

// The 20 boxes of the entry screen, in the screen's tab order: the nine of
// the requester, the nine of the student, then the two amounts.
enum class Casella {
    CognRich,
    NomeRich,
    LuogoRich,
    DataRich,
    CodFiscRich,
    ComRich,
    CapRich,
    ViaRich,
    NumRich,
    CognStud,
    NomeStud,
    LuogoStud,
    DataStud,
    CodFiscStud,
    ComStud,
    CapStud,
    ViaStud,
    NumStud,
    Spese,
    Isee,
};

inline constexpr int kNumeroCaselle = 20;

struct DescrizioneCasella {
    Casella casella;
    QString ModuloDomanda::*testo;
    // How many characters the box takes, which is the width of its field
    // in the list file; 0 for the amounts, which have no limit.
    int lunghezza;
    // Whose box it is, in words: what a screen reader announces and what a
    // message about the box names ("Cognome del richiedente").
    const char16_t* nome;
};

// Every box, in tab order.
extern const std::array<DescrizioneCasella, kNumeroCaselle> kCaselle;

const DescrizioneCasella& Descrizione(Casella casella);
const QString& TestoDi(const ModuloDomanda& modulo, Casella casella);
QString& TestoDi(ModuloDomanda& modulo, Casella casella);
QString NomeCasella(Casella casella);

// The text without its leading and trailing blanks (only the blank
// character: a tab or any other space stays).
QString SenzaSpaziEsterni(const QString& testo);
