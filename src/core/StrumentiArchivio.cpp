#include "StrumentiArchivio.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <pwd.h>
#include <algorithm>
#include <cerrno>

std::string NomeDiSistema(const QString& percorso) {
    return QFile::encodeName(percorso).toStdString();
}

QString CartellaDi(const QString& percorso) {
    return QFileInfo(percorso).absolutePath();
}

QString NomePrivato(FileSystem& fs, const QString& nome, const char* scopo) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(nome, QLatin1String(scopo), QString::number(fs.processId()),
             QString::number(QRandomGenerator::global()->generate64(), 36));
}

QString NomeUtente(uid_t utente) {
    const passwd* voce = ::getpwuid(utente);
    return voce != nullptr ? QString::fromLocal8Bit(voce->pw_name) : QString::number(utente);
}

int LeggiPiccolo(FileSystem& fs, const QString& nome, qint64 limite, FilePiccolo& letto) {
    const int fd = fs.openForReading(NomeDiSistema(nome));
    if (fd < 0) {
        return errno;
    }
    int errore = fs.identify(fd, letto.identita) == 0 ? 0 : errno;
    const off_t lunghezza = errore == 0 ? fs.size(fd) : 0;
    errore = lunghezza < 0 ? errno : errore;
    // One byte more than the file or the limit tells a file that is, or has
    // grown, too long.
    letto.byte.resize(std::min<qint64>(lunghezza, limite) + 1);
    const ssize_t letti = errore == 0 ? fs.readAt(fd, letto.byte.data(), letto.byte.size(), 0) : 0;
    if (errore == 0 && letti < 0) {
        errore = errno;
    } else if (errore == 0 && letti > limite) {
        errore = EFBIG;
    }
    fs.close(fd);
    letto.byte.resize(errore == 0 ? letti : 0);
    return errore;
}

int ScriviTutto(FileSystem& fs, int fd, const QByteArray& byte, off_t offset) {
    const ssize_t scritti = fs.writeAt(fd, byte.constData(), byte.size(), offset);
    if (scritti < 0) {
        return errno;
    }
    return scritti == byte.size() ? 0 : ENOSPC;
}
