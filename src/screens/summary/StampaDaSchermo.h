#pragma once

class DialogService;
class QWidget;
class TextGrid;
struct StampaRiepilogo;

// Prints the table from the summary screen: Qt's print preview, from which
// the operator prints on any printer or saves a PDF; for a list too long to
// preview quickly the operator may save the PDF at once instead. A long
// drawing shows its progress and can be cancelled.
void StampaDaSchermo(QWidget* finestra, DialogService& dialogs, const TextGrid& tabella,
                     const StampaRiepilogo& stampa);
