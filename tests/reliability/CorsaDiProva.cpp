#include "CorsaDiProva.h"

#include "DomandaDiProva.h"
#include "FileElenco.h"
#include "StrumentiArchivio.h"
#include "UnioneElenchi.h"

#include <memory>
#include <random>
#include <ranges>
#include <sstream>

namespace {

const QStringList kNomi = {"elenco.svz", "altro.svz", "unione.svz"};

// Records `quante` from number `primo` of a store drawn once: the lists
// hold 0 to 899, the merged list found before the run 900 to 909, and
// operation i writes 910 + i, so that every record tells where it came from.
QByteArray Record(int primo, int quante) {
    static const QByteArray scorta = RecordCompleti(1, 920);
    return scorta.mid(primo * kLunghezzaRecord, quante * kLunghezzaRecord);
}

}  // namespace

Corsa::Corsa(unsigned seme) {
    std::mt19937 caso(seme);
    const auto tra = [&](int da, int a) { return std::uniform_int_distribution(da, a)(caso); };
    iniziali_[kNomi[0]] = Record(0, tra(0, 300));
    iniziali_[kNomi[1]] = Record(300, tra(0, 600));
    if (tra(0, 1) == 1) {
        iniziali_[kNomi[2]] = Record(900, tra(0, 10));
    }
    for (int i = 0, quante = tra(1, 8); i < quante; ++i) {
        const auto domande = static_cast<int>(Dopo(i)[kNomi[0]].size() / kLunghezzaRecord);
        // A run starts with something to cut short; a modification needs an
        // application to modify.
        auto tipo = static_cast<Tipo>(tra(Registra, i == 0 ? Unione : Riavvia));
        tipo = tipo == Modifica && domande == 0 ? Registra : tipo;
        const int numero = tipo == Modifica ? tra(1, domande) : domande + 1;
        operazioni_.push_back({tipo, numero, Record(910 + i, 1)});
    }
}

int Corsa::Esegui(FileSystem& fs, const QString& cartella,
                  const std::function<void()>& riportata) const {
    const auto percorso = [&](const QString& nome) { return cartella + '/' + nome; };
    auto programma = std::make_unique<FileElenco>(fs);
    int fatte = 0;
    for (const Operazione& operazione : operazioni_) {
        FileElenco& elenco = *programma;
        bool fatta = true;
        if (operazione.tipo == Registra || operazione.tipo == Modifica) {
            // The entry screen keeps the list open from one application to
            // the next.
            fatta = (elenco.Aperto(kHandlePrimo) ||
                     elenco.ApriElenco(percorso(kNomi[0]), kHandlePrimo).ok()) &&
                    elenco.ScriviRecord(kHandlePrimo, operazione.numero, operazione.record).ok();
        } else if (operazione.tipo == Riavvia) {
            programma = std::make_unique<FileElenco>(fs);
        } else {
            // The append and merge screens open their own handles, from the
            // choice screen: the entry screen has closed its list.
            elenco.ChiudiTutti();
            const bool aggiunta = operazione.tipo == Aggiunta;
            fatta = elenco.ApriElenco(percorso(kNomi[0]), kHandlePrimo).ok() &&
                    elenco.ApriElenco(percorso(kNomi[1]), kHandleSecondo).ok();
            const Result<PianoCopia> piano =
                PianificaDaElenchi(elenco, aggiunta ? TipoCopia::Aggiunta : TipoCopia::Unione);
            fatta = fatta && piano.ok() &&
                    (aggiunta ? AggiungiElenco(elenco, *piano)
                              : CreaUnione(elenco, percorso(kNomi[2]), *piano))
                        .ok();
            elenco.ChiudiTutti();
        }
        if (!fatta) {
            break;
        }
        ++fatte;
        riportata();
    }
    return fatte;
}

Corsa::Elenchi Corsa::Dopo(int fatte) const {
    Elenchi elenchi = iniziali_;
    QByteArray& elenco = elenchi[kNomi[0]];
    for (const Operazione& operazione : operazioni_ | std::views::take(fatte)) {
        if (operazione.tipo == Registra) {
            elenco += operazione.record;
        } else if (operazione.tipo == Modifica) {
            elenco.replace((operazione.numero - 1) * kLunghezzaRecord, kLunghezzaRecord,
                           operazione.record);
        } else if (operazione.tipo == Aggiunta) {
            elenco += elenchi[kNomi[1]];
        } else if (operazione.tipo == Unione) {
            elenchi[kNomi[2]] = elenco + elenchi[kNomi[1]];
        }
    }
    return elenchi;
}

std::string Difetto(FileSystem& fs, const QString& cartella, const Corsa& corsa, int fatte,
                    bool uccisa) {
    std::ostringstream difetto;
    Corsa::Elenchi trovati;
    for (const QString& nome : kNomi) {
        const QString percorso = cartella + '/' + nome;
        FilePiccolo letto;
        if (fs.identifyPath(NomeDiSistema(percorso), letto.identita) != 0) {
            continue;
        }
        FileElenco elenco(fs);
        Result<void> aperto = elenco.ApriElenco(percorso, kHandlePrimo);
        if (!aperto.ok() && FileDiBlocco::Riprendibile(aperto.error())) {
            difetto << (uccisa ? "asked about the lock of a copy that was killed; " : "");
            aperto = elenco.ApriElenco(percorso, kHandlePrimo, Subentro::Consentito);
        }
        const QString avviso =
            aperto.ok() ? elenco.AvvisoApertura(kHandlePrimo) : aperto.error().message;
        difetto << avviso.toStdString() << (avviso.isEmpty() ? "" : "; ");
        LeggiPiccolo(fs, percorso, 1 << 24, letto);
        trovati[nome] = letto.byte;
    }
    if (trovati != corsa.Dopo(fatte) && trovati != corsa.Dopo(fatte + 1)) {
        difetto << "the lists are neither as after " << fatte << " operations nor one more";
    }
    return difetto.str();
}
