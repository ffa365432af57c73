#pragma once

#include "CaselleModulo.h"
#include "MessageIcon.h"
#include "ModuloDomanda.h"

#include <QString>

#include <optional>
#include <vector>

// The checks an application passes before it is stored from the entry
// screen. Each of the three storing operations applies its own selection of
// one fixed table of checks, in the table's order; the first check that
// fails stops the operation, except the decimals checks of the two amounts,
// which record their outcome and let the sequence go on.
enum class Operazione {
    Successivo,   // the Successivo button, for a new application
    SalvaModulo,  // the menu item "Salva modulo corrente"
    Modifica,     // the Modifica button, for a stored application
};

// A message the screen shows, in order, while the checks run.
struct Segnalazione {
    // The row of the checks table (1 to 25), or kRigaCaratteri for the checks
    // that guard what the list file can hold, which run after the table.
    int riga = 0;
    QString messaggio;
    MessageIcon icona = MessageIcon::Exclamation;
    // The box that gets the focus once the message is closed; none: the
    // focus stays where it was.
    std::optional<Casella> fuoco;
    // The amount box that holds "0" once the message is closed.
    std::optional<Casella> azzera;

    bool operator==(const Segnalazione&) const = default;
};

inline constexpr int kRigaCaratteri = 26;

struct EsitoControlli {
    std::vector<Segnalazione> segnalazioni;
    // Every check passed: the application may be stored.
    bool registrabile = false;
    bool bErroreSpese = false;
    bool bErroreIsee = false;
    // The "separator typed" flags of both amount boxes are cleared, so that a
    // point can be typed again into the box reset to 0.
    bool azzeraPunti = false;
};

EsitoControlli ControllaDomanda(Operazione operazione, const ModuloDomanda& modulo);

// The message of a refused box: "ATTENZIONE!", a line break, the row's text.
QString MessaggioAttenzione(const QString& testo);

// The message of a street holding a comma (information icon, focus kept).
inline const QString kMessaggioCaratteriSpeciali =
    QStringLiteral("Non inserire caratteri speciali quali ad esempio\n ' , . ; : ! ? ");
