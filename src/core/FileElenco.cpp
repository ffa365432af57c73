#include "FileElenco.h"

#include "Arrotondamento.h"
#include "ErroreDiSistema.h"
#include "StrumentiArchivio.h"

#include <algorithm>
#include <cerrno>

namespace {

bool handleValido(int handle) {
    return handle >= FileElenco::kPrimoHandle && handle <= FileElenco::kUltimoHandle;
}

Error erroreHandleNonValido(int handle) {
    return Error::refusal(QStringLiteral("Il numero di file %1 non è valido: sono ammessi i numeri "
                                         "da %2 a %3.")
                              .arg(handle)
                              .arg(FileElenco::kPrimoHandle)
                              .arg(FileElenco::kUltimoHandle));
}

// Records read in one call while scanning a list.
constexpr std::int32_t kRecordPerLettura = 256;

// What goes between the last whole record of a file and a record written
// past its end: the cut last record completed, if there is one, then blank
// records up to that many bytes.
QByteArray riempimentoFinoA(std::int64_t byte, const QByteArray& ultimoTroncato) {
    QByteArray riempimento;
    if (!ultimoTroncato.isEmpty()) {
        riempimento = CompletaRecord(ultimoTroncato.constData(), ultimoTroncato.size());
    }
    return riempimento + RecordVuoto().repeated((byte - riempimento.size()) / kLunghezzaRecord);
}

// Bytes handed to a write that are not the records it expects.
Error erroreNonIntere(const QString& percorso, qsizetype byte) {
    return Error::refusal(
        QStringLiteral("Impossibile scrivere nel file \"%1\": %2 byte non corrispondono "
                       "a domande da %3 byte.")
            .arg(percorso)
            .arg(byte)
            .arg(kLunghezzaRecord));
}

}  // namespace

FileElenco::FileElenco(FileSystem& fileSystem) : fs_(fileSystem), blocchi_(fileSystem) {}

FileElenco::~FileElenco() {
    ChiudiTutti();
}

Result<void> FileElenco::ApriElenco(const QString& percorso, int handle, Subentro subentro) {
    if (!handleValido(handle)) {
        return erroreHandleNonValido(handle);
    }
    Slot& slot = slots_[handle - 1];
    if (slot.fd >= 0) {
        return Error::refusal(
            QStringLiteral("Il numero di file %1 è già in uso per il file \"%2\".")
                .arg(handle)
                .arg(slot.percorso));
    }
    const Result<BloccoElenchi::Presa> presa = blocchi_.Acquisisci(percorso, subentro);
    if (!presa) {
        return presa.error();
    }
    Slot aperto{fs_.openReadWrite(NomeDiSistema(percorso)), percorso, presa->chiave, {}, {}};
    const auto fallito = [&](Error errore) {
        if (aperto.fd >= 0) {
            fs_.close(aperto.fd);
        }
        blocchi_.Rilascia(presa->chiave);
        return errore;
    };
    if (aperto.fd < 0 || fs_.identify(aperto.fd, aperto.identita) != 0) {
        return fallito(
            ErroreDiSistema(errno, QStringLiteral("Impossibile aprire il file"), percorso));
    }
    // A copy that died while writing this list left its journal behind.
    if (DiarioScritture* diario = blocchi_.Diario(presa->chiave); diario && presa->nuova) {
        Result<QString> ripristinato = diario->Ripristina(aperto.fd);
        if (!ripristinato) {
            return fallito(ripristinato.error());
        }
        aperto.avviso = std::move(ripristinato).value();
    }
    slot = std::move(aperto);
    return {};
}

QString FileElenco::AvvisoApertura(int handle) const {
    return Aperto(handle) ? slots_[handle - 1].avviso : QString();
}

Result<std::int16_t> FileElenco::ContaDomande(int handle) const {
    const Result<std::int64_t> lunghezza = LunghezzaFile(handle);
    if (!lunghezza) {
        return lunghezza.error();
    }
    const double domande = ArrotondaPari(static_cast<double>(*lunghezza) / kLunghezzaRecord);
    if (domande > kMassimoDomande) {
        return Error::refusal(
            QStringLiteral("Il file \"%1\" è troppo grande: un elenco può contenere al "
                           "massimo %2 domande.")
                .arg(Percorso(handle))
                .arg(kMassimoDomande));
    }
    return static_cast<std::int16_t>(domande);
}

