#include "AperturaElenchi.h"

#include "DialogService.h"
#include "FileElenco.h"

Result<void> ConConsensoDelOperatore(DialogService& dialoghi,
                                     const std::function<Result<void>(Subentro)>& operazione) {
    const Result<void> esito = operazione(Subentro::Vietato);
    if (esito || !FileDiBlocco::Riprendibile(esito.error())) {
        return esito;
    }
    const MessageAnswer risposta = dialoghi.messageBox(MessageBoxRequest(
        esito.error().message, MessageButtons::YesNo, MessageIcon::Question, true));
    return risposta == MessageAnswer::Yes ? operazione(Subentro::Consentito) : esito;
}

Result<void> ApriElencoConConsenso(FileElenco& elenco, DialogService& dialoghi,
                                   const QString& percorso, int handle) {
    const Result<void> aperto = ConConsensoDelOperatore(
        dialoghi, [&](Subentro subentro) { return elenco.ApriElenco(percorso, handle, subentro); });
    if (aperto && !elenco.AvvisoApertura(handle).isEmpty()) {
        dialoghi.messageBox(MessageBoxRequest(elenco.AvvisoApertura(handle), MessageButtons::Ok,
                                              MessageIcon::Exclamation));
    }
    return aperto;
}
