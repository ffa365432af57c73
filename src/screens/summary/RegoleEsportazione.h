#pragma once

#include "Result.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The rules by which the spreadsheet export reads its parameters and turns
// table texts into cell values.

// A list of table columns written as numbers joined by "-" ("3-9"), read
// piece by piece as 16-bit integers, in order, duplicates kept. A list whose
// trimmed text is empty is no list; a piece that is not a whole number or
// does not fit 16 bits is an error.
Result<std::vector<std::int16_t>> LeggiElencoColonne(const QString& elenco);

// The sheet name without the characters a sheet name cannot hold:
// ":", "\", "/", "?", "*", "[" and "]".
QString PulisciNomeFoglio(QString nome);

// The name the sheet takes in a workbook whose only sheet is called
// nomeEsistente: "-nuovo" is appended when the name equals it, then the name
// is cut to its first 31 characters.
QString NomeFoglioFinale(QString nome, const QString& nomeEsistente);

// Reads the numbers that plain texts stand for in the locale's own form (an
// amount of the summary, "99,5" under an Italian locale).
class NumeriInChiaro {
public:
    explicit NumeriInChiaro(const QLocale& locale);

    // The number, or nothing when the text is not a plain number.
    std::optional<double> valore(const QString& testo) const;

private:
    QLocale locale_;
    QString segno_;
    QChar punto_;
};
