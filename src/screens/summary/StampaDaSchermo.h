#pragma once

#include "StampaRiepilogo.h"

class DialogService;
class FileSystem;
class QPrinter;
class QWidget;
class TabellaStampa;

// Prints the summary from its screen: Qt's print preview, from which the
// operator prints on any printer or into a PDF file; for a list too long to
// preview quickly the operator may save the PDF at once instead. A long
// drawing shows its progress and can be stopped. A PDF is written as
// SalvaDocumento writes documents, never over a list (DestinazionePdf); a
// failure or a refusal is told in a message box.
class StampaDaSchermo {
public:
    struct Ambiente {
        QWidget* finestra;
        DialogService& dialogs;
        FileSystem& fs;
        QString elencoAperto;
    };

    StampaDaSchermo(Ambiente ambiente, const TabellaStampa& tabella, StampaRiepilogo stampa)
        : ambiente_(std::move(ambiente)), tabella_(tabella), stampa_(std::move(stampa)) {}

    // The preview, after a question for a long list.
    void esegui();
    // Draws the printout on the printer; one that prints into a PDF file
    // has the file saved as salvaPdf does.
    void stampa(QPrinter& stampante);
    // Saves the printout as a PDF file at `percorso`.
    void salvaPdf(const QString& percorso);

private:
    void scegliPdf();
    Result<bool> scriviPdf(const QString& percorso);
    void anteprima();

    Ambiente ambiente_;
    const TabellaStampa& tabella_;
    StampaRiepilogo stampa_;
};
