#include "UnioneElenchi.h"

#include "BloccoElenchi.h"
#include "DatiDomanda.h"
#include "ErroreDiSistema.h"
#include "FileTemporaneo.h"
#include "StrumentiArchivio.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {

// Copies records 1..quante of `sorgente` to `destinazione`, record i going
// to number primoNumero + i - 1, leaving the flush to the caller.
Result<void> copiaRecord(FileElenco& elenco, int sorgente, std::int16_t quante, int destinazione,
                         std::int32_t primoNumero) {
    std::int32_t copiate = 0;
    Result<void> scritto;
    const Result<void> letto = elenco.LeggiABlocchi(
        sorgente, 1, quante, [&](std::int32_t primo, const QByteArray& records) {
            scritto = elenco.ScriviRecords(destinazione, primoNumero + primo - 1, records,
                                           FileElenco::Flush::Differito);
            copiate += static_cast<std::int32_t>(records.size() / kLunghezzaRecord);
            return scritto.ok();
        });
    if (!letto || !scritto) {
        return letto ? scritto : letto;
    }
    if (copiate < quante) {
        return FileElenco::DomandaInesistente(copiate + 1, elenco.Percorso(sorgente));
    }
    return {};
}

// The error with a further line for the operator.
Error conAggiunta(Error errore, const QString& riga) {
    errore.message += QLatin1Char('\n') + riga;
    return errore;
}

// Puts list 1 back as it was: its former length and, when the first copied
// record overwrote a cut last record, that record's bytes.
Result<void> ripristinaPrimo(FileElenco& elenco, std::int64_t lunghezza, std::int32_t primoNumero,
                             const std::optional<QByteArray>& recordSovrascritto) {
    Result<void> esito = elenco.Tronca(kHandlePrimo, lunghezza);
    if (esito && recordSovrascritto) {
        esito = elenco.ScriviRecord(kHandlePrimo, primoNumero, *recordSovrascritto,
                                    FileElenco::Flush::Differito);
        if (esito) {
            esito = elenco.Tronca(kHandlePrimo, lunghezza);
        }
    }
    if (esito) {
        esito = elenco.Sincronizza(kHandlePrimo);
    }
    return esito;
}

// What the operator reads after a merge that failed before its rename.
Error unioneFallita(FileSystem& fs, Error errore, const QString& temporaneo, const QString& nuovo,
                    bool esisteva) {
    errore.message.replace(temporaneo, nuovo);
    errore = conAggiunta(std::move(errore),
                         esisteva ? QStringLiteral("Il file \"%1\" è rimasto com'era.").arg(nuovo)
                                  : QStringLiteral("Il nuovo elenco non è stato creato."));
    const Result<void> eliminato = EliminaFile(fs, temporaneo);
    if (!eliminato) {
        errore = conAggiunta(std::move(errore), eliminato.error().message);
    }
    return errore;
}

Result<void> copiaNelNuovo(FileElenco& elenco, const PianoCopia& piano) {
    Result<void> esito = copiaRecord(elenco, kHandlePrimo, piano.domandePrimo, kHandleNuovo, 1);
    if (esito) {
        esito = copiaRecord(elenco, kHandleSecondo, piano.domandeSecondo, kHandleNuovo,
                            piano.numeroNelRisultato(1));
    }
    if (esito) {
        esito = elenco.Sincronizza(kHandleNuovo);
    }
    return esito;
}

}  // namespace

Result<PianoCopia> PianificaDaElenchi(const FileElenco& elenco, TipoCopia tipo) {
    const Result<std::int64_t> primo = elenco.LunghezzaFile(kHandlePrimo);
    if (!primo) {
        return primo.error();
    }
    const Result<std::int64_t> secondo = elenco.LunghezzaFile(kHandleSecondo);
    if (!secondo) {
        return secondo.error();
    }
    return PianificaCopia(tipo, *primo, *secondo);
}

