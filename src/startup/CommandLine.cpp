#include "CommandLine.h"

#include "ErroreDiSistema.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace {

const QString kUso = QStringLiteral(
    "Uso: sovvenzia [OPZIONE] [ELENCO]\n"
    "Compila l'elenco delle famiglie che chiedono la sovvenzione per le spese\n"
    "di istruzione dei figli.\n"
    "\n"
    "Con ELENCO (un file di elenco, di solito con estensione .svz) il programma\n"
    "parte come sempre dalla presentazione; scegliendo \"Continua a scrivere un\n"
    "elenco\" la finestra Apri propone quel file.\n"
    "\n"
    "  --help     mostra questo aiuto ed esce\n"
    "  --version  mostra la versione ed esce\n");

StartRequest answer(int status, const QString& output, const QString& error = {}) {
    return {status, output, error, {}};
}

StartRequest refuse(const QString& problem) {
    return answer(2, {}, QStringLiteral("sovvenzia: %1\n\n").arg(problem) + kUso);
}

}  // namespace

StartRequest readCommandLine(const QStringList& arguments) {
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    QStringList lists;
    for (const QString& argument : arguments) {
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) ||
            argument == QLatin1String("-")) {
            lists << argument;
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--help")) {
            help = true;
        } else if (argument == QLatin1String("--version")) {
            version = true;
        } else {
            return refuse(QStringLiteral("opzione sconosciuta: %1").arg(argument));
        }
    }
    if (help) {
        return answer(0, kUso);
    }
    if (version) {
        return answer(0, QStringLiteral("sovvenzia " SOVVENZIA_VERSION "\n"));
    }
    if (lists.size() > 1) {
        return refuse(QStringLiteral("si può indicare un solo elenco"));
    }
    StartRequest start;
    if (!lists.isEmpty()) {
        start.elenco = QDir::cleanPath(QDir::current().absoluteFilePath(lists.constFirst()));
    }
    return start;
}

std::optional<Error> unusableList(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    int problem = 0;
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        problem = errno;
    } else if (S_ISDIR(info.st_mode)) {
        problem = EISDIR;
    } else if (!S_ISREG(info.st_mode)) {
        problem = ENODEV;
    } else if (::access(name.constData(), R_OK) != 0) {
        problem = errno;
    }
    if (problem == 0) {
        return std::nullopt;
    }
    return ErroreDiSistema(problem,
                           QStringLiteral("Impossibile aprire l'elenco indicato all'avvio"), path);
}
