#include "DiarioScritture.h"

#include "DatiDomanda.h"
#include "ErroreDiSistema.h"
#include "StrumentiArchivio.h"

#include <QDataStream>
#include <QDateTime>
#include <QIODevice>

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <optional>

namespace {

constexpr char kIntestazione[] = "SOVVENZIA-DIARIO-3\n";
constexpr qsizetype kLunghezzaIntestazione = sizeof kIntestazione - 1;
// The byte after the heading: whether the journal holds writes.
constexpr char kPieno = '1';
constexpr char kVuoto = '0';
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

}  // namespace

// The journal's bytes: the heading, then the writes, then a fingerprint of
// all that, so that a torn or foreign journal is never read as one.
struct CodificaDiario {
    static QByteArray Codifica(const DiarioScritture::Contenuto& contenuto) {
        QByteArray byte(kIntestazione);
        byte += kPieno;
        {
            QDataStream flusso(&byte, QIODevice::Append);
            flusso << contenuto.lunghezza << contenuto.fine << quint32(contenuto.voci.size());
            for (const auto& voce : contenuto.voci) {
                flusso << voce.offset << voce.vecchi << voce.nuovi;
            }
            flusso << contenuto.coda;
        }
        const quint64 impronta = Impronta(byte);
        return byte + QByteArray(reinterpret_cast<const char*>(&impronta), sizeof impronta);
    }

    static std::optional<DiarioScritture::Contenuto> Decodifica(const QByteArray& byte) {
        constexpr qsizetype kImpronta = sizeof(quint64);
        if (byte.size() < kLunghezzaIntestazione + 1 + kImpronta) {
            return std::nullopt;
        }
        const QByteArray corpo = byte.chopped(kImpronta);
        const quint64 impronta = Impronta(corpo);
        if (byte.right(kImpronta) !=
            QByteArray(reinterpret_cast<const char*>(&impronta), kImpronta)) {
            return std::nullopt;
        }
        QDataStream flusso(corpo.mid(kLunghezzaIntestazione + 1));
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

DiarioScritture::DiarioScritture(FileSystem& fs, QString nome, QString percorsoElenco)
    : fs_(fs), nome_(std::move(nome)), percorsoElenco_(std::move(percorsoElenco)) {}

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
    fd_ = fs_.createExclusive(NomeDiSistema(nome_), 0600);
    if (fd_ < 0) {
        return Errore(errno, QStringLiteral("Impossibile creare il diario di sicurezza del file"));
    }
    // The journal's name must outlive a power cut as its bytes do.
    if (fs_.syncFolder(NomeDiSistema(CartellaDi(nome_))) != 0) {
        const int errore = errno;
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
    const int errore = ScriviTutto(fs_, fd_, CodificaDiario::Codifica(contenuto_), 0);
    if (errore != 0 || fs_.flush(fd_) != 0) {
        return Errore(errore != 0 ? errore : errno,
                      QStringLiteral("Impossibile scrivere il diario di sicurezza del file"));
    }
    return {};
}

Result<void> DiarioScritture::Conferma() {
    if (!attivo_) {
        return {};
    }
    const int errore = ScriviTutto(fs_, fd_, QByteArray(1, kVuoto), kLunghezzaIntestazione);
    if (errore != 0 || fs_.flush(fd_) != 0) {
        return Errore(errore != 0 ? errore : errno,
                      QStringLiteral("Impossibile aggiornare il diario di sicurezza del file"));
    }
    attivo_ = false;
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
                                .arg(DescrizioneErrore(errore)));
    }
    if (errore != 0) {
        return Errore(errore,
                      QStringLiteral("Impossibile leggere il diario di sicurezza del file"));
    }
    FileIdentity elenco;
    if (fs_.identify(fd, elenco) != 0) {
        return Errore(errno, QStringLiteral("Impossibile aprire il file"));
    }
    if (letto.identita.owner != ::geteuid() && letto.identita.owner != elenco.owner) {
        return MettiDaParte(QStringLiteral("appartiene a un altro utente"));
    }
    if (letto.byte.startsWith(QByteArray(kIntestazione) + kVuoto)) {
        fs_.unlink(NomeDiSistema(nome_));  // marked empty: nothing to undo
        return QString();
    }
    const std::optional<Contenuto> contenuto =
        letto.byte.startsWith(QByteArray(kIntestazione) + kPieno)
            ? CodificaDiario::Decodifica(letto.byte)
            : std::nullopt;
    if (!contenuto) {
        return MettiDaParte(QStringLiteral("è danneggiato o non è un diario di questo programma"));
    }
    const off_t lunghezza = fs_.size(fd);
    if (lunghezza < 0) {
        return Errore(errno, QStringLiteral("Impossibile leggere la lunghezza del file"));
    }
    if (const QString motivo = Estraneo(*contenuto, fd, lunghezza); !motivo.isEmpty()) {
        return MettiDaParte(motivo);
    }
    if (Result<void> riportato = RiportaIndietro(*contenuto, fd); !riportato) {
        return riportato.error();
    }
    fs_.unlink(NomeDiSistema(nome_));
    return QString();
}

