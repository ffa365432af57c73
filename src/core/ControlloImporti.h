#pragma once

#include <QChar>
#include <QString>

#include <optional>

// The two amount boxes take digits and one decimal point only, whatever the
// keyboard's decimal key: a comma is shown, and stored, as a point.

// What a typed character becomes: the character to insert (nothing when it
// is dropped) and the box's "separator already typed" flag afterwards. The
// flag remembers that a separator was typed, not whether the box still holds
// one; the screen clears it.
struct EsitoTasto {
    std::optional<QChar> carattere;
    bool bPunto = false;
};

inline constexpr char16_t kBackspace = 8;

EsitoTasto FiltraTastoImporto(QChar digitato, bool bPunto);

// An amount with more than two characters after its first point is refused:
// the operator is told with this message (no icon, OK only) and the box then
// holds "0".
inline const QString kMessaggioDecimali = QStringLiteral(
    "ATTENZIONE! Non inserire più di due cifre dopo la virgola. \n"
    " Il contenuto della casella verrà eliminato.");

struct EsitoDecimali {
    QString testo;  // what the box must hold afterwards
    bool bTroppiDecimali = false;
};

EsitoDecimali ControllaDecimali(const QString& importo);

// The value of an amount box read as a decimal number with "." as the
// separator, whatever the locale, rounded to single precision. Leading and
// trailing blanks are ignored; reading stops at the first character that
// cannot continue the number, so "12." is 12 and an empty box is 0. Nothing
// when the value lies beyond the range of single precision.
std::optional<float> ValoreImporto(const QString& testo);
