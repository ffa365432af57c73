#pragma once

#include "ModuloDomanda.h"

#include <QByteArray>

// Applications told apart by a number: the crash trials' child stores
// application n as record n, and the parent knows from n alone which bytes
// record n must hold. Every one passes the storing checks of a new
// application.
ModuloDomanda ModuloNumerato(int n);

// The 418 bytes that application n becomes in a list file.
QByteArray RecordNumerato(int n);

// Applications primo, primo + 1, ... one after the other, as a list holds them.
QByteArray RecordNumerati(int primo, int quante);