QString DiarioScritture::Estraneo(const Contenuto& contenuto, int fd,
                                  std::int64_t lunghezza) const {
    const std::int64_t L = contenuto.lunghezza;
    const bool entro =
        L >= 0 && L <= lunghezza + kLunghezzaRecord && lunghezza <= contenuto.fine &&
        contenuto.coda.size() <= kLunghezzaRecord &&
        std::all_of(contenuto.voci.begin(), contenuto.voci.end(), [&](const Voce& v) {
            return v.offset >= 0 && v.vecchi.size() == v.nuovi.size() &&
                   v.offset + v.vecchi.size() <= L;
        });
    if (!entro) {
        return QStringLiteral("descrive scritture fuori dalla lunghezza dell'elenco");
    }
    const auto tratto = [&](std::int64_t da, std::int64_t quanti) {
        QByteArray byte(std::clamp<std::int64_t>(lunghezza - da, 0, quanti), Qt::Uninitialized);
        if (!byte.isEmpty() && fs_.readAt(fd, byte.data(), byte.size(), da) != byte.size()) {
            return std::optional<QByteArray>();
        }
        return std::optional<QByteArray>(byte);
    };
    bool coerente = true;
    for (const Voce& voce : contenuto.voci) {
        const std::optional<QByteArray> trovati = tratto(voce.offset, voce.vecchi.size());
        coerente =
            coerente && trovati && SettoriCoerenti(*trovati, voce.offset, voce.vecchi, voce.nuovi);
    }
    const std::optional<QByteArray> coda = tratto(L, contenuto.coda.size());
    coerente = coerente && coda &&
               SettoriCoerenti(*coda, L, contenuto.coda, QByteArray(contenuto.coda.size(), '\0'));
    return coerente ? QString() : QStringLiteral("non corrisponde al contenuto dell'elenco");
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

Result<QString> DiarioScritture::MettiDaParte(const QString& motivo) {
    const QString daParte = NomePrivato(
        fs_, nome_,
        qPrintable(QStringLiteral("scartato-%1")
                       .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd")))));
    if (fs_.rename(NomeDiSistema(nome_), NomeDiSistema(daParte)) != 0) {
        return Errore(errno, QStringLiteral("Impossibile mettere da parte il diario di sicurezza "
                                            "trovato accanto al file"));
    }
    return QStringLiteral(
               "Il diario di sicurezza \"%1\" trovato accanto all'elenco \"%2\" non è "
               "stato usato perché %3: è stato spostato in \"%4\". L'elenco è stato "
               "aperto senza modifiche.")
        .arg(nome_, percorsoElenco_, motivo, daParte);
}

Error DiarioScritture::Errore(int errore, const QString& azione) const {
    return ErroreDiSistema(errore, azione, percorsoElenco_);
}
