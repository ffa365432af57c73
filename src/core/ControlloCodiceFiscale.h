#pragma once

#include <QString>
#include <QStringList>

// One person of the entry screen as the operator has typed it: the texts of
// the surname, first name and date boxes (the date as the box shows it,
// "__/__/____" when empty) and of the codice fiscale box.
struct PersonaDigitata {
    QString cognome;
    QString nome;
    QString dataDiNascita;
    QString codiceFiscale;
};

// The mistakes a codice fiscale seems to hold, as hints in Italian for the
// operator, one per item; empty when there is nothing to say.
//
// The code is read as it will be stored (outer blanks removed, upper-cased).
// A code shorter than 16 characters gives no hint. A code that is not in the
// shape of a codice fiscale gives only that hint; otherwise the check
// character, the surname letters, the name letters and the date of birth are
// compared, in this order. A surname or name with no letter, and a date box
// that does not hold a whole valid date, are not compared. Accented letters
// count as their base letter (À as A); other characters of a name are
// ignored. The sex is not known, so a day of birth may be given either way.
QStringList IncongruenzeCodiceFiscale(const PersonaDigitata& persona);