Result<std::int64_t> FileElenco::LunghezzaFile(int handle) const {
    const Result<const Slot*> slot = slotAperto(handle);
    if (!slot) {
        return slot.error();
    }
    const off_t lunghezza = fs_.size((*slot)->fd);
    if (lunghezza < 0) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile leggere la lunghezza del file"),
                               (*slot)->percorso);
    }
    return static_cast<std::int64_t>(lunghezza);
}

Result<DatiDomanda> FileElenco::LeggiDomanda(int handle, std::int32_t nRecord) const {
    const Result<const Slot*> slot = slotAperto(handle);
    if (!slot) {
        return slot.error();
    }
    char record[kLunghezzaRecord];
    const Result<std::size_t> letti = leggiByte(**slot, nRecord, record, kLunghezzaRecord);
    if (!letti) {
        return letti.error();
    }
    return DecodificaDomanda(record, *letti);
}

Result<QByteArray> FileElenco::LeggiRecord(int handle, std::int32_t nRecord) const {
    return LeggiRecords(handle, nRecord, 1);
}

Result<QByteArray> FileElenco::LeggiRecords(int handle, std::int32_t primo,
                                            std::int32_t quanti) const {
    const Result<const Slot*> slot = slotAperto(handle);
    if (!slot) {
        return slot.error();
    }
    QByteArray blocco(static_cast<qsizetype>(std::max(quanti, 1)) * kLunghezzaRecord,
                      Qt::Uninitialized);
    const Result<std::size_t> letti = leggiByte(**slot, primo, blocco.data(), blocco.size());
    if (!letti) {
        return letti.error();
    }
    const auto interi = static_cast<qsizetype>(*letti / kLunghezzaRecord) * kLunghezzaRecord;
    const auto resto = static_cast<std::size_t>(*letti % kLunghezzaRecord);
    if (resto > 0) {
        const QByteArray ultimo = CompletaRecord(blocco.constData() + interi, resto);
        blocco.truncate(interi);
        return blocco + ultimo;
    }
    blocco.truncate(interi);
    return blocco;
}

Result<void> FileElenco::ScriviDomanda(int handle, std::int32_t nRecord,
                                       const DatiDomanda& domanda) {
    return ScriviRecord(handle, nRecord, CodificaDomanda(domanda));
}

Result<void> FileElenco::ScriviRecord(int handle, std::int32_t nRecord, const QByteArray& record,
                                      Flush flush) {
    if (record.size() != kLunghezzaRecord && Aperto(handle)) {
        return erroreNonIntere(Percorso(handle), record.size());
    }
    return ScriviRecords(handle, nRecord, record, flush);
}

Result<void> FileElenco::ScriviRecords(int handle, std::int32_t primo, const QByteArray& records,
                                       Flush flush) {
    const Result<const Slot*> slot = slotAperto(handle);
    if (!slot) {
        return slot.error();
    }
    if (records.isEmpty() || records.size() % kLunghezzaRecord != 0) {
        return erroreNonIntere((*slot)->percorso, records.size());
    }
    return scrivi(**slot, primo, records, flush);
}

Result<void> FileElenco::Sincronizza(int handle) {
    const Result<const Slot*> slot = slotAperto(handle);
    if (!slot) {
        return slot.error();
    }
    return rendiDurevole(**slot);
}

Result<void> FileElenco::Tronca(int handle, std::int64_t lunghezza) {
    const Result<const Slot*> slot = slotAperto(handle);
    if (!slot) {
        return slot.error();
    }
    if (lunghezza < 0) {
        return Error::refusal(QStringLiteral("Lunghezza non valida: %1 byte.").arg(lunghezza));
    }
    if (fs_.truncate((*slot)->fd, static_cast<off_t>(lunghezza)) != 0) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile accorciare il file"),
                               (*slot)->percorso);
    }
    return {};
}

void FileElenco::ChiudiElenco(int handle) {
    if (!Aperto(handle)) {
        return;
    }
    Slot& slot = slots_[handle - 1];
    // A batch left unflushed is made to stand now; if that fails, its
    // journal stays and undoes it at the next opening.
    if (const DiarioScritture* aperto = diario(slot); aperto && aperto->Attivo()) {
        (void)rendiDurevole(slot);
    }
    fs_.close(slot.fd);
    blocchi_.Rilascia(slot.chiaveBlocco);
    slot = Slot{};
}

