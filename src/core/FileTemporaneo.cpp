#include "FileTemporaneo.h"

#include "ErroreDiSistema.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

namespace {

QByteArray nomeDiSistema(const QString& percorso) {
    return QFile::encodeName(percorso);
}

// Makes a folder's entries (a file renamed into it) durable on the disk.
int sincronizzaCartella(const QString& cartella) {
    const int fd = ::open(nomeDiSistema(cartella).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    const int esito = ::fsync(fd);
    const int errore = errno;
    ::close(fd);
    errno = errore;
    return esito;
}

}  // namespace

QString NomeTemporaneo(const QString& percorso) {
    QString nome;
    do {
        const quint64 casuale = QRandomGenerator::global()->generate64();
        nome = QStringLiteral("%1.%2.tmp").arg(percorso, QString::number(casuale, 36));
    } while (QFileInfo::exists(nome));
    return nome;
}

Result<void> MettiAlPosto(const QString& temporaneo, const QString& percorso) {
    if (std::rename(nomeDiSistema(temporaneo).constData(), nomeDiSistema(percorso).constData()) !=
        0) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile salvare il file"), percorso);
    }
    return {};
}

Result<void> SincronizzaCartellaDi(const QString& percorso) {
    if (sincronizzaCartella(QFileInfo(percorso).absolutePath()) != 0) {
        return ErroreDiSistema(
            errno, QStringLiteral("Impossibile salvare sul disco la cartella del file"), percorso);
    }
    return {};
}

Result<void> EliminaFile(const QString& percorso) {
    if (::unlink(nomeDiSistema(percorso).constData()) != 0 && errno != ENOENT) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile eliminare il file"), percorso);
    }
    return {};
}

bool StessoFile(const QString& primo, const QString& secondo) {
    struct stat a {};
    struct stat b {};
    return ::stat(nomeDiSistema(primo).constData(), &a) == 0 &&
           ::stat(nomeDiSistema(secondo).constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}
