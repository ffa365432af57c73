#include "FileDiBlocco.h"

#include "ErroreDiSistema.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <optional>
#include <utility>

namespace {

using Detentore = FileDiBlocco::Detentore;

// A lock that holds nothing readable is not being written (locks appear
// whole): it was cut by a crash of the machine or written by another
// program. It is respected for this long after its last change.
constexpr qint64 kSecondiBloccoIlleggibile = 10;

QByteArray NomeDiSistema(const QString& percorso) {
    return QFile::encodeName(percorso);
}

// A private name beside `nome` that no other process picks.
QString NomeUnico(const QString& nome, const char* scopo) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(nome, QLatin1String(scopo), QString::number(::getpid()),
             QString::number(QRandomGenerator::global()->generate64(), 36));
}

// The name of the program that process pid runs; empty when it cannot be
// told.
QString NomeProgramma(qint64 pid) {
    char destinazione[PATH_MAX];
    const QByteArray collegamento = QByteArray("/proc/") + QByteArray::number(pid) + "/exe";
    const ssize_t lunghezza =
        ::readlink(collegamento.constData(), destinazione, sizeof destinazione - 1);
    if (lunghezza <= 0) {
        return {};
    }
    return QFileInfo(QFile::decodeName(QByteArray(destinazione, lunghezza))).fileName();
}

QByteArray ContenutoNuovo() {
    const qint64 pid = ::getpid();
    return QByteArray::number(pid) + '\n' + NomeProgramma(pid).toUtf8() + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n' +
           QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toUtf8() + '\n';
}

std::optional<QByteArray> LeggiFile(const QString& nome) {
    QFile file(nome);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

std::optional<Detentore> Decodifica(const QByteArray& contenuto) {
    const QList<QByteArray> righe = contenuto.split('\n');
    if (righe.size() < 4) {
        return std::nullopt;
    }
    bool numero = false;
    Detentore detentore{righe[0].toLongLong(&numero), QString::fromUtf8(righe[1]),
                        QString::fromUtf8(righe[2]),
                        QDateTime::fromString(QString::fromUtf8(righe[3]), Qt::ISODateWithMs)};
    if (!numero || detentore.pid <= 0 || !detentore.dal.isValid()) {
        return std::nullopt;
    }
    return detentore;
}

bool Vivo(const Detentore& detentore) {
    if (detentore.computer != QSysInfo::machineHostName()) {
        return true;  // nothing can be known of a process on another host
    }
    if (::kill(static_cast<pid_t>(detentore.pid), 0) != 0 && errno == ESRCH) {
        return false;
    }
    // The id may have gone to another program since.
    const QString programma = NomeProgramma(detentore.pid);
    return programma.isEmpty() || programma == detentore.programma;
}

bool Abbandonato(const QString& nome, const std::optional<QByteArray>& contenuto) {
    if (!contenuto) {
        return !QFileInfo::exists(nome);  // gone in the meantime: try again
    }
    if (const std::optional<Detentore> detentore = Decodifica(*contenuto)) {
        return !Vivo(*detentore);
    }
    const QDateTime modificato = QFileInfo(nome).lastModified();
    return modificato.isValid() &&
           modificato.secsTo(QDateTime::currentDateTime()) >= kSecondiBloccoIlleggibile;
}

// Removes the abandoned lock `nome` that held `visto`. It is first moved
// to a private name, so that a lock another copy took in the meantime is
// recognised and put back rather than removed.
void TogliAbbandonato(const QString& nome, const std::optional<QByteArray>& visto) {
    const QString spostato = NomeUnico(nome, "abbandonato");
    if (std::rename(NomeDiSistema(nome).constData(), NomeDiSistema(spostato).constData()) != 0) {
        return;
    }
    if (LeggiFile(spostato) != visto) {
        ::link(NomeDiSistema(spostato).constData(), NomeDiSistema(nome).constData());
    }
    ::unlink(NomeDiSistema(spostato).constData());
}

bool ScriviTutto(int fd, const QByteArray& contenuto) {
    qsizetype scritti = 0;
    while (scritti < contenuto.size()) {
        const ssize_t esito =
            ::write(fd, contenuto.constData() + scritti, contenuto.size() - scritti);
        if (esito < 0 && errno != EINTR) {
            return false;
        }
        scritti += esito > 0 ? esito : 0;
    }
    return true;
}

// Creates `nome` holding `contenuto` unless it exists; 0 or errno.
int CreaEsclusivo(const QString& nome, const QByteArray& contenuto) {
    const int fd =
        ::open(NomeDiSistema(nome).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return errno;
    }
    const bool scritto = ScriviTutto(fd, contenuto);
    const int errore = errno;
    ::close(fd);
    if (!scritto) {
        ::unlink(NomeDiSistema(nome).constData());
        return errore;
    }
    return 0;
}

// Makes `nome` appear whole, holding `contenuto`, unless it exists; 0,
// EEXIST or another errno. A file system without hard links gets the file
// created in place instead.
int CreaIntero(const QString& nome, const QByteArray& contenuto) {
    const QString privato = NomeUnico(nome, "nuovo");
    if (const int errore = CreaEsclusivo(privato, contenuto); errore != 0) {
        return errore;
    }
    const QByteArray sorgente = NomeDiSistema(privato);
    int errore = ::link(sorgente.constData(), NomeDiSistema(nome).constData()) == 0 ? 0 : errno;
    struct stat info {};
    if (errore != 0 && errore != EEXIST && ::stat(sorgente.constData(), &info) == 0 &&
        info.st_nlink == 2) {
        errore = 0;  // a network folder that linked it and lost the answer
    }
    ::unlink(sorgente.constData());
    if (errore == EPERM || errore == EOPNOTSUPP || errore == ENOSYS) {
        return CreaEsclusivo(nome, contenuto);
    }
    return errore;
}

QString DescrizioneDetentore(const std::optional<QByteArray>& contenuto) {
    const std::optional<Detentore> detentore =
        contenuto ? Decodifica(*contenuto) : std::optional<Detentore>();
    if (!detentore) {
        return QStringLiteral("l'elenco è in uso da un'altra copia del programma");
    }
    return QStringLiteral(
               "l'elenco è già aperto da un'altra copia del programma sul computer \"%1\" "
               "(processo %2) dal %3 alle %4")
        .arg(detentore->computer)
        .arg(detentore->pid)
        .arg(detentore->dal.toString(QStringLiteral("dd/MM/yyyy")),
             detentore->dal.toString(QStringLiteral("HH:mm:ss")));
}

}  // namespace