void FileElenco::ChiudiTutti() {
    for (int handle = kPrimoHandle; handle <= kUltimoHandle; ++handle) {
        ChiudiElenco(handle);
    }
}

bool FileElenco::Aperto(int handle) const {
    return handleValido(handle) && slots_[handle - 1].fd >= 0;
}

QString FileElenco::Percorso(int handle) const {
    return handleValido(handle) ? slots_[handle - 1].percorso : QString();
}

Result<void> FileElenco::LeggiABlocchi(int handle, std::int32_t primo, std::int32_t ultimo,
                                       const PerBlocco& perBlocco) const {
    for (std::int32_t inizio = primo; inizio <= ultimo; inizio += kRecordPerLettura) {
        const Result<QByteArray> blocco =
            LeggiRecords(handle, inizio, std::min(kRecordPerLettura, ultimo - inizio + 1));
        if (!blocco) {
            return blocco.error();
        }
        if (!perBlocco(inizio, *blocco) || blocco->size() < kRecordPerLettura * kLunghezzaRecord) {
            break;
        }
    }
    return {};
}

Error FileElenco::DomandaInesistente(std::int32_t nRecord, const QString& percorso) {
    return Error::refusal(
        QStringLiteral("La domanda n. %1 non esiste nel file \"%2\".").arg(nRecord).arg(percorso));
}

Result<const FileElenco::Slot*> FileElenco::slotAperto(int handle) const {
    if (!handleValido(handle)) {
        return erroreHandleNonValido(handle);
    }
    if (!Aperto(handle)) {
        return Error::refusal(
            QStringLiteral("Nessun elenco è aperto con il numero di file %1.").arg(handle));
    }
    return &slots_[handle - 1];
}

Result<std::size_t> FileElenco::leggiByte(const Slot& slot, std::int32_t nRecord,
                                          char* destinazione, std::size_t quanti) const {
    if (nRecord < 1) {
        return DomandaInesistente(nRecord, slot.percorso);
    }
    const std::int64_t offset = OffsetDelRecord(nRecord);
    std::size_t letti = 0;
    while (letti < quanti) {
        const ssize_t esito = fs_.readAt(slot.fd, destinazione + letti, quanti - letti,
                                         static_cast<off_t>(offset + letti));
        if (esito < 0) {
            return ErroreDiSistema(errno, QStringLiteral("Impossibile leggere dal file"),
                                   slot.percorso);
        }
        if (esito == 0) {
            break;
        }
        letti += static_cast<std::size_t>(esito);
    }
    if (letti == 0) {
        return DomandaInesistente(nRecord, slot.percorso);
    }
    return letti;
}

Result<void> FileElenco::scrivi(const Slot& slot, std::int32_t nRecord, const QByteArray& record,
                                Flush flush) {
    const Result<Piano> piano = pianifica(slot, nRecord, record);
    if (!piano) {
        return piano.error();
    }
    if (Result<void> annotato = annota(slot, *piano); !annotato) {
        return annotato;
    }
    if (Result<void> scritto = scriviPiano(slot, *piano); !scritto) {
        return annulla(slot, *piano, flush, scritto.error());
    }
    if (flush == Flush::Subito) {
        if (Result<void> durevole = rendiDurevole(slot); !durevole) {
            return annulla(slot, *piano, flush, durevole.error());
        }
    }
    return {};
}

