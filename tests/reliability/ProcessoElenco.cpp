// A child process for the reliability tests: another running copy of the
// program, working on list files through the same core code as the screens.
// It tells its parent what it has done one whole line at a time:
//
//   tieni <list>           opens the list on handle 1 ("APERTO" or "RIFIUTATO
//                          <message>"); "chiudi" on its input closes it
//                          ("CHIUSO"); ends at the end of its input.
//   registra <list>        stores numbered applications after the last record,
//                          printing each record number once it is stored.
//   aggiungi <1> <2>       appends list 2 to list 1 ("FATTO").
//   unisci <1> <2> <new>   merges the two into the new list ("FATTO").
//   interrompi <list>      overwrites record 1 and appends three records
//                          without making them durable, says "INTERROTTO"
//                          and dies on the spot, as in a crash.
//
// Any failure prints "ERRORE <message>" and ends with status 1.

#include "Arrotondamento.h"
#include "DomandeNumerate.h"
#include "FileElenco.h"
#include "RiempiRecord.h"
#include "UnioneElenchi.h"

#include <unistd.h>

#include <iostream>
#include <string>

namespace {

// One whole line in a single write: a parent that kills this process reads
// all of it or none of it.
void Riferisci(const QString& riga) {
    const QByteArray testo = riga.toUtf8() + '\n';
    [[maybe_unused]] const ssize_t scritti = ::write(STDOUT_FILENO, testo.data(), testo.size());
}

// Reports a failed step; true when there was one.
template <class T>
bool Fallito(const Result<T>& esito) {
    if (!esito) {
        Riferisci(QStringLiteral("ERRORE ") + esito.error().message);
    }
    return !esito;
}

int Tieni(FileElenco& elenco, const QString& percorso) {
    const Result<void> aperto = elenco.ApriElenco(percorso, 1);
    Riferisci(aperto ? QStringLiteral("APERTO") : "RIFIUTATO " + aperto.error().message);
    for (std::string riga; aperto && std::getline(std::cin, riga);) {
        if (riga == "chiudi") {
            elenco.ChiudiElenco(1);
            Riferisci(QStringLiteral("CHIUSO"));
        }
    }
    return aperto ? 0 : 2;
}

int Registra(FileElenco& elenco) {
    const Result<std::int64_t> lunghezza = elenco.LunghezzaFile(1);
    if (Fallito(lunghezza)) {
        return 1;
    }
    // Numbered as the entry screen numbers the next application of a list.
    for (auto n = static_cast<std::int32_t>(ArrotondaPari(*lunghezza / 418.0 + 1));
         n <= FileElenco::kMassimoDomande; ++n) {
        if (Fallito(elenco.ScriviDomanda(1, n, RiempiRecord(ModuloNumerato(n))))) {
            return 1;
        }
        Riferisci(QString::number(n));
    }
    return 0;
}

int Interrompi(FileElenco& elenco) {
    const Result<std::int16_t> domande = elenco.ContaDomande(1);
    if (Fallito(domande)) {
        return 1;
    }
    for (std::int32_t n : {1, *domande + 1, *domande + 2, *domande + 3}) {
        if (Fallito(elenco.ScriviRecord(1, n, RecordNumerato(1000 + n),
                                        FileElenco::Flush::Differito))) {
            return 1;
        }
    }
    Riferisci(QStringLiteral("INTERROTTO"));
    ::_exit(0);
}

int Copia(FileElenco& elenco, const QStringList& argomenti) {
    const TipoCopia tipo = argomenti.size() == 3 ? TipoCopia::Aggiunta : TipoCopia::Unione;
    if (Fallito(elenco.ApriElenco(argomenti[1], kHandlePrimo)) ||
        Fallito(elenco.ApriElenco(argomenti[2], kHandleSecondo))) {
        return 1;
    }
    const Result<PianoCopia> piano = PianificaDaElenchi(elenco, tipo);
    if (Fallito(piano) ||
        Fallito(tipo == TipoCopia::Aggiunta ? AggiungiElenco(elenco, *piano)
                                            : CreaUnione(elenco, argomenti[3], *piano))) {
        return 1;
    }
    Riferisci(QStringLiteral("FATTO"));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList argomenti;
    for (int i = 1; i < argc; ++i) {
        argomenti << QString::fromLocal8Bit(argv[i]);
    }
    const QString comando = argomenti.value(0);
    FileElenco elenco;
    if (comando == QLatin1String("tieni") && argc == 3) {
        return Tieni(elenco, argomenti[1]);
    }
    if ((comando == QLatin1String("registra") || comando == QLatin1String("interrompi")) &&
        argc == 3) {
        if (Fallito(elenco.ApriElenco(argomenti[1], 1))) {
            return 1;
        }
        return comando == QLatin1String("registra") ? Registra(elenco) : Interrompi(elenco);
    }
    if ((comando == QLatin1String("aggiungi") && argc == 4) ||
        (comando == QLatin1String("unisci") && argc == 5)) {
        return Copia(elenco, argomenti);
    }
    std::cerr << "uso: tieni | registra | interrompi | aggiungi | unisci (vedere il sorgente)\n";
    return 64;
}
