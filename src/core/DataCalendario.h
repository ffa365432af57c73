#pragma once

#include <QString>

// True when the ten characters of a date box, read as dd/mm/yyyy, are a
// real calendar date: two digits, "/", two digits, "/", four digits, and a
// day that exists in that month of that year (29/02 only in leap years). A
// box with any place left unfilled ("_") is never a date.
bool DataValida(const QString& testo);
