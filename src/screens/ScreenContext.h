#pragma once

#include <QString>

class Desktop;
class DialogService;
class FileElenco;
class ScreenManager;
struct Module1;

// The handle on which the entry screen holds the current list open while it
// is loaded; the search and the summary read and write through it.
inline constexpr int kHandleElenco = 1;

// What every screen is given: the other screens, the dialogs, the shared
// state, the list-file component and the user's desktop.
struct ScreenContext {
    ScreenManager& screens;
    DialogService& dialogs;
    Module1& stato;
    FileElenco& elenco;
    Desktop& desktop;
    // The list the program was started on: the choice screen's Open dialog
    // starts on it. Empty when none was named.
    QString elencoDaAprire = {};
};
