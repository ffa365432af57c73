#include "StampaDaSchermo.h"

#include "DialogService.h"
#include "StampaRiepilogo.h"
#include "TextGrid.h"

#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace {

// Above this many rows Qt's preview, which lays out every page before it
// shows the first, takes several seconds.
constexpr int kRigheAnteprimaRapida = 4000;
constexpr int kAttesaProgressoMs = 500;

// Shows the progress of a drawing page by page, with a button that stops it.
class Progresso {
public:
    explicit Progresso(QWidget* finestra)
        : dialogo_(QStringLiteral("Preparazione delle pagine..."), QStringLiteral("Annulla"), 0, 1,
                   finestra) {
        dialogo_.setWindowTitle(kTitoloApplicazione);
        dialogo_.setWindowModality(Qt::WindowModal);
        dialogo_.setMinimumDuration(kAttesaProgressoMs);
        dialogo_.setAutoReset(false);
    }

    StampaRiepilogo::Avanzamento avanzamento() {
        return [this](int pagina, int pagine) {
            dialogo_.setMaximum(pagine);
            dialogo_.setLabelText(QStringLiteral("Pagina %1 di %2...").arg(pagina).arg(pagine));
            dialogo_.setValue(pagina - 1);
            return !dialogo_.wasCanceled();
        };
    }
    void fine() { dialogo_.reset(); }

private:
    QProgressDialog dialogo_;
};

void SalvaPdf(QWidget* finestra, DialogService& dialogs, const TextGrid& tabella,
              const StampaRiepilogo& stampa) {
    const std::optional<QString> percorso =
        dialogs.fileDialog({FileDialogMode::Save, QStringLiteral("Documento PDF (*.pdf) | *.pdf"),
                            QFileInfo(stampa.file).completeBaseName() + QStringLiteral(".pdf")});
    if (!percorso) {
        return;
    }
    Progresso progresso(finestra);
    const Result<bool> salvato = stampa.salvaPdf(*percorso, tabella, progresso.avanzamento());
    progresso.fine();
    if (!salvato) {
        dialogs.messageBox(
            {QStringLiteral("Impossibile salvare la stampa in PDF.\n") + salvato.error().message,
             MessageButtons::Ok, MessageIcon::Critical});
    }
}

void Anteprima(QWidget* finestra, const TextGrid& tabella, const StampaRiepilogo& stampa) {
    QPrinter stampante(QPrinter::HighResolution);
    StampaRiepilogo::impostaPagine(stampante);
    stampante.setDocName(stampa.intestazione());
    QPrintPreviewDialog anteprima(&stampante, finestra);
    QObject::connect(&anteprima, &QPrintPreviewDialog::paintRequested, finestra,
                     [&](QPrinter* dispositivo) {
                         Progresso progresso(finestra);
                         if (!stampa.disegna(*dispositivo, tabella, progresso.avanzamento())) {
                             dispositivo->abort();
                         }
                         progresso.fine();
                     });
    anteprima.exec();
}

}  // namespace

void StampaDaSchermo(QWidget* finestra, DialogService& dialogs, const TextGrid& tabella,
                     const StampaRiepilogo& stampa) {
    const int righe = tabella.Rows() - 1;
    if (righe > kRigheAnteprimaRapida) {
        const MessageAnswer risposta = dialogs.messageBox(
            {QStringLiteral("L'elenco ha %1 domande: l'anteprima di stampa deve preparare tutte "
                            "le pagine prima di mostrarle e può richiedere molto tempo.\n\n"
                            "Salvare subito la stampa in un file PDF?\n"
                            "(No: mostra comunque l'anteprima)")
                 .arg(righe),
             MessageButtons::YesNoCancel, MessageIcon::Question});
        if (risposta == MessageAnswer::Yes) {
            SalvaPdf(finestra, dialogs, tabella, stampa);
        }
        if (risposta != MessageAnswer::No) {
            return;
        }
    }
    Anteprima(finestra, tabella, stampa);
}
