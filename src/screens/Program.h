#pragma once

#include "FileElenco.h"
#include "Module1.h"
#include "QtDesktop.h"
#include "ScreenContext.h"
#include "ScreenManager.h"

class DialogService;

// The whole program behind its windows: the screens, defined here over the
// shared state and the list files, and started on the intro screen.
class Program {
public:
    Program(DialogService& dialogs, Module1& stato, FileElenco& elenco,
            Desktop& desktop = QtDesktop::instance());

    // Shows the intro screen. A list named at start becomes the name the
    // choice screen's Open dialog starts on; one that cannot be a list is
    // reported once the intro screen is up, and then forgotten.
    void start(const QString& elencoDaAprire = {});

    ScreenManager& screens() { return screens_; }

private:
    template <class T>
    void define();

    ScreenManager screens_;
    ScreenContext context_;
};
