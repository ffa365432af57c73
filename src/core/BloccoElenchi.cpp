#include "BloccoElenchi.h"

#include "ErroreDiSistema.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <optional>

namespace {

// The file the lock is about, the same for every spelling of its path; an
// empty text for a path that is no regular file, nothing when its folder
// does not exist.
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

}  // namespace

BloccoElenchi::BloccoElenchi() = default;

BloccoElenchi::~BloccoElenchi() = default;

Result<BloccoElenchi::Presa> BloccoElenchi::Acquisisci(const QString& percorso) {
    const std::optional<QString> chiave = FileDaBloccare(percorso);
    if (!chiave) {
        return ErroreDiSistema(ENOENT, QStringLiteral("Impossibile aprire il file"), percorso);
    }
    if (chiave->isEmpty()) {
        return Presa{};
    }
    if (auto esistente = blocchi_.find(*chiave); esistente != blocchi_.end()) {
        ++esistente->second.utenti;
        return Presa{*chiave, false};
    }
    const QString nomeBlocco = NomeFileBlocco(*chiave);
    Result<std::unique_ptr<FileDiBlocco>> blocco = FileDiBlocco::Prendi(nomeBlocco, percorso);
    if (!blocco) {
        return blocco.error();
    }
    blocchi_.emplace(*chiave,
                     Blocco{std::move(blocco).value(),
                            DiarioScritture(DiarioScritture::NomePerBlocco(nomeBlocco)), 1});
    return Presa{*chiave, true};
}

void BloccoElenchi::Rilascia(const QString& chiave) {
    auto blocco = blocchi_.find(chiave);
    if (blocco == blocchi_.end()) {
        return;
    }
    if (--blocco->second.utenti == 0) {
        blocco->second.diario.Conferma();
        blocchi_.erase(blocco);
    }
}

DiarioScritture* BloccoElenchi::Diario(const QString& chiave) {
    const auto blocco = blocchi_.find(chiave);
    return blocco == blocchi_.end() ? nullptr : &blocco->second.diario;
}

QString BloccoElenchi::NomeFileBlocco(const QString& percorso) {
    const QFileInfo info(percorso);
    return info.dir().filePath(QStringLiteral(".~lock.%1#").arg(info.fileName()));
}
