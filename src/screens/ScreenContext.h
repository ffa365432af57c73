#pragma once

class DialogService;
class FileElenco;
class ScreenManager;
struct Module1;

// What every screen is given: the other screens, the dialogs, the shared
// state and the list-file component.
struct ScreenContext {
    ScreenManager& screens;
    DialogService& dialogs;
    Module1& stato;
    FileElenco& elenco;
};
