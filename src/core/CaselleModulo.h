#pragma once

#include "CampiDomanda.h"

#include <QString>

// The entry screen has one box for each field, named by the field it shows;
// the boxes follow the field table's order, which is the tab order.
using Casella = Campo;

inline constexpr int kNumeroCaselle = kNumeroCampi;

// How many characters the box takes: the width of its field in the list
// file; 0 for the amounts, which have no limit.
int LunghezzaCasella(Casella casella);

// Whose box it is, in words: what a screen reader announces and what a
// message about the box names ("Cognome del richiedente").
QString NomeCasella(Casella casella);