Result<std::unique_ptr<FileDiBlocco>> FileDiBlocco::Prendi(const QString& nome,
                                                           const QString& percorsoElenco) {
    const QByteArray contenuto = ContenutoNuovo();
    const QString aprire =
        QStringLiteral("Impossibile aprire il file \"%1\": ").arg(percorsoElenco);
    std::optional<QByteArray> visto;
    for (int tentativo = 0; tentativo < 3; ++tentativo) {
        const int errore = CreaIntero(nome, contenuto);
        if (errore == 0) {
            return std::unique_ptr<FileDiBlocco>(new FileDiBlocco(nome, contenuto));
        }
        if (errore != EEXIST) {
            return Error::system(
                errore, aprire + QStringLiteral("non è possibile creare il file di blocco \"%1\" "
                                                "che lo protegge dalle altre copie del programma "
                                                "(%2).")
                                     .arg(nome, DescrizioneErrore(errore)));
        }
        visto = LeggiFile(nome);
        if (!Abbandonato(nome, visto)) {
            break;
        }
        TogliAbbandonato(nome, visto);
    }
    return Error::refusal(aprire + DescrizioneDetentore(visto) +
                          QStringLiteral(".\nRiprovare quando l'elenco sarà stato chiuso."));
}

FileDiBlocco::FileDiBlocco(QString nome, QByteArray contenuto)
    : nome_(std::move(nome)), contenuto_(std::move(contenuto)) {}

FileDiBlocco::~FileDiBlocco() {
    // A lock that another copy took over, judging this one dead, stays.
    if (LeggiFile(nome_) == contenuto_) {
        ::unlink(NomeDiSistema(nome_).constData());
    }
}
