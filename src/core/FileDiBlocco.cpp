#include "FileDiBlocco.h"

#include "ErroreDiSistema.h"
#include "StrumentiArchivio.h"

#include <QSysInfo>

#include <cerrno>
#include <optional>
#include <utility>

namespace {

// A lock is a few short lines; anything longer is not one.
constexpr qint64 kLunghezzaMassima = 4096;

const QString kFonteRiprendibile = QStringLiteral("blocco riprendibile");

struct Detentore {
    qint64 pid = 0;
    quint64 avvio = 0;
    QString boot;
    QString computer;
    QString utente;
    QDateTime dal;
};

// Where a process id names one process: this boot of this computer and this
// PID namespace; empty when either cannot be told.
QString SistemaDi(FileSystem& fs) {
    const std::string boot = fs.bootId();
    const std::string spazio = fs.pidNamespace();
    return boot.empty() || spazio.empty() ? QString() : QString::fromStdString(boot + ' ' + spazio);
}

QByteArray ContenutoNuovo(FileSystem& fs) {
    const pid_t pid = fs.processId();
    const QStringList righe{QString::number(pid),
                            QString::number(fs.processStart(pid)),
                            SistemaDi(fs),
                            QSysInfo::machineHostName(),
                            NomeUtente(fs.effectiveUser()),
                            QDateTime::currentDateTime().toString(Qt::ISODateWithMs)};
    return (righe.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

std::optional<QByteArray> Leggi(FileSystem& fs, const QString& nome) {
    FilePiccolo letto;
    if (LeggiPiccolo(fs, nome, kLunghezzaMassima, letto) != 0) {
        return std::nullopt;
    }
    return letto.byte;
}

std::optional<Detentore> Decodifica(const std::optional<QByteArray>& contenuto) {
    const QList<QByteArray> righe = contenuto ? contenuto->split('\n') : QList<QByteArray>();
    if (righe.size() < 6) {
        return std::nullopt;
    }
    bool numero = false;
    bool avvio = false;
    Detentore detentore{righe[0].toLongLong(&numero),
                        righe[1].toULongLong(&avvio),
                        QString::fromUtf8(righe[2]),
                        QString::fromUtf8(righe[3]),
                        QString::fromUtf8(righe[4]),
                        QDateTime::fromString(QString::fromUtf8(righe[5]), Qt::ISODateWithMs)};
    if (!numero || !avvio || detentore.pid <= 0 || !detentore.dal.isValid()) {
        return std::nullopt;
    }
    return detentore;
}

enum class Stato { Morto, Vivo, Incerto };

// Only a holder that ran on this very boot of this computer, in this PID
// namespace, can be known to be gone: the system says its process id no
// longer runs, or that it names a process started at another time. A holder
// whose process cannot be seen may be running.
Stato StatoDi(FileSystem& fs, const std::optional<Detentore>& detentore) {
    const QString qui = SistemaDi(fs);
    if (!detentore || qui.isEmpty() || detentore->boot != qui) {
        return Stato::Incerto;
    }
    const auto pid = static_cast<pid_t>(detentore->pid);
    const std::uint64_t avvio = fs.processStart(pid);
    if (avvio != 0 && avvio == detentore->avvio) {
        return Stato::Vivo;
    }
    return fs.processGone(pid) || (avvio != 0 && detentore->avvio != 0) ? Stato::Morto
                                                                        : Stato::Incerto;
}

// Removes the lock `nome` that held `visto`. It is first moved to a
// private name, so that a lock another copy took in the meantime is
// recognised and put back rather than removed.
void TogliAbbandonato(FileSystem& fs, const QString& nome, const std::optional<QByteArray>& visto) {
    const QString spostato = NomePrivato(fs, nome, "abbandonato");
    if (fs.rename(NomeDiSistema(nome), NomeDiSistema(spostato)) != 0) {
        return;
    }
    if (Leggi(fs, spostato) != visto) {
        fs.link(NomeDiSistema(spostato), NomeDiSistema(nome));
    }
    fs.unlink(NomeDiSistema(spostato));
}

// Creates `nome` holding `contenuto`, with these permission bits, unless it
// exists; 0 or errno.
int CreaEsclusivo(FileSystem& fs, const QString& nome, const QByteArray& contenuto,
                  mode_t permessi) {
    const int fd = fs.createExclusive(NomeDiSistema(nome), permessi);
    if (fd < 0) {
        return errno;
    }
    const int errore = ScriviTutto(fs, fd, contenuto, 0);
    if (fs.close(fd) != 0 || errore != 0) {
        fs.unlink(NomeDiSistema(nome));
        return errore != 0 ? errore : EIO;
    }
    return 0;
}

// Makes `nome` appear whole, holding `contenuto`, unless it exists; 0,
// EEXIST or another errno. A file system without hard links gets the file
// created in place instead.
int CreaIntero(FileSystem& fs, const QString& nome, const QByteArray& contenuto, mode_t permessi) {
    const QString privato = NomePrivato(fs, nome, "nuovo");
    if (const int errore = CreaEsclusivo(fs, privato, contenuto, permessi); errore != 0) {
        return errore;
    }
    int errore = fs.link(NomeDiSistema(privato), NomeDiSistema(nome)) == 0 ? 0 : errno;
    if (errore != 0 && errore != EEXIST && Leggi(fs, nome) == contenuto) {
        errore = 0;  // a network folder that linked it and lost the answer
    }
    fs.unlink(NomeDiSistema(privato));
    if (errore == EPERM || errore == EOPNOTSUPP || errore == ENOSYS) {
        return CreaEsclusivo(fs, nome, contenuto, permessi);
    }
    return errore;
}

QString DescrizioneDetentore(const std::optional<Detentore>& detentore) {
    if (!detentore) {
        return QStringLiteral("l'elenco risulta in uso da un'altra copia del programma");
    }
    return QStringLiteral(
               "l'elenco è già aperto da un'altra copia del programma sul computer \"%1\" "
               "(utente \"%2\", processo %3) dal %4 alle %5")
        .arg(detentore->computer, detentore->utente)
        .arg(detentore->pid)
        .arg(detentore->dal.toString(QStringLiteral("dd/MM/yyyy")),
             detentore->dal.toString(QStringLiteral("HH:mm:ss")));
}

Error Rifiuto(const QString& percorsoElenco, const std::optional<Detentore>& detentore,
              Stato stato) {
    const QString motivo = QStringLiteral("Impossibile aprire il file \"%1\": %2.")
                               .arg(percorsoElenco, DescrizioneDetentore(detentore));
    if (stato == Stato::Vivo) {
        return Error::refusal(motivo +
                              QStringLiteral("\nRiprovare quando l'elenco sarà stato chiuso."));
    }
    Error domanda = Error::refusal(
        motivo + QStringLiteral("\nSe quella copia del programma non è più in funzione (per "
                                "esempio perché il computer è stato spento o si è bloccato), "
                                "l'elenco può essere ripreso. Riprendere l'elenco?"));
    domanda.source = kFonteRiprendibile;
    return domanda;
}

}  // namespace

Result<std::unique_ptr<FileDiBlocco>> FileDiBlocco::Prendi(FileSystem& fs, const QString& nome,
                                                           const QString& percorsoElenco,
                                                           mode_t permessi, Subentro subentro) {
    const QByteArray contenuto = ContenutoNuovo(fs);
    std::optional<QByteArray> visto;
    Stato stato = Stato::Incerto;
    for (int tentativo = 0; tentativo < 3; ++tentativo) {
        const int errore = CreaIntero(fs, nome, contenuto, permessi);
        if (errore == 0) {
            return std::unique_ptr<FileDiBlocco>(new FileDiBlocco(fs, nome, contenuto));
        }
        if (errore != EEXIST) {
            return Error::system(
                errore, QStringLiteral("Impossibile aprire il file \"%1\": non è possibile creare "
                                       "nella cartella \"%2\" il file di blocco che lo protegge "
                                       "dalle altre copie del programma (%3).")
                            .arg(percorsoElenco, CartellaDi(nome), DescrizioneErrore(errore)));
        }
        visto = Leggi(fs, nome);
        stato = StatoDi(fs, Decodifica(visto));
        if (stato == Stato::Vivo || (stato == Stato::Incerto && subentro == Subentro::Vietato)) {
            break;
        }
        TogliAbbandonato(fs, nome, visto);
    }
    return Rifiuto(percorsoElenco, Decodifica(visto), stato);
}

bool FileDiBlocco::Riprendibile(const Error& errore) {
    return errore.refused() && errore.source == kFonteRiprendibile;
}

FileDiBlocco::FileDiBlocco(FileSystem& fs, QString nome, QByteArray contenuto)
    : fs_(fs), nome_(std::move(nome)), contenuto_(std::move(contenuto)) {}

FileDiBlocco::~FileDiBlocco() {
    // A lock that another copy took over, judging this one dead, stays.
    if (Leggi(fs_, nome_) == contenuto_) {
        fs_.unlink(NomeDiSistema(nome_));
    }
}
