#include "Program.h"

#include "CommandLine.h"
#include "DialogService.h"

#include "merge/FrmCaricaFile.h"
#include "merge/FrmCreaUnione.h"
#include "search/FrmRicerca.h"
#include "summary/FrmRiepilogo.h"
#include "wizard/FrmDatiAnagrafici.h"
#include "wizard/FrmInfo.h"
#include "wizard/FrmIntestazione.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

Program::Program(DialogService& dialogs, Module1& stato, FileElenco& elenco, Desktop& desktop)
    : context_{screens_, dialogs, stato, elenco, desktop} {
    define<FrmPresentazione>();
    define<FrmScelta>();
    define<FrmInfo>();
    define<FrmIntestazione>();
    define<FrmDatiAnagrafici>();
    define<FrmRicerca>();
    define<FrmRiepilogo>();
    define<FrmCaricaFile>();
    define<FrmCreaUnione>();
    screens_.setOnEnd([&elenco] { elenco.ChiudiTutti(); });
}

template <class T>
void Program::define() {
    screens_.define<T>([this] { return std::make_unique<T>(context_); });
}

void Program::start(const QString& elencoDaAprire) {
    screens_.show<FrmPresentazione>();
    if (elencoDaAprire.isEmpty()) {
        return;
    }
    if (const std::optional<Error> problema = unusableList(elencoDaAprire)) {
        context_.dialogs.messageBox(
            {problema->message, MessageButtons::Ok, MessageIcon::Exclamation});
        return;
    }
    context_.elencoDaAprire = elencoDaAprire;
}
