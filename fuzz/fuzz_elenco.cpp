// Feeds arbitrary bytes to record decoding, and as the journal, the lock
// and the list file that the opening of a list finds, then to counting,
// reading every record and storing the next application. Any crash,
// sanitizer finding or broken promise below stops the fuzzer.

#include "DatiDomanda.h"
#include "FileElenco.h"
#include "PowerCutFileSystem.h"
#include "StrumentiArchivio.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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

const QString kLista = QStringLiteral("/elenchi/lista.svz");

// The next part of the input: its length is in its first two bytes.
QByteArray Parte(QByteArray& resto) {
    const auto lunghezza =
        resto.size() < 2
            ? 0
            : (static_cast<unsigned char>(resto[0]) << 8 | static_cast<unsigned char>(resto[1]));
    const QByteArray parte = resto.mid(2, lunghezza);
    resto.remove(0, 2 + parte.size());
    return parte;
}

// The bytes as the journal and the lock found beside a list, and as the
// list: the list opens (the operator agreeing to take the lock over, when
// asked) unless the lock names this very copy, with the journal's name free
// again; then counting, reading every record and one past the end, and
// storing the next application, which must land whole at its place with
// every whole record before it unchanged.
void UsaComeFileDiUnElenco(QByteArray byte) {
    PowerCutFileSystem fs;
    const std::string diario = "/elenchi/.~lock.lista.svz#.diario";
    const std::string blocco = "/elenchi/.~lock.lista.svz#";
    for (const std::string& nome : {diario, blocco}) {
        if (const QByteArray parte = Parte(byte); !parte.isEmpty()) {
            fs.put(nome, parte);
        }
    }
    fs.put(NomeDiSistema(kLista), byte);
    FileElenco elenco(fs);
    Result<void> aperto = elenco.ApriElenco(kLista, 1);
    if (!aperto.ok() && FileDiBlocco::Riprendibile(aperto.error())) {
        aperto = elenco.ApriElenco(kLista, 1, Subentro::Consentito);
    }
    if (!aperto.ok() && aperto.error().refused()) {
        return;  // a lock that names this very copy, which runs
    }
    Verifica(aperto.ok(), "elenco aperto");
    Verifica(!fs.contents(diario), "diario giocato, tolto o messo da parte");
    const QByteArray prima = fs.contents(NomeDiSistema(kLista)).value_or("");
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
    const QByteArray dopo = fs.contents(NomeDiSistema(kLista)).value_or("");
    Verifica(dopo.size() == static_cast<qsizetype>(prossima) * kLunghezzaRecord,
             "solo record interi dopo la registrazione");
    const qsizetype interi =
        std::min<qsizetype>(prima.size(), dopo.size()) / kLunghezzaRecord * kLunghezzaRecord;
    Verifica(dopo.left(interi) == prima.left(interi), "record interi precedenti invariati");
    Verifica(dopo.right(kLunghezzaRecord) == CodificaDomanda(nuova), "nuova domanda al suo posto");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t quanti) {
    const QByteArray byte(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(quanti));
    DecodificaRecord(byte);
    UsaComeFileDiUnElenco(byte);
    return 0;
}
