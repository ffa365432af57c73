#include "AvvisiUnione.h"

#include "DialogService.h"

namespace AvvisiUnione {

void avvisa(DialogService& dialogs, const QString& testo) {
    dialogs.messageBox({testo, MessageButtons::Ok, MessageIcon::Information});
}

void segnalaGuasto(DialogService& dialogs, const Error& errore) {
    dialogs.messageBox({errore.message, MessageButtons::Ok, MessageIcon::Critical});
}

void segnalaRifiuto(DialogService& dialogs, const Error& errore) {
    if (errore.refused()) {
        avvisa(dialogs, errore.message);
    } else {
        segnalaGuasto(dialogs, errore);
    }
}

QString testoMancanti(const Mancanti& mancanti) {
    QString testo = QStringLiteral("Per unire gli elenchi occorre ancora scegliere:");
    if (mancanti.elenco1) {
        testo += QStringLiteral("\n- l'elenco n. 1 (pulsante \"Sfoglia...\")");
    }
    if (mancanti.elenco2) {
        testo += QStringLiteral("\n- l'elenco n. 2 (pulsante \"Sfoglia...\")");
    }
    if (mancanti.nuovoElenco) {
        testo += QStringLiteral("\n- il nome del nuovo elenco (pulsante \"Salva\")");
    }
    return testo;
}

}  // namespace AvvisiUnione