Result<void> AggiungiElenco(FileElenco& elenco, const PianoCopia& piano) {
    const Result<std::int64_t> lunghezza = elenco.LunghezzaFile(kHandlePrimo);
    if (!lunghezza) {
        return lunghezza.error();
    }
    const std::int32_t primoNumero = piano.numeroNelRisultato(1);
    std::optional<QByteArray> recordSovrascritto;
    if (piano.domandeSecondo > 0 && OffsetDelRecord(primoNumero) < *lunghezza) {
        Result<QByteArray> letto = elenco.LeggiRecord(kHandlePrimo, primoNumero);
        if (!letto) {
            return conAggiunta(
                letto.error(),
                QStringLiteral(
                    "L'elenco n. 1 è rimasto com'era: non è stata aggiunta nessuna domanda."));
        }
        recordSovrascritto = std::move(letto).value();
    }

    Result<void> esito =
        copiaRecord(elenco, kHandleSecondo, piano.domandeSecondo, kHandlePrimo, primoNumero);
    if (esito) {
        esito = elenco.Sincronizza(kHandlePrimo);
    }
    if (esito) {
        return {};
    }
    const Result<void> ripristino =
        ripristinaPrimo(elenco, *lunghezza, primoNumero, recordSovrascritto);
    if (ripristino) {
        return conAggiunta(esito.error(),
                           QStringLiteral("L'elenco n. 1 è stato riportato com'era: non è stata "
                                          "aggiunta nessuna domanda."));
    }
    return conAggiunta(esito.error(),
                       QStringLiteral("ATTENZIONE: non è stato possibile riportare l'elenco n. 1 "
                                      "com'era. %1")
                           .arg(ripristino.error().message));
}

Result<std::int64_t> EsaminaNuovoElenco(const FileElenco& elenco, const QString& nuovo) {
    const QString assoluto = QDir::cleanPath(QFileInfo(nuovo).absoluteFilePath());
    for (const int handle : {kHandlePrimo, kHandleSecondo}) {
        const QString sorgente = elenco.Percorso(handle);
        if (elenco.Aperto(handle) &&
            (StessoFile(elenco.fileSystem(), sorgente, nuovo) ||
             QDir::cleanPath(QFileInfo(sorgente).absoluteFilePath()) == assoluto)) {
            return Error::refusal(
                QStringLiteral("Il nuovo elenco deve essere un file diverso dai due "
                               "elenchi da unire: \"%1\" è l'elenco n. %2.")
                    .arg(nuovo)
                    .arg(handle));
        }
    }
    FileSystem& fs = elenco.fileSystem();
    FileIdentity esistente;
    if (fs.identifyPath(NomeDiSistema(nuovo), esistente) != 0) {
        if (errno == ENOENT) {
            return std::int64_t{0};
        }
        return ErroreDiSistema(errno, QStringLiteral("Impossibile leggere il file"), nuovo);
    }
    if (!esistente.regular) {
        return Error::refusal(
            QStringLiteral("\"%1\" non è un file: scegliere un altro nome per il nuovo "
                           "elenco.")
                .arg(nuovo));
    }
    const int fd = fs.openForReading(NomeDiSistema(nuovo));
    const off_t lunghezza = fd >= 0 ? fs.size(fd) : -1;
    const int errore = errno;
    if (fd >= 0) {
        fs.close(fd);
    }
    if (lunghezza < 0) {
        return ErroreDiSistema(errore, QStringLiteral("Impossibile leggere il file"), nuovo);
    }
    return static_cast<std::int64_t>(lunghezza);
}

Result<void> CreaUnione(FileElenco& elenco, const QString& nuovo, const PianoCopia& piano,
                        Subentro subentro) {
    FileSystem& fs = elenco.fileSystem();
    // A list of that name that another running copy holds open is not
    // replaced under its feet; the lock also keeps others off it meanwhile,
    // so any temporary file of it found now was left by a copy that died.
    BloccoElenchi bloccoNuovo(fs);
    if (const Result<BloccoElenchi::Presa> bloccato = bloccoNuovo.Acquisisci(nuovo, subentro);
        !bloccato) {
        return bloccato.error();
    }
    RimuoviTemporaneiAbbandonati(fs, nuovo);
    FileIdentity esistente;
    const bool esisteva = fs.identifyPath(NomeDiSistema(nuovo), esistente) == 0;
    elenco.ChiudiElenco(kHandleNuovo);
    const QString temporaneo = NomeTemporaneo(fs, nuovo);
    const Result<void> aperto = elenco.ApriElenco(temporaneo, kHandleNuovo);
    if (!aperto) {
        return unioneFallita(fs, aperto.error(), temporaneo, nuovo, esisteva);
    }
    Result<void> pronto = copiaNelNuovo(elenco, piano);
    elenco.ChiudiElenco(kHandleNuovo);
    if (pronto) {
        pronto = CopiaPermessi(fs, temporaneo, nuovo);
    }
    if (pronto) {
        pronto = MettiAlPosto(fs, temporaneo, nuovo);
    }
    if (!pronto) {
        return unioneFallita(fs, pronto.error(), temporaneo, nuovo, esisteva);
    }
    const Result<void> cartella = SincronizzaCartellaDi(fs, nuovo);
    if (!cartella) {
        return conAggiunta(cartella.error(),
                           QStringLiteral("Il nuovo elenco \"%1\" è stato scritto per intero, ma "
                                          "il sistema non ha confermato di averne salvato il "
                                          "nome sul disco.")
                               .arg(nuovo));
    }
    return {};
}
