#include "DocumentoSuFile.h"

#include "ErroreDiSistema.h"
#include "FileTemporaneo.h"
#include "StrumentiArchivio.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>

#include <cerrno>

namespace {

const QByteArray kFirmaPdf = QByteArrayLiteral("%PDF-");
constexpr qsizetype kBlocco = 256 * 1024;

// A new file written from its start through the file system, in blocks: the
// first failure is kept, and every write after it fails too.
class FileInScrittura final : public QIODevice {
public:
    FileInScrittura(FileSystem& fs, int fd) : fs_(fs), fd_(fd) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

    // Writes what is still held back; 0 or the first errno met.
    int completa() {
        scriviBlocco();
        return errore_;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* dati, qint64 lunghezza) override {
        if (errore_ != 0) {
            return -1;
        }
        blocco_.append(dati, lunghezza);
        if (blocco_.size() >= kBlocco) {
            scriviBlocco();
        }
        return errore_ == 0 ? lunghezza : -1;
    }

private:
    void scriviBlocco() {
        if (errore_ == 0 && !blocco_.isEmpty()) {
            errore_ = ScriviTutto(fs_, fd_, blocco_, scritti_);
            scritti_ += blocco_.size();
            blocco_.clear();
        }
    }

    FileSystem& fs_;
    int fd_;
    QByteArray blocco_;
    off_t scritti_ = 0;
    int errore_ = 0;
};

Error rifiuto(const QString& motivo, const QString& percorso) {
    return Error::refusal(
        QStringLiteral("La stampa non può essere salvata nel file \"%1\": %2.\nScegliere un altro "
                       "nome per il documento PDF.")
            .arg(QDir::toNativeSeparators(percorso), motivo));
}

bool stessoNome(const QString& primo, const QString& secondo) {
    return QDir::cleanPath(QFileInfo(primo).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(secondo).absoluteFilePath());
}

}  // namespace

Result<void> DestinazionePdf(FileSystem& fs, const QString& percorso, const QString& elencoAperto) {
    if (percorso.endsWith(QStringLiteral(".svz"), Qt::CaseInsensitive)) {
        return rifiuto(QStringLiteral("è il nome di un elenco di domande"), percorso);
    }
    if (!elencoAperto.isEmpty() &&
        (stessoNome(percorso, elencoAperto) || StessoFile(fs, percorso, elencoAperto))) {
        return rifiuto(QStringLiteral("è l'elenco aperto"), percorso);
    }
    FileIdentity esistente;
    if (fs.identifyPath(NomeDiSistema(percorso), esistente) != 0) {
        if (errno == ENOENT) {
            return {};
        }
        return ErroreDiSistema(errno, QStringLiteral("Impossibile leggere il file"), percorso);
    }
    if (!esistente.regular) {
        return rifiuto(QStringLiteral("non è un file"), percorso);
    }
    const int fd = fs.openForReading(NomeDiSistema(percorso));
    QByteArray inizio(kFirmaPdf.size(), '\0');
    const ssize_t letti = fd >= 0 ? fs.readAt(fd, inizio.data(), inizio.size(), 0) : -1;
    const int errore = errno;
    if (fd >= 0) {
        fs.close(fd);
    }
    if (letti < 0) {
        return ErroreDiSistema(errore, QStringLiteral("Impossibile leggere il file"), percorso);
    }
    if (inizio.left(letti) != kFirmaPdf) {
        return rifiuto(QStringLiteral("il file esiste e non è un documento PDF"), percorso);
    }
    return {};
}

Result<bool> SalvaDocumento(FileSystem& fs, const QString& percorso,
                            const std::function<bool(QIODevice&)>& scrivi) {
    const QString temporaneo = NomeTemporaneo(fs, percorso);
    const int fd = fs.createExclusive(NomeDiSistema(temporaneo), 0600);
    if (fd < 0) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile creare il file"), percorso);
    }
    FileInScrittura file(fs, fd);
    const bool finito = scrivi(file);
    int errore = finito ? file.completa() : 0;
    if (finito && errore == 0 && fs.flush(fd) != 0) {
        errore = errno;
    }
    if (fs.close(fd) != 0 && finito && errore == 0) {
        errore = errno;
    }
    Result<void> alPosto;
    if (finito && errore == 0) {
        alPosto = MettiAlPosto(fs, temporaneo, percorso);
    }
    if (!finito || errore != 0 || !alPosto) {
        // The document that could not be finished is dropped; a temporary
        // file that cannot be removed is not worth a second message.
        (void)EliminaFile(fs, temporaneo);
    }
    if (errore != 0) {
        return ErroreDiSistema(errore, QStringLiteral("Impossibile scrivere il file"), percorso);
    }
    if (!alPosto) {
        return alPosto.error();
    }
    if (!finito) {
        return false;
    }
    if (Result<void> cartella = SincronizzaCartellaDi(fs, percorso); !cartella) {
        Error errore = cartella.error();
        errore.message = QStringLiteral(
                             "Il documento \"%1\" è stato scritto per intero, ma il "
                             "sistema non ha confermato di averne salvato il nome sul "
                             "disco.\n%2")
                             .arg(QDir::toNativeSeparators(percorso), errore.message);
        return errore;
    }
    return true;
}
