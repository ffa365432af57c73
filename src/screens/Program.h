#pragma once

#include "FileElenco.h"
#include "Module1.h"
#include "QtDesktop.h"
#include "ScreenContext.h"
#include "ScreenManager.h"

class DialogService;

// The whole program behind its windows: the shared state, the list files,
// and the screens, defined here and started on the intro screen.
class Program {
public:
    explicit Program(DialogService& dialogs, FileSystem& fileSystem = PosixFileSystem::instance(),
                     Desktop& desktop = QtDesktop::instance());

    // Shows the intro screen. A list named at start becomes the name the
    // choice screen's Open dialog starts on; one that cannot be a list is
    // reported once the intro screen is up, and then forgotten.
    void start(const QString& elencoDaAprire = {});

    ScreenManager& screens() { return screens_; }
    Module1& stato() { return stato_; }
    FileElenco& elenco() { return elenco_; }

private:
    template <class T>
    void define();

    Module1 stato_;
    FileElenco elenco_;
    ScreenManager screens_;
    ScreenContext context_;
};
