#include "DiarioScritture.h"

#include "ErroreDiSistema.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <utility>

namespace {

constexpr char kIntestazione[] = "SOVVENZIA-DIARIO-2";
constexpr char kFine[] = "FINE";

QByteArray NomeDiSistema(const QString& percorso) {
    return QFile::encodeName(percorso);
}

// Writes the whole file under a private name, then renames it into place;
// 0 or errno.
int ScriviIntero(const QString& nome, const QByteArray& contenuto) {
    const QByteArray privato = NomeDiSistema(nome) + '.' + QByteArray::number(::getpid()) + '.' +
                               QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    const int fd = ::open(privato.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return errno;
    }
    qsizetype scritti = 0;
    while (scritti < contenuto.size()) {
        const ssize_t esito =
            ::write(fd, contenuto.constData() + scritti, contenuto.size() - scritti);
        if (esito < 0 && errno != EINTR) {
            break;
        }
        scritti += std::max<ssize_t>(esito, 0);
    }
    int errore = scritti == contenuto.size() ? 0 : errno;
    ::close(fd);
    if (errore == 0 && std::rename(privato.constData(), NomeDiSistema(nome).constData()) != 0) {
        errore = errno;
    }
    if (errore != 0) {
        ::unlink(privato.constData());
    }
    return errore;
}

struct Identita {
    qint64 dispositivo = -1;
    qint64 inode = -1;
};

Identita IdentitaDi(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return {};
    }
    return {static_cast<qint64>(info.st_dev), static_cast<qint64>(info.st_ino)};
}

struct Contenuto {
    Identita file;
    qint64 lunghezza = 0;
    std::vector<std::pair<qint64, QByteArray>> voci;
};

std::optional<Contenuto> Decodifica(const QByteArray& byte) {
    QDataStream flusso(byte);
    QByteArray intestazione;
    Contenuto contenuto;
    qint32 quante = 0;
    flusso >> intestazione >> contenuto.file.dispositivo >> contenuto.file.inode >>
        contenuto.lunghezza >> quante;
    if (intestazione != kIntestazione || quante < 0) {
        return std::nullopt;
    }
    for (qint32 i = 0; i < quante && flusso.status() == QDataStream::Ok; ++i) {
        std::pair<qint64, QByteArray> voce;
        flusso >> voce.first >> voce.second;
        contenuto.voci.push_back(std::move(voce));
    }
    QByteArray fine;
    flusso >> fine;
    if (flusso.status() != QDataStream::Ok || fine != kFine) {
        return std::nullopt;
    }
    return contenuto;
}

Error ErroreRipristino(int errore, const QString& percorso) {
    Error e = ErroreDiSistema(
        errore, QStringLiteral("Impossibile completare il ripristino del file"), percorso);
    e.message += QStringLiteral(
        "\nIl programma era stato interrotto mentre scriveva questo elenco; riaprirlo per "
        "riprovare il ripristino.");
    return e;
}

}  // namespace

DiarioScritture::DiarioScritture(QString nome) : nome_(std::move(nome)) {}

Result<void> DiarioScritture::Annota(int fd, std::int64_t lunghezza, std::int64_t inizio,
                                     const QByteArray& sovrascritti,
                                     const QString& percorsoElenco) {
    bool cambiato = !attivo_;
    if (!attivo_) {
        lunghezzaOriginale_ = lunghezza;
        voci_.clear();
        const Identita identita = IdentitaDi(fd);
        dispositivo_ = identita.dispositivo;
        inode_ = identita.inode;
    }
    // Only bytes that were in the list before the first annotated write need
    // keeping; whatever lies past its former length goes with the length.
    const std::int64_t daTenere =
        std::clamp<std::int64_t>(lunghezzaOriginale_ - inizio, 0, sovrascritti.size());
    const bool giaTenuto = std::any_of(voci_.begin(), voci_.end(),
                                       [&](const Voce& voce) { return voce.offset == inizio; });
    if (daTenere > 0 && !giaTenuto) {
        voci_.push_back(Voce{inizio, sovrascritti.left(daTenere)});
        cambiato = true;
    }
    if (!cambiato) {
        return {};
    }
    if (const int errore = ScriviIntero(nome_, Codifica()); errore != 0) {
        if (!attivo_) {
            voci_.clear();
        } else if (daTenere > 0 && !giaTenuto) {
            voci_.pop_back();
        }
        return ErroreDiSistema(
            errore, QStringLiteral("Impossibile scrivere il diario di sicurezza del file"),
            percorsoElenco);
    }
    attivo_ = true;
    return {};
}

void DiarioScritture::Conferma() {
    if (attivo_) {
        ::unlink(NomeDiSistema(nome_).constData());
        attivo_ = false;
        voci_.clear();
    }
}

QByteArray DiarioScritture::Codifica() const {
    QByteArray byte;
    QDataStream flusso(&byte, QIODevice::WriteOnly);
    flusso << QByteArray(kIntestazione) << dispositivo_ << inode_
           << static_cast<qint64>(lunghezzaOriginale_) << static_cast<qint32>(voci_.size());
    for (const Voce& voce : voci_) {
        flusso << static_cast<qint64>(voce.offset) << voce.byte;
    }
    flusso << QByteArray(kFine);
    return byte;
}

Result<void> DiarioScritture::Ripristina(FileSystem& fs, int fd, const QString& percorsoElenco) {
    RimuoviPrivatiAbbandonati();
    QFile file(nome_);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};  // no journal: the list was left whole
    }
    const std::optional<Contenuto> contenuto = Decodifica(file.readAll());
    file.close();
    const Identita aperto = IdentitaDi(fd);
    if (contenuto && contenuto->file.dispositivo == aperto.dispositivo &&
        contenuto->file.inode == aperto.inode) {
        for (const auto& [offset, byte] : contenuto->voci) {
            const ssize_t scritti =
                fs.writeAt(fd, byte.constData(), byte.size(), static_cast<off_t>(offset));
            if (scritti != byte.size()) {
                return ErroreRipristino(scritti < 0 ? errno : EIO, percorsoElenco);
            }
        }
        if (fs.truncate(fd, static_cast<off_t>(contenuto->lunghezza)) != 0 || fs.flush(fd) != 0) {
            return ErroreRipristino(errno, percorsoElenco);
        }
    }
    ::unlink(NomeDiSistema(nome_).constData());
    return {};
}

void DiarioScritture::RimuoviPrivatiAbbandonati() const {
    const QFileInfo diario(nome_);
    const QString prefisso = diario.fileName() + QLatin1Char('.');
    QDir cartella = diario.absoluteDir();
    for (const QString& nome :
         cartella.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (nome.startsWith(prefisso)) {
            cartella.remove(nome);
        }
    }
}

QString DiarioScritture::NomePerBlocco(const QString& nomeBlocco) {
    return nomeBlocco + QStringLiteral(".diario");
}
