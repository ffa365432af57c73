#pragma once

#include "FileElenco.h"
#include "Result.h"

#include <QString>

#include <cstdint>
#include <optional>

// Another application of the list for the same student.
struct StudenteRipetuto {
    // The first such application.
    std::int16_t numeroRecord = 0;
    // Its requester, "COGNOME NOME".
    QString richiedente;
    // How many more applications after it have the same student.
    int altre = 0;
};

// Record numbers start at 1: no application is left out.
inline constexpr std::int16_t kNessunRecordEscluso = 0;

// Reads the whole list in blocks and looks for the applications whose stored
// student codice fiscale, without its outer blanks, equals `codiceFiscale`
// as it would be stored (outer blanks removed, upper-cased), leaving out
// record `escluso` (the application being modified). An empty code finds
// nothing. A read that fails gives its error.
Result<std::optional<StudenteRipetuto>> CercaStudenteRipetuto(const FileElenco& elenco, int handle,
                                                              const QString& codiceFiscale,
                                                              std::int16_t escluso);

// The hint for the operator: "Già presente nella domanda n. 12 (richiedente
// ROSSI MARIO)", followed by " e in altre 2" when there are more.
QString AvvisoStudenteRipetuto(const StudenteRipetuto& ripetuto);
