#include "FileTemporaneo.h"

#include "ErroreDiSistema.h"
#include "StrumentiArchivio.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>

// A 64-bit number in base 36 takes at most 13 digits.
constexpr int kCifreCasuali = 13;

QString NomeTemporaneo(FileSystem& fs, const QString& percorso) {
    QString nome;
    FileIdentity esistente;
    do {
        const quint64 casuale = QRandomGenerator::global()->generate64();
        const QString cifre = QString::number(casuale, 36).rightJustified(kCifreCasuali, u'0');
        nome = QStringLiteral("%1.unione-%2.tmp").arg(percorso, cifre);
    } while (fs.identifyPath(NomeDiSistema(nome), esistente) == 0);
    return nome;
}

void RimuoviTemporaneiAbbandonati(FileSystem& fs, const QString& percorso) {
    const QString cartella = CartellaDi(percorso);
    std::vector<std::string> nomi;
    if (fs.listFolder(NomeDiSistema(cartella), nomi) != 0) {
        return;
    }
    const QRegularExpression temporaneo(
        QStringLiteral("^(\\.~lock\\.)?%1\\.unione-[0-9a-z]{%2}\\.tmp(#|#\\.diario)?$")
            .arg(QRegularExpression::escape(QFileInfo(percorso).fileName()),
                 QString::number(kCifreCasuali)));
    for (const std::string& nome : nomi) {
        if (temporaneo.match(QFile::decodeName(nome.c_str())).hasMatch()) {
            fs.unlink(NomeDiSistema(cartella) + '/' + nome);
        }
    }
}

Result<void> CopiaPermessi(FileSystem& fs, const QString& temporaneo, const QString& percorso) {
    FileIdentity sostituito;
    int errore = fs.identifyPath(NomeDiSistema(percorso), sostituito) == 0 ? 0 : errno;
    if (errore == ENOENT) {
        return {};  // nothing is replaced
    }
    if (errore == 0) {
        const int fd = fs.openForReading(NomeDiSistema(temporaneo));
        errore = fd < 0 || fs.changeMode(fd, sostituito.mode) != 0 ? errno : 0;
        if (fd >= 0) {
            fs.close(fd);
        }
    }
    if (errore != 0) {
        return ErroreDiSistema(errore, QStringLiteral("Impossibile impostare i permessi del file"),
                               percorso);
    }
    return {};
}

Result<void> MettiAlPosto(FileSystem& fs, const QString& temporaneo, const QString& percorso) {
    if (fs.rename(NomeDiSistema(temporaneo), NomeDiSistema(percorso)) != 0) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile salvare il file"), percorso);
    }
    return {};
}

Result<void> SincronizzaCartellaDi(FileSystem& fs, const QString& percorso) {
    if (fs.syncFolder(NomeDiSistema(CartellaDi(percorso))) != 0) {
        return ErroreDiSistema(
            errno, QStringLiteral("Impossibile salvare sul disco la cartella del file"), percorso);
    }
    return {};
}

Result<void> EliminaFile(FileSystem& fs, const QString& percorso) {
    if (fs.unlink(NomeDiSistema(percorso)) != 0 && errno != ENOENT) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile eliminare il file"), percorso);
    }
    return {};
}

bool StessoFile(FileSystem& fs, const QString& primo, const QString& secondo) {
    FileIdentity a;
    FileIdentity b;
    return fs.identifyPath(NomeDiSistema(primo), a) == 0 &&
           fs.identifyPath(NomeDiSistema(secondo), b) == 0 && a.sameFile(b);
}
