// A child process for the reliability tests. It works on list files through
// the same core code as the screens and tells its parent, one line at a
// time on standard output, what it has done:
//
//   tieni <list>                 opens the list on handle 1 ("APERTO" or
//                                "RIFIUTATO <message>"), then closes it on a
//                                line "chiudi" from standard input ("CHIUSO")
//                                and ends at the end of its input.
//   registra <list>              stores numbered applications after the last
//                                record, one line with the record number
//                                after each store reported as done.
//   aggiungi <list 1> <list 2>   appends list 2 to list 1 ("FATTO").
//   unisci <list 1> <list 2> <new list>
//                                merges the two into the new list ("FATTO").
//   interrompi <list>            overwrites record 1 and appends three
//                                records without making them durable, says
//                                "INTERROTTO" and dies on the spot, as in a
//                                crash.
//
// Any failure prints "ERRORE <message>" and ends with a non-zero status.

#include "Arrotondamento.h"
#include "ControlliDomanda.h"
#include "DomandeNumerate.h"
#include "FileElenco.h"
#include "RiempiRecord.h"
#include "UnioneElenchi.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

// One whole line in a single write, so that a parent that kills this process
// reads either all of it or none of it.
void Riferisci(const QString& riga) {
    QByteArray testo = riga.toUtf8();
    testo.replace('\n', "\\n");
    testo += '\n';
    [[maybe_unused]] const ssize_t scritti =
        ::write(STDOUT_FILENO, testo.constData(), testo.size());
}

int Errore(const Error& errore) {
    Riferisci(QStringLiteral("ERRORE ") + errore.message);
    return 1;
}

int Tieni(const QString& percorso) {
    FileElenco elenco;
    const Result<void> aperto = elenco.ApriElenco(percorso, 1);
    if (!aperto) {
        Riferisci(QStringLiteral("RIFIUTATO ") + aperto.error().message);
        return 2;
    }
    Riferisci(QStringLiteral("APERTO"));
    std::string riga;
    while (std::getline(std::cin, riga)) {
        if (riga == "chiudi") {
            elenco.ChiudiElenco(1);
            Riferisci(QStringLiteral("CHIUSO"));
        }
    }
    return 0;
}

int Registra(const QString& percorso) {
    FileElenco elenco;
    if (const Result<void> aperto = elenco.ApriElenco(percorso, 1); !aperto) {
        return Errore(aperto.error());
    }
    const Result<std::int64_t> lunghezza = elenco.LunghezzaFile(1);
    if (!lunghezza) {
        return Errore(lunghezza.error());
    }
    // The entry screen numbers the next application as it continues a list.
    const auto primo = static_cast<std::int32_t>(
        ArrotondaPari(static_cast<double>(*lunghezza) / kLunghezzaRecord + 1));
    for (std::int32_t n = primo; n <= FileElenco::kMassimoDomande; ++n) {
        const ModuloDomanda modulo = ModuloNumerato(n);
        if (!ControllaDomanda(Operazione::Successivo, modulo).registrabile) {
            return Errore(
                Error{0, QStringLiteral("la domanda %1 non passa i controlli").arg(n), {}});
        }
        if (const Result<void> scritta = elenco.ScriviDomanda(1, n, RiempiRecord(modulo));
            !scritta) {
            return Errore(scritta.error());
        }
        Riferisci(QString::number(n));
    }
    return 0;
}

// Opens list 1 and list 2 on their handles.
Result<void> ApriSorgenti(FileElenco& elenco, const QString& primo, const QString& secondo) {
    if (Result<void> aperto = elenco.ApriElenco(primo, kHandlePrimo); !aperto) {
        return aperto;
    }
    return elenco.ApriElenco(secondo, kHandleSecondo);
}

int Copia(TipoCopia tipo, const QString& primo, const QString& secondo, const QString& nuovo) {
    FileElenco elenco;
    if (const Result<void> aperti = ApriSorgenti(elenco, primo, secondo); !aperti) {
        return Errore(aperti.error());
    }
    const Result<PianoCopia> piano = PianificaDaElenchi(elenco, tipo);
    if (!piano) {
        return Errore(piano.error());
    }
    const Result<void> copiato = tipo == TipoCopia::Aggiunta ? AggiungiElenco(elenco, *piano)
                                                             : CreaUnione(elenco, nuovo, *piano);
    if (!copiato) {
        return Errore(copiato.error());
    }
    Riferisci(QStringLiteral("FATTO"));
    return 0;
}

int Interrompi(const QString& percorso) {
    FileElenco elenco;
    if (const Result<void> aperto = elenco.ApriElenco(percorso, 1); !aperto) {
        return Errore(aperto.error());
    }
    const Result<std::int16_t> domande = elenco.ContaDomande(1);
    if (!domande) {
        return Errore(domande.error());
    }
    for (std::int32_t n : {1, *domande + 1, *domande + 2, *domande + 3}) {
        const Result<void> scritto =
            elenco.ScriviRecord(1, n, RecordNumerato(1000 + n), FileElenco::Flush::Differito);
        if (!scritto) {
            return Errore(scritto.error());
        }
    }
    Riferisci(QStringLiteral("INTERROTTO"));
    ::_exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    const auto argomento = [&](int i) {
        return i < argc ? QString::fromLocal8Bit(argv[i]) : QString();
    };
    const QString comando = argomento(1);
    if (comando == QLatin1String("tieni") && argc == 3) {
        return Tieni(argomento(2));
    }
    if (comando == QLatin1String("registra") && argc == 3) {
        return Registra(argomento(2));
    }
    if (comando == QLatin1String("interrompi") && argc == 3) {
        return Interrompi(argomento(2));
    }
    if (comando == QLatin1String("aggiungi") && argc == 4) {
        return Copia(TipoCopia::Aggiunta, argomento(2), argomento(3), {});
    }
    if (comando == QLatin1String("unisci") && argc == 5) {
        return Copia(TipoCopia::Unione, argomento(2), argomento(3), argomento(4));
    }
    std::cerr << "uso: tieni | registra | interrompi | aggiungi | unisci (vedere il sorgente)\n";
    return 64;
}