Result<FileElenco::Piano> FileElenco::pianifica(const Slot& slot, std::int32_t nRecord,
                                                const QByteArray& record) {
    const std::int64_t ultimo = nRecord + record.size() / kLunghezzaRecord - 1;
    if (nRecord < 1 || ultimo > kMassimoDomande) {
        return Error::refusal(
            QStringLiteral("Impossibile scrivere la domanda n. %1 nel file \"%2\": un "
                           "elenco può contenere al massimo %3 domande.")
                .arg(nRecord < 1 ? std::int64_t{nRecord} : ultimo)
                .arg(slot.percorso)
                .arg(kMassimoDomande));
    }
    if (Result<void> alPosto = alSuoPosto(slot); !alPosto) {
        return alPosto.error();
    }
    const off_t lunghezza = fs_.size(slot.fd);
    if (lunghezza < 0) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile scrivere nel file"),
                               slot.percorso);
    }
    const std::int64_t offset = OffsetDelRecord(nRecord);
    // A record past the end starts its write at the last whole record: a cut
    // last record is completed as it reads, then blank records fill the gap,
    // all in the same write.
    Piano piano{
        lunghezza, offset <= lunghezza ? offset : lunghezza - lunghezza % kLunghezzaRecord, {}, {}};
    piano.sovrascritti = QByteArray(
        std::min(piano.lunghezza - piano.inizio, std::int64_t{record.size()}), Qt::Uninitialized);
    if (!piano.sovrascritti.isEmpty()) {
        const ssize_t letti =
            fs_.readAt(slot.fd, piano.sovrascritti.data(), piano.sovrascritti.size(), piano.inizio);
        if (letti != piano.sovrascritti.size()) {
            return ErroreDiSistema(letti < 0 ? errno : EIO,
                                   QStringLiteral("Impossibile leggere dal file"), slot.percorso);
        }
    }
    piano.daScrivere = offset <= lunghezza
                           ? record
                           : riempimentoFinoA(offset - piano.inizio, piano.sovrascritti) + record;
    return piano;
}

Result<void> FileElenco::annota(const Slot& slot, const Piano& piano) {
    DiarioScritture* aperto = diario(slot);
    return aperto
               ? aperto->Annota(piano.lunghezza, piano.inizio, piano.sovrascritti, piano.daScrivere)
               : Result<void>();
}

Result<void> FileElenco::scriviPiano(const Slot& slot, const Piano& piano) {
    const QString scrivere = QStringLiteral("Impossibile scrivere nel file");
    const ssize_t scritti =
        fs_.writeAt(slot.fd, piano.daScrivere.constData(), piano.daScrivere.size(), piano.inizio);
    if (scritti < 0) {
        return ErroreDiSistema(errno, scrivere, slot.percorso);
    }
    if (scritti != piano.daScrivere.size()) {
        return Error::system(
            EIO, QStringLiteral("%1 \"%2\": scritti solo %3 byte su %4 (il disco potrebbe "
                                "essere pieno).")
                     .arg(scrivere, slot.percorso)
                     .arg(scritti)
                     .arg(piano.daScrivere.size()));
    }
    return {};
}

Result<void> FileElenco::rendiDurevole(const Slot& slot) {
    if (fs_.flush(slot.fd) != 0) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile salvare sul disco il file"),
                               slot.percorso);
    }
    DiarioScritture* aperto = diario(slot);
    return aperto ? aperto->Conferma() : Result<void>();
}

Error FileElenco::annulla(const Slot& slot, const Piano& piano, Flush flush, Error errore) {
    bool rimesso = piano.sovrascritti.isEmpty() ||
                   ScriviTutto(fs_, slot.fd, piano.sovrascritti, piano.inizio) == 0;
    rimesso = rimesso &&
              (fs_.size(slot.fd) == piano.lunghezza || fs_.truncate(slot.fd, piano.lunghezza) == 0);
    DiarioScritture* aperto = diario(slot);
    if (!rimesso && aperto) {
        aperto->Trattieni();  // only the journal can put the list back now
    } else if (rimesso && flush == Flush::Subito) {
        // Within a batch the journal stays until the batch is flushed or undone.
        (void)rendiDurevole(slot);
    }
    return errore;
}

Result<void> FileElenco::alSuoPosto(const Slot& slot) const {
    FileIdentity ora;
    if (fs_.identifyPath(NomeDiSistema(slot.percorso), ora) != 0 && errno != ENOENT) {
        return ErroreDiSistema(errno, QStringLiteral("Impossibile scrivere nel file"),
                               slot.percorso);
    }
    if (!ora.sameFile(slot.identita)) {
        return Error::system(
            ENOENT, QStringLiteral("Impossibile scrivere nel file \"%1\": il file è stato "
                                   "cancellato, spostato o sostituito mentre era aperto; non è "
                                   "stato scritto nulla.")
                        .arg(slot.percorso));
    }
    return {};
}
