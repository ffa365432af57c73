#include "StampaDaSchermo.h"

#include "DialogService.h"
#include "DocumentoSuFile.h"
#include "ImpaginazioneRiepilogo.h"
#include "TestiDelProgramma.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace {

// Above this many rows Qt's preview, which lays out every page before it
// shows the first, takes more than a couple of seconds.
constexpr int kRigheAnteprimaRapida = 10000;
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
    ~Progresso() { dialogo_.reset(); }

    StampaRiepilogo::Avanzamento avanzamento() {
        return [this](int pagina, int pagine) {
            dialogo_.setMaximum(pagine);
            dialogo_.setLabelText(QStringLiteral("Pagina %1 di %2...").arg(pagina).arg(pagine));
            dialogo_.setValue(pagina - 1);
            return !dialogo_.wasCanceled();
        };
    }

private:
    QProgressDialog dialogo_;
};

}  // namespace

void StampaDaSchermo::esegui() {
    const int righe = tabella_.righe();
    if (righe > kRigheAnteprimaRapida) {
        const MessageAnswer risposta = ambiente_.dialogs.messageBox(
            {QStringLiteral("L'elenco ha %1 domande: l'anteprima di stampa deve preparare tutte "
                            "le pagine prima di mostrarle e può richiedere molto tempo.\n\n"
                            "Salvare subito la stampa in un file PDF?\n"
                            "(No: mostra comunque l'anteprima)")
                 .arg(righe),
             MessageButtons::YesNoCancel, MessageIcon::Question});
        if (risposta == MessageAnswer::Yes) {
            scegliPdf();
        }
        if (risposta != MessageAnswer::No) {
            return;
        }
    }
    anteprima();
}

void StampaDaSchermo::scegliPdf() {
    // Proposed beside the list, with its name.
    const QFileInfo elenco(ambiente_.elencoAperto);
    const std::optional<QString> percorso = ambiente_.dialogs.fileDialog(
        {FileDialogMode::Save, QStringLiteral("Documento PDF (*.pdf) | *.pdf"),
         QDir(elenco.absolutePath()).filePath(elenco.completeBaseName() + QStringLiteral(".pdf")),
         QStringLiteral("pdf"), true});
    if (percorso) {
        salvaPdf(*percorso);
    }
}

void StampaDaSchermo::salvaPdf(const QString& percorso) {
    const Result<bool> salvato = scriviPdf(percorso);
    if (!salvato) {
        const Error& errore = salvato.error();
        ambiente_.dialogs.messageBox(
            {errore.message, MessageButtons::Ok,
             errore.refused() ? MessageIcon::Exclamation : MessageIcon::Critical});
    }
}

Result<bool> StampaDaSchermo::scriviPdf(const QString& percorso) {
    if (Result<void> ammessa = DestinazionePdf(ambiente_.fs, percorso, ambiente_.elencoAperto);
        !ammessa) {
        return ammessa.error();
    }
    Progresso progresso(ambiente_.finestra);
    return stampa_.salvaPdf(ambiente_.fs, percorso, tabella_, progresso.avanzamento());
}

void StampaDaSchermo::stampa(QPrinter& stampante) {
    // Printing into a file is the print dialog's way of making a PDF.
    if (!stampante.outputFileName().isEmpty()) {
        salvaPdf(stampante.outputFileName());
        return;
    }
    Progresso progresso(ambiente_.finestra);
    if (!stampa_.disegna(stampante, tabella_, progresso.avanzamento())) {
        stampante.abort();
    }
}

void StampaDaSchermo::anteprima() {
    QPrinter stampante(QPrinter::HighResolution);
    StampaRiepilogo::impostaPagine(stampante);
    stampante.setDocName(stampa_.intestazione());
    QPrintPreviewDialog dialogo(&stampante, ambiente_.finestra);
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, ambiente_.finestra,
                     [this](QPrinter* dispositivo) { stampa(*dispositivo); });
    dialogo.exec();
}
