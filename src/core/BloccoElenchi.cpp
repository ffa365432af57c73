#include "BloccoElenchi.h"

#include "ErroreDiSistema.h"
#include "StrumentiArchivio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

BloccoElenchi::BloccoElenchi(FileSystem& fs) : fs_(fs) {}

BloccoElenchi::~BloccoElenchi() = default;

Result<QString> BloccoElenchi::FileDaBloccare(const QString& percorso) {
    FileIdentity identita;
    const bool esiste = fs_.identifyPath(NomeDiSistema(percorso), identita) == 0;
    if (esiste && !identita.regular) {
        return QString();
    }
    // A list not there yet is named by its folder's canonical path.
    const std::string canonico =
        fs_.canonicalPath(NomeDiSistema(esiste ? percorso : CartellaDi(percorso)));
    if (canonico.empty()) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile aprire il file"), percorso);
    }
    const QString trovato = QFile::decodeName(canonico.c_str());
    return esiste ? trovato : QDir(trovato).filePath(QFileInfo(percorso).fileName());
}

Result<BloccoElenchi::Presa> BloccoElenchi::Acquisisci(const QString& percorso, Subentro subentro) {
    const Result<QString> chiave = FileDaBloccare(percorso);
    if (!chiave) {
        return chiave.error();
    }
    if (chiave->isEmpty()) {
        return Presa{};
    }
    if (auto esistente = blocchi_.find(*chiave); esistente != blocchi_.end()) {
        ++esistente->second.utenti;
        return Presa{*chiave, false};
    }
    // The lock and the journal are read by whoever shares the list, and
    // written by their maker only.
    FileIdentity elenco;
    const mode_t permessi =
        fs_.identifyPath(NomeDiSistema(*chiave), elenco) == 0 ? elenco.mode & 0640 : 0640;
    const QString nomeBlocco = NomeFileBlocco(*chiave);
    Result<std::unique_ptr<FileDiBlocco>> blocco =
        FileDiBlocco::Prendi(fs_, nomeBlocco, percorso, permessi, subentro);
    if (!blocco) {
        return blocco.error();
    }
    auto diario = std::make_unique<DiarioScritture>(fs_, nomeBlocco + QStringLiteral(".diario"),
                                                    percorso, permessi);
    blocchi_.emplace(*chiave, Blocco{std::move(blocco).value(), std::move(diario), 1});
    return Presa{*chiave, true};
}

void BloccoElenchi::Rilascia(const QString& chiave) {
    auto blocco = blocchi_.find(chiave);
    if (blocco != blocchi_.end() && --blocco->second.utenti == 0) {
        blocchi_.erase(blocco);
    }
}

DiarioScritture* BloccoElenchi::Diario(const QString& chiave) {
    const auto blocco = blocchi_.find(chiave);
    return blocco == blocchi_.end() ? nullptr : blocco->second.diario.get();
}

QString BloccoElenchi::NomeFileBlocco(const QString& percorso) {
    const QFileInfo info(percorso);
    return info.dir().filePath(QStringLiteral(".~lock.%1#").arg(info.fileName()));
}
