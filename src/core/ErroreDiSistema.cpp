#include "ErroreDiSistema.h"

#include <cerrno>
#include <cstring>

QString DescrizioneErrore(int codiceErrore) {
    switch (codiceErrore) {
        case ENOSPC:
            return QStringLiteral("spazio esaurito sul disco");
        case EACCES:
        case EPERM:
            return QStringLiteral("permesso negato");
        case ENOENT:
            return QStringLiteral("file o cartella inesistente");
        case EROFS:
            return QStringLiteral("disco in sola lettura");
        case EISDIR:
            return QStringLiteral("il percorso indica una cartella");
        case EIO:
            return QStringLiteral("errore di lettura o scrittura sul disco");
        case EDQUOT:
            return QStringLiteral("quota disco superata");
        case ENAMETOOLONG:
            return QStringLiteral("nome del file troppo lungo");
        case ENOTDIR:
            return QStringLiteral("una parte del percorso non è una cartella");
        case EMFILE:
        case ENFILE:
            return QStringLiteral("troppi file aperti");
        case ENODEV:
            return QStringLiteral("il percorso non indica un file ordinario");
        case EFBIG:
            return QStringLiteral("file troppo grande");
        case ETXTBSY:
        case EBUSY:
            return QStringLiteral("file in uso da un altro programma");
        default:
            return QStringLiteral("errore di sistema n. %1 (%2)")
                .arg(codiceErrore)
                .arg(QString::fromLocal8Bit(std::strerror(codiceErrore)));
    }
}

Error ErroreDiSistema(int codiceErrore, const QString& azione, const QString& percorso) {
    return Error::system(
        codiceErrore,
        QStringLiteral("%1 \"%2\": %3.").arg(azione, percorso, DescrizioneErrore(codiceErrore)));
}
