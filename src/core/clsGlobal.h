#pragma once

#include "Result.h"

#include <QString>

// Conversions between the textual date forms: 1 = dd/mm/yyyy,
// 2 = mm/dd/yyyy, 3 = yyyy-mm-dd. They work on character positions only and
// never check that a date exists.
class clsGlobal {
public:
    // The error raised for a date whose length is not 10 characters.
    static constexpr long kErroreLunghezzaData = -2147221502;  // 0x80040002
    static inline const QString kSorgente = QStringLiteral("clsGlobal");

    // DataOrig in the form DaTipo, rewritten in the form ATipo. An empty date
    // gives an empty result; equal types give DataOrig back unchanged.
    Result<QString> DbConvertiData(const QString& DataOrig, int DaTipo, int ATipo) const;

    // Inserts sSeparatore into a compact 8-character date: enTipo 1 reads
    // yyyymmdd and gives dd S mm S yyyy; 2 keeps the order and inserts S after
    // the 2nd and 4th characters; 3 reads yyyymmdd and gives yyyy S mm S dd.
    QString DbRicostruisciData(const QString& DataOrig, int enTipo,
                               const QString& sSeparatore) const;
};
