#include "DiarioScritture.h"

#include "DatiDomanda.h"
#include "ErroreDiSistema.h"
#include "StrumentiArchivio.h"

#include <QDataStream>
#include <QDateTime>
#include <QIODevice>

#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <optional>

namespace {

constexpr char kIntestazione[] = "SOVVENZIA-DIARIO-4\n";
constexpr qsizetype kLunghezzaIntestazione = sizeof kIntestazione - 1;
// The byte after the heading: whether the journal holds writes.
constexpr char kPieno = '1';
constexpr char kVuoto = '0';
// Then where the entry lies, its length and its checksum, 8 bytes each: the
// head, which fits the first sector.
constexpr qint64 kLunghezzaPuntatore = 3 * 8;
constexpr qint64 kLunghezzaTesta = kLunghezzaIntestazione + 1 + kLunghezzaPuntatore;
// A journal keeps the few records a write replaces; anything this long is
// not one.
constexpr qint64 kLunghezzaMassima = 16 * 1024 * 1024;
// The unit a disk writes whole, or not at all, when the power goes.
constexpr std::int64_t kSettore = 512;

quint64 Impronta(const QByteArray& byte) {
    quint64 impronta = 14695981039346656037ull;
    for (const char c : byte) {
        impronta = (impronta ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return impronta;
}

// True when every sector of the range holds one of the expected images.
bool SettoriCoerenti(const QByteArray& trovati, std::int64_t inizio, const QByteArray& primo,
                     const QByteArray& secondo) {
    for (std::int64_t da = 0; da < trovati.size();) {
        const std::int64_t a = std::min<std::int64_t>(
            trovati.size(), ((inizio + da) / kSettore + 1) * kSettore - inizio);
        const QByteArray settore = trovati.mid(da, a - da);
        if (settore != primo.mid(da, a - da) && settore != secondo.mid(da, a - da)) {
            return false;
        }
        da = a;
    }
    return true;
}

// Writes the bytes at the offset and makes them durable; 0 or the errno.
int ScriviDurevole(FileSystem& fs, int fd, const QByteArray& byte, qint64 offset) {
    const int errore = ScriviTutto(fs, fd, byte, static_cast<off_t>(offset));
    return errore != 0 ? errore : fs.flush(fd) == 0 ? 0 : errno;
}

}  // namespace

// The journal's bytes: the head, and the entry that holds the writes.
struct CodificaDiario {
    static QByteArray Voce(const DiarioScritture::Contenuto& contenuto) {
        QByteArray byte;
        QDataStream flusso(&byte, QIODevice::WriteOnly);
        flusso << contenuto.lunghezza << contenuto.fine << quint32(contenuto.voci.size());
        for (const auto& voce : contenuto.voci) {
            flusso << voce.offset << voce.vecchi << voce.nuovi;
        }
        flusso << contenuto.coda;
        return byte;
    }

    static QByteArray Testa(qint64 dove, const QByteArray& voce) {
        QByteArray byte = QByteArray(kIntestazione) + kPieno;
        QDataStream flusso(&byte, QIODevice::Append);
        flusso << dove << qint64(voce.size()) << Impronta(voce);
        return byte;
    }

    // The writes of a journal whose head marks it full and points to an
    // entry that is whole.
    static std::optional<DiarioScritture::Contenuto> Decodifica(const QByteArray& byte) {
        QDataStream testa(byte.mid(kLunghezzaIntestazione + 1, kLunghezzaPuntatore));
        qint64 dove = 0;
        qint64 lunghezza = 0;
        quint64 impronta = 0;
        testa >> dove >> lunghezza >> impronta;
        if (!byte.startsWith(QByteArray(kIntestazione) + kPieno) ||
            testa.status() != QDataStream::Ok || dove < kLunghezzaTesta || lunghezza < 0 ||
            lunghezza > byte.size() - dove || Impronta(byte.mid(dove, lunghezza)) != impronta) {
            return std::nullopt;
        }
        QDataStream flusso(byte.mid(dove, lunghezza));
        DiarioScritture::Contenuto contenuto;
        quint32 quante = 0;
        flusso >> contenuto.lunghezza >> contenuto.fine >> quante;
        for (quint32 i = 0; i < quante && flusso.status() == QDataStream::Ok; ++i) {
            DiarioScritture::Voce voce;
            flusso >> voce.offset >> voce.vecchi >> voce.nuovi;
            contenuto.voci.push_back(std::move(voce));
        }
        flusso >> contenuto.coda;
        if (flusso.status() != QDataStream::Ok || !flusso.atEnd()) {
            return std::nullopt;
        }
        return contenuto;
    }
};

DiarioScritture::DiarioScritture(FileSystem& fs, QString nome, QString percorsoElenco,
                                 mode_t permessi)
    : fs_(fs),
      nome_(std::move(nome)),
      percorsoElenco_(std::move(percorsoElenco)),
      permessi_(permessi) {}

DiarioScritture::~DiarioScritture() {
    if (fd_ < 0) {
        return;
    }
    fs_.close(fd_);
    // A journal that still holds writes stays, to be played back.
    if (!attivo_) {
        fs_.unlink(NomeDiSistema(nome_));
    }
}

Result<void> DiarioScritture::Annota(std::int64_t lunghezza, std::int64_t inizio,
                                     const QByteArray& sovrascritti, const QByteArray& nuovi) {
    if (trattenuto_) {
        return Trattenuto();
    }
    const Contenuto prima = contenuto_;
    if (!attivo_) {
        contenuto_ = Contenuto{lunghezza, lunghezza, {}, {}};
    }
    bool cambiato = !attivo_;
    // Bytes that were in the list before the first annotated write are kept;
    // whatever lies past its former length goes with the length.
    const std::int64_t L = contenuto_.lunghezza;
    const auto dentro = std::clamp<std::int64_t>(L - inizio, 0, sovrascritti.size());
    if (dentro > 0) {
        auto voce = std::find_if(
            contenuto_.voci.begin(), contenuto_.voci.end(),
            [&](const Voce& v) { return v.offset == inizio && v.vecchi.size() == dentro; });
        if (voce == contenuto_.voci.end()) {
            contenuto_.voci.push_back(Voce{inizio, sovrascritti.left(dentro), nuovi.left(dentro)});
            cambiato = true;
        } else if (voce->nuovi != nuovi.left(dentro)) {
            voce->nuovi = nuovi.left(dentro);
            cambiato = true;
        }
    }
    const std::int64_t fine = inizio + nuovi.size();
    if (contenuto_.coda.isEmpty() && inizio <= L && fine > L) {
        contenuto_.coda = nuovi.mid(L - inizio, kLunghezzaRecord);
        cambiato = true;
    }
    if (fine > contenuto_.fine) {
        // Room for as much again, so that a long batch rewrites it seldom.
        contenuto_.fine = fine + (fine - L);
        cambiato = true;
    }
    if (!cambiato) {
        return {};
    }
    if (Result<void> registrato = Registra(); !registrato) {
        contenuto_ = prima;
        return registrato;
    }
    attivo_ = true;
    return {};
}

Result<void> DiarioScritture::Apri() {
    if (fd_ >= 0) {
        return {};
    }
    fd_ = fs_.createExclusive(NomeDiSistema(nome_), permessi_);
    if (fd_ < 0) {
        return Errore(errno, QStringLiteral("Impossibile creare il diario di sicurezza del file"));
    }
    // Marked empty before its name is made to outlive a power cut.
    int errore = ScriviDurevole(fs_, fd_, QByteArray(kIntestazione) + kVuoto, 0);
    if (errore == 0 && fs_.syncFolder(NomeDiSistema(CartellaDi(nome_))) != 0) {
        errore = errno;
    }
    if (errore != 0) {
        fs_.close(fd_);
        fs_.unlink(NomeDiSistema(nome_));
        fd_ = -1;
        return Errore(errore, QStringLiteral("Impossibile creare il diario di sicurezza del file"));
    }
    return {};
}

Result<void> DiarioScritture::Registra() {
    if (Result<void> aperto = Apri(); !aperto) {
        return aperto;
    }
    const QByteArray voce = CodificaDiario::Voce(contenuto_);
    const qint64 dove = fineVoci_ > 0 ? fineVoci_ : kLunghezzaTesta;
    fineVoci_ = dove + voce.size();
    int errore = ScriviDurevole(fs_, fd_, voce, dove);
    if (errore == 0) {
        errore = ScriviDurevole(fs_, fd_, CodificaDiario::Testa(dove, voce), 0);
    }
    if (errore != 0) {
        return Errore(errore,
                      QStringLiteral("Impossibile scrivere il diario di sicurezza del file"));
    }
    return {};
}

Result<void> DiarioScritture::Conferma() {
    if (!attivo_) {
        return {};
    }
    if (trattenuto_) {
        return Trattenuto();
    }
    if (const int errore = ScriviDurevole(fs_, fd_, QByteArray(1, kVuoto), kLunghezzaIntestazione);
        errore != 0) {
        return Errore(errore,
                      QStringLiteral("Impossibile aggiornare il diario di sicurezza del file"));
    }
    attivo_ = false;
    fineVoci_ = 0;
    contenuto_ = Contenuto{};
    return {};
}

Result<QString> DiarioScritture::Ripristina(int fd) {
    FilePiccolo letto;
    const int errore = LeggiPiccolo(fs_, nome_, kLunghezzaMassima, letto);
    if (errore == ENOENT) {
        return QString();
    }
    if (errore == ELOOP || errore == ENODEV || errore == EISDIR || errore == EFBIG) {
        return MettiDaParte(QStringLiteral("non è un diario di questo programma (%1)")
                                .arg(DescrizioneErrore(errore)),
                            std::nullopt);
    }
    if (errore != 0) {
        return Errore(errore,
                      QStringLiteral("Impossibile leggere il diario di sicurezza del file"));
    }
    FileIdentity elenco;
    if (fs_.identify(fd, elenco) != 0) {
        return Errore(errno, QStringLiteral("Impossibile aprire il file"));
    }
    const uid_t proprietario = letto.identita.owner;
    if (!Fidato(letto.identita, elenco)) {
        return MettiDaParte(QStringLiteral("appartiene a un utente che non può scrivere l'elenco"),
                            proprietario);
    }
    // Marked empty, or left empty by a copy that died creating it: nothing
    // to undo.
    if (letto.byte.isEmpty() || letto.byte.startsWith(QByteArray(kIntestazione) + kVuoto)) {
        fs_.unlink(NomeDiSistema(nome_));
        return QString();
    }
    const std::optional<Contenuto> contenuto = CodificaDiario::Decodifica(letto.byte);
    if (!contenuto) {
        return MettiDaParte(QStringLiteral("è danneggiato o non è un diario di questo programma"),
                            proprietario);
    }
    const off_t lunghezza = fs_.size(fd);
    if (lunghezza < 0) {
        return Errore(errno, QStringLiteral("Impossibile leggere la lunghezza del file"));
    }
    const Result<QString> motivo = Estraneo(*contenuto, fd, lunghezza);
    if (!motivo) {
        return motivo.error();
    }
    if (!motivo->isEmpty()) {
        return MettiDaParte(*motivo, proprietario);
    }
    if (Result<void> riportato = RiportaIndietro(*contenuto, fd); !riportato) {
        return riportato.error();
    }
    fs_.unlink(NomeDiSistema(nome_));
    return QString();
}

bool DiarioScritture::Fidato(const FileIdentity& diario, const FileIdentity& elenco) const {
    const bool delGruppo = diario.group == elenco.group && (elenco.mode & S_IWGRP) != 0;
    return (diario.mode & S_IWOTH) == 0 && ((diario.mode & S_IWGRP) == 0 || delGruppo) &&
           (diario.owner == fs_.effectiveUser() || diario.owner == elenco.owner || delGruppo);
}

Result<QString> DiarioScritture::Estraneo(const Contenuto& contenuto, int fd,
                                          std::int64_t lunghezza) const {
    const std::int64_t L = contenuto.lunghezza;
    const bool entro =
        L >= 0 && L <= lunghezza && lunghezza <= contenuto.fine &&
        contenuto.coda.size() <= kLunghezzaRecord &&
        std::all_of(contenuto.voci.begin(), contenuto.voci.end(), [&](const Voce& v) {
            return v.offset >= 0 && v.vecchi.size() == v.nuovi.size() &&
                   v.offset + v.vecchi.size() <= L;
        });
    if (!entro) {
        return QStringLiteral("descrive scritture fuori dalla lunghezza dell'elenco");
    }
    // Past the former end, the bytes written or none yet. A list that
    // cannot be read says nothing against the journal.
    int errore = 0;
    const auto coerente = [&](std::int64_t da, const QByteArray& prima, const QByteArray& dopo) {
        QByteArray trovati(std::min<std::int64_t>(lunghezza - da, dopo.size()), Qt::Uninitialized);
        const ssize_t letti = fs_.readAt(fd, trovati.data(), trovati.size(), da);
        errore = letti < 0 ? errno : 0;
        return letti == trovati.size() && SettoriCoerenti(trovati, da, prima, dopo);
    };
    const bool coerenti =
        std::all_of(contenuto.voci.begin(), contenuto.voci.end(),
                    [&](const Voce& v) { return coerente(v.offset, v.vecchi, v.nuovi); }) &&
        coerente(L, QByteArray(contenuto.coda.size(), '\0'), contenuto.coda);
    if (errore != 0) {
        return Errore(errore, QStringLiteral("Impossibile leggere il file"));
    }
    return coerenti ? QString() : QStringLiteral("non corrisponde al contenuto dell'elenco");
}

Result<void> DiarioScritture::RiportaIndietro(const Contenuto& contenuto, int fd) {
    int errore = 0;
    for (const Voce& voce : contenuto.voci) {
        errore = errore != 0 ? errore : ScriviTutto(fs_, fd, voce.vecchi, voce.offset);
    }
    if (errore == 0 && (fs_.truncate(fd, contenuto.lunghezza) != 0 || fs_.flush(fd) != 0)) {
        errore = errno;
    }
    if (errore == 0) {
        return {};
    }
    Error e = Errore(errore, QStringLiteral("Impossibile completare il ripristino del file"));
    e.message += QStringLiteral(
        "\nIl programma era stato interrotto mentre scriveva questo elenco; riaprirlo per "
        "riprovare il ripristino.");
    return e;
}

Result<QString> DiarioScritture::MettiDaParte(const QString& motivo,
                                              std::optional<uid_t> proprietario) {
    const QString daParte = NomePrivato(
        fs_, nome_,
        qPrintable(QStringLiteral("scartato-%1")
                       .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd")))));
    if (fs_.rename(NomeDiSistema(nome_), NomeDiSistema(daParte)) == 0) {
        return QStringLiteral(
                   "Il diario di sicurezza \"%1\" trovato accanto all'elenco \"%2\" non è "
                   "stato usato perché %3: è stato spostato in \"%4\". L'elenco è stato "
                   "aperto senza modifiche.")
            .arg(nome_, percorsoElenco_, motivo, daParte);
    }
    const int errore = errno;
    if (errore != EPERM && errore != EACCES) {
        return Errore(errore, QStringLiteral("Impossibile mettere da parte il diario di sicurezza "
                                             "trovato accanto al file"));
    }
    // Someone else's file in a folder where only its owner may move it.
    const QString chi = proprietario
                            ? QStringLiteral("all'utente \"%1\"").arg(NomeUtente(*proprietario))
                            : QStringLiteral("a chi lo ha creato");
    return Error::system(
        errore, QStringLiteral("Impossibile aprire il file \"%1\": il file \"%2\" che si trova "
                               "accanto all'elenco non può essere usato perché %3, e questo "
                               "utente non può spostarlo né eliminarlo (%4).\nChiedere %5 o "
                               "all'amministratore del sistema di eliminarlo, poi riaprire "
                               "l'elenco. L'elenco non è stato modificato.")
                    .arg(percorsoElenco_, nome_, motivo, DescrizioneErrore(errore), chi));
}

Error DiarioScritture::Errore(int errore, const QString& azione) const {
    return ErroreDiSistema(errore, azione, percorsoElenco_);
}

Error DiarioScritture::Trattenuto() const {
    return Error::refusal(
        QStringLiteral("Impossibile scrivere nel file \"%1\": una scrittura non riuscita non è "
                       "stata annullata. L'elenco sarà riportato com'era alla prossima apertura: "
                       "chiuderlo e riaprirlo.")
            .arg(percorsoElenco_));
}
