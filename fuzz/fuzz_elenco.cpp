// Feeds arbitrary bytes to record decoding, as a whole list file to
// counting, reading every record and storing the next application, and as
// the journal found beside a list to its opening. Any crash, sanitizer
// finding or broken promise below stops the fuzzer.

#include "DatiDomanda.h"
#include "FileElenco.h"
#include "FileSystemSenzaAttese.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

void Verifica(bool condizione, const char* promessa) {
    if (!condizione) {
        std::fprintf(stderr, "promessa non mantenuta: %s\n", promessa);
        std::abort();
    }
}

// Every text field comes back at its full width; a cut record reads as its
// completed image does.
void DecodificaRecord(const QByteArray& byte) {
    const auto lunghezza =
        static_cast<std::size_t>(std::min<qsizetype>(byte.size(), kLunghezzaRecord));
    const DatiDomanda domanda = DecodificaDomanda(byte.constData(), lunghezza);
    for (const DescrizioneCampo& campo : kCampi) {
        Verifica(campo.tipo == TipoCampo::Importo || domanda[campo.campo].size() == campo.larghezza,
                 "campo a piena larghezza");
    }
    const QByteArray completo = CompletaRecord(byte.constData(), lunghezza);
    Verifica(completo.size() == kLunghezzaRecord, "record completato di 418 byte");
    const DatiDomanda daCompleto = DecodificaDomanda(completo.constData(), completo.size());
    Verifica(CodificaDomanda(daCompleto) == CodificaDomanda(domanda),
             "il record completato si legge come quello tagliato");
    Verifica(CodificaDomanda(domanda).size() == kLunghezzaRecord, "codifica di 418 byte");
}

const QString& PercorsoLista() {
    static const QString percorso =
        QDir::temp().filePath(QStringLiteral("fuzz_elenco_%1.svz").arg(::getpid()));
    return percorso;
}

// The bytes as a list file: counting, reading every record and one past the
// end, then storing the next application, which must land whole at its
// place with every whole record before it unchanged.
void UsaComeElenco(const QByteArray& byte) {
    {
        QFile file(PercorsoLista());
        Verifica(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "file di prova scritto");
        Verifica(file.write(byte) == byte.size(), "file di prova scritto per intero");
    }
    FileSystemSenzaAttese fileSystem;
    FileElenco elenco(fileSystem);
    Verifica(elenco.ApriElenco(PercorsoLista(), 1).ok(), "elenco aperto");
    const Result<std::int16_t> domande = elenco.ContaDomande(1);
    Verifica(domande.ok(), "domande contate");
    for (std::int32_t n = 1; n <= *domande; ++n) {
        Verifica(elenco.LeggiDomanda(1, n).ok(), "domanda letta");
    }
    Verifica(!elenco.LeggiDomanda(1, *domande + 2).ok(), "domanda oltre la fine rifiutata");

    const std::int32_t prossima = *domande + 1;
    DatiDomanda nuova = AzzeraRecord();
    nuova[Campo::CognRich] = QStringLiteral("FUZZ");
    nuova.importo(Campo::Spese) = 12.5f;
    Verifica(elenco.ScriviDomanda(1, prossima, nuova).ok(), "domanda registrata");
    elenco.ChiudiElenco(1);

    QFile file(PercorsoLista());
    Verifica(file.open(QIODevice::ReadOnly), "file riletto");
    const QByteArray dopo = file.readAll();
    Verifica(dopo.size() == static_cast<qsizetype>(prossima) * kLunghezzaRecord,
             "solo record interi dopo la registrazione");
    const qsizetype interi =
        std::min<qsizetype>(byte.size(), dopo.size()) / kLunghezzaRecord * kLunghezzaRecord;
    Verifica(dopo.left(interi) == byte.left(interi), "record interi precedenti invariati");
    Verifica(dopo.right(kLunghezzaRecord) == CodificaDomanda(nuova), "nuova domanda al suo posto");
}

// The bytes as the journal a dead copy left beside a list of three
// applications: the list opens, and the journal's name is free again.
void UsaComeDiario(const QByteArray& byte) {
    const QString diario =
        QDir::temp().filePath(QStringLiteral(".~lock.fuzz_elenco_%1.svz#.diario").arg(::getpid()));
    for (const auto& [percorso, contenuto] :
         {std::pair{PercorsoLista(), QByteArray(3 * kLunghezzaRecord, 'A')},
          std::pair{diario, byte}}) {
        QFile file(percorso);
        Verifica(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                     file.write(contenuto) == contenuto.size(),
                 "file di prova scritto");
    }
    FileSystemSenzaAttese fileSystem;
    FileElenco elenco(fileSystem);
    Verifica(elenco.ApriElenco(PercorsoLista(), 1).ok(), "elenco aperto accanto a un diario");
    Verifica(!QFile::exists(diario), "diario giocato, tolto o messo da parte");
    elenco.ChiudiElenco(1);
    for (const QString& nome : QDir::temp().entryList(
             {QStringLiteral(".~lock.fuzz_elenco_%1.svz#.diario.*").arg(::getpid())},
             QDir::Files | QDir::Hidden)) {
        QFile::remove(QDir::temp().filePath(nome));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t quanti) {
    const QByteArray byte(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(quanti));
    DecodificaRecord(byte);
    UsaComeElenco(byte);
    UsaComeDiario(byte);
    return 0;
}
