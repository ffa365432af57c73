#include "BloccoElenchi.h"

#include "ErroreDiSistema.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <cerrno>
#include <optional>

namespace {

// A lock file that holds nothing readable was either left by a process
// killed between creating and filling it, or is being filled right now; a
// creator that is still alive has filled it well within this time.
constexpr unsigned long kAttesaBloccoIlleggibileMs = 300;

// The file the lock is about, the same for every spelling of its path; an
// empty text for a path that is no regular file.
std::optional<QString> FileDaBloccare(const QString& percorso) {
    const QFileInfo info(percorso);
    if (info.exists()) {
        return info.isFile() ? info.canonicalFilePath() : QString();
    }
    const QString cartella = info.absoluteDir().canonicalPath();
    if (cartella.isEmpty()) {
        return std::nullopt;
    }
    return QDir(cartella).filePath(info.fileName());
}

QString DescrizioneDetentore(const QLockFile& blocco) {
    qint64 pid = 0;
    QString computer;
    QString programma;
    if (!blocco.getLockInfo(&pid, &computer, &programma)) {
        return QStringLiteral("l'elenco è in uso da un'altra copia del programma");
    }
    const QDateTime dal = QFileInfo(blocco.fileName()).lastModified();
    return QStringLiteral(
               "l'elenco è già aperto da un'altra copia del programma sul computer \"%1\" "
               "(processo %2) dal %3 alle %4")
        .arg(computer)
        .arg(pid)
        .arg(dal.toString(QStringLiteral("dd/MM/yyyy")), dal.toString(QStringLiteral("HH:mm:ss")));
}

bool Leggibile(const QLockFile& blocco) {
    qint64 pid = 0;
    QString computer;
    QString programma;
    return blocco.getLockInfo(&pid, &computer, &programma);
}

// Removes a lock file that still holds nothing readable after its creator
// had the time to fill it; true when it is gone. A live holder keeps a
// system lock on its file, which makes the removal fail.
bool TogliBloccoIlleggibile(QLockFile& blocco) {
    if (Leggibile(blocco)) {
        return false;
    }
    QThread::msleep(kAttesaBloccoIlleggibileMs);
    return !Leggibile(blocco) && blocco.removeStaleLockFile();
}

Error ErroreDiBlocco(const QString& percorso, const QLockFile& blocco) {
    const QString aprire = QStringLiteral("Impossibile aprire il file \"%1\": ").arg(percorso);
    switch (blocco.error()) {
        case QLockFile::LockFailedError:
            return Error{0,
                         aprire + DescrizioneDetentore(blocco) +
                             QStringLiteral(".\nRiprovare quando l'elenco sarà stato chiuso."),
                         {}};
        case QLockFile::PermissionError:
            return Error{EACCES,
                         aprire + QStringLiteral("non è possibile creare il file di blocco \"%1\" "
                                                 "che lo protegge dalle altre copie del "
                                                 "programma (permesso negato).")
                                      .arg(blocco.fileName()),
                         {}};
        default:
            return Error{EIO,
                         aprire + QStringLiteral("non è possibile creare il file di blocco \"%1\" "
                                                 "che lo protegge dalle altre copie del "
                                                 "programma.")
                                      .arg(blocco.fileName()),
                         {}};
    }
}

}  // namespace

BloccoElenchi::BloccoElenchi() = default;

BloccoElenchi::~BloccoElenchi() = default;

Result<QString> BloccoElenchi::Acquisisci(const QString& percorso) {
    const std::optional<QString> chiave = FileDaBloccare(percorso);
    if (!chiave) {
        return ErroreDiSistema(ENOENT, QStringLiteral("Impossibile aprire il file"), percorso);
    }
    if (chiave->isEmpty()) {
        return QString();
    }
    auto esistente = blocchi_.find(*chiave);
    if (esistente != blocchi_.end()) {
        ++esistente->second.utenti;
        return *chiave;
    }
    auto blocco = std::make_unique<QLockFile>(NomeFileBlocco(*chiave));
    blocco->setStaleLockTime(0);
    if (!blocco->tryLock(0) && !(TogliBloccoIlleggibile(*blocco) && blocco->tryLock(0))) {
        return ErroreDiBlocco(percorso, *blocco);
    }
    blocchi_.emplace(*chiave, Blocco{std::move(blocco), 1});
    return *chiave;
}

void BloccoElenchi::Rilascia(const QString& chiave) {
    auto blocco = blocchi_.find(chiave);
    if (blocco == blocchi_.end()) {
        return;
    }
    if (--blocco->second.utenti == 0) {
        blocchi_.erase(blocco);
    }
}

QString BloccoElenchi::NomeFileBlocco(const QString& percorso) {
    const QFileInfo info(percorso);
    return info.dir().filePath(QStringLiteral(".~lock.%1#").arg(info.fileName()));
}
