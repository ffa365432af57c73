#include "ControlliDomanda.h"
#include "ControlloImporti.h"
#include "ModuloDiProva.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using M = ModuloDomanda;
using Cambia = std::function<void(M&)>;

Cambia poni(QString M::*casella, const char* testo) {
    return [casella, testo](M& modulo) { modulo.*casella = QString::fromUtf8(testo); };
}

Cambia poni(QString M::*prima, const char* testoPrima, QString M::*seconda, const char* testo) {
    return [=](M& modulo) {
        poni(prima, testoPrima)(modulo);
        poni(seconda, testo)(modulo);
    };
}

QString attenzione(const char* testo) {
    return QStringLiteral("ATTENZIONE!\n") + QString::fromUtf8(testo);
}

Segnalazione segnalazione(int riga, const QString& messaggio, IconaAvviso icona,
                          std::optional<Casella> fuoco, std::optional<Casella> azzera = {}) {
    return {riga, messaggio, icona, fuoco, azzera};
}

// What each row of the checks table says and where it puts the focus.
const std::map<int, Segnalazione> kRighe = [] {
    const auto riga = [](int n, const char* testo, Casella fuoco) {
        return std::pair{n, segnalazione(n, attenzione(testo), IconaAvviso::Esclamazione, fuoco)};
    };
    const auto virgola = [](int n) {
        return std::pair{
            n, segnalazione(n, kMessaggioCaratteriSpeciali, IconaAvviso::Informazione, {})};
    };
    const auto decimali = [](int n, Casella c) {
        return std::pair{n, segnalazione(n, kMessaggioDecimali, IconaAvviso::Nessuna, {}, c)};
    };
    using C = Casella;
    return std::map<int, Segnalazione>{
        riga(1, " Cognome Richiedente non valido", C::CognRich),
        riga(2, " Nome Richiedente non valido", C::NomeRich),
        riga(3, " Luogo di Nascita del Richiedente non valido", C::LuogoRich),
        riga(4, " Data di Nascita del Richiedente non valid", C::DataRich),
        riga(5, " Codice Fiscale del Richiedente non valido", C::CodFiscRich),
        riga(6, " CAP del Richiedente non valido", C::CapRich),
        riga(7, " Comune di Residenza del Richiedente non valido", C::ComRich),
        riga(8, " CAP Richiedente non valido", C::CapRich),
        riga(9, " Indirizzo Richiedente non valido", C::ViaRich),
        virgola(10),
        riga(11, " Numero Civico dell'indirizzo del Richiedente non valido", C::NumRich),
        riga(12, " Cognome Studente non valido", C::CognStud),
        riga(13, " Nome Studente non valido", C::NomeStud),
        riga(14, " Luogo di Nascita dello Studente non valido", C::LuogoStud),
        riga(15, " Data di Nascita dello Studente non valida", C::DataStud),
        riga(16, " Codice Fiscale dello Studente non valido", C::CodFiscStud),
        riga(17, " Comune di Residenza dello Studente non valido", C::ComStud),
        riga(18, " CAP Studente non valido", C::CapStud),
        riga(19, " Indirizzo dello Studente non valido", C::ViaStud),
        virgola(20),
        riga(21, " Numero civico dell'indirizzo dello Studente non valido", C::NumStud),
        riga(22, "Importo indicato nelle Spese Sostenute non valido", C::Spese),
        decimali(23, C::Spese),
        riga(24, " L'ISEE indicato non è un importo valido", C::Isee),
        decimali(25, C::Isee),
    };
}();

// A change to a complete application and the row that refuses it under
// Successivo, "Salva modulo corrente" and Modifica (0: it is stored).
struct Caso {
    const char* nome;
    Cambia cambia;
    int successivo, salvaModulo, modifica;
};

TEST(ControllaDomanda, EachOperationStopsAtTheFirstOfItsRowsThatFails) {
    const Caso casi[] = {
        {"complete", [](M&) {}, 0, 0, 0},
        {"blank surname", poni(&M::CognRich, "   "), 1, 1, 1},
        {"empty name", poni(&M::NomeRich, ""), 2, 2, 2},
        {"blank birthplace", poni(&M::LuogoRich, " "), 3, 3, 3},
        {"empty date mask", poni(&M::DataRich, "__/__/____"), 4, 4, 4},
        {"31 April", poni(&M::DataRich, "31/04/2006"), 4, 4, 4},
        {"half-typed date", poni(&M::DataRich, "12/3_/____"), 4, 4, 4},
        {"tax code of 15", poni(&M::CodFiscRich, "RSSMRA70C05H501"), 5, 0, 0},
        {"empty tax code", poni(&M::CodFiscRich, ""), 5, 0, 0},
        {"16 digits as tax code", poni(&M::CodFiscRich, "1234567890123456"), 0, 0, 0},
        {"no town, short CAP", poni(&M::ComRich, "", &M::CapRich, "001"), 7, 6, 6},
        {"no town", poni(&M::ComRich, ""), 7, 7, 7},
        {"CAP of 4 and a blank", poni(&M::CapRich, "0010 "), 8, 6, 6},
        {"empty street", poni(&M::ViaRich, ""), 9, 9, 9},
        {"comma in street", poni(&M::ViaRich, "Via Roma, 5"), 10, 0, 0},
        {"full stop in street", poni(&M::ViaRich, "Via Roma. 5"), 0, 0, 0},
        {"empty number", poni(&M::NumRich, ""), 11, 11, 11},
        {"blanks around number", poni(&M::NumRich, "  3 "), 0, 0, 0},
        {"student surname", poni(&M::CognStud, ""), 12, 12, 12},
        {"student name", poni(&M::NomeStud, ""), 13, 13, 13},
        {"student birthplace", poni(&M::LuogoStud, ""), 14, 14, 14},
        {"29 Feb 1900", poni(&M::DataStud, "29/02/1900"), 15, 15, 15},
        {"student tax code of 15", poni(&M::CodFiscStud, "RSSLCU00B69H501"), 16, 16, 16},
        {"student town", poni(&M::ComStud, ""), 17, 17, 17},
        {"student CAP of 4", poni(&M::CapStud, "0010"), 18, 18, 18},
        {"student street", poni(&M::ViaStud, ""), 19, 19, 19},
        {"comma in student street", poni(&M::ViaStud, ","), 20, 0, 0},
        {"student number", poni(&M::NumStud, " "), 21, 21, 21},
        {"blank expenses", poni(&M::Spese, "  "), 22, 22, 22},
        {"empty ISEE", poni(&M::Isee, ""), 24, 24, 24},
        {"two decimals, point last", poni(&M::Spese, "12.50", &M::Isee, "12."), 0, 0, 0},
        {"four decimals", poni(&M::Spese, "1.2345", &M::Isee, "0.001"), 23, 0, 23},
        {"German sharp s", poni(&M::CognRich, "straß"), 0, 0, 0},
        {"texts at full width", poni(&M::CognRich, "ROSSI                         "), 0, 0, 0},
    };
    for (const Caso& caso : casi) {
        for (const auto& [operazione, riga] : {std::pair{Operazione::Successivo, caso.successivo},
                                               {Operazione::SalvaModulo, caso.salvaModulo},
                                               {Operazione::Modifica, caso.modifica}}) {
            SCOPED_TRACE(testing::Message() << caso.nome << ", operation " << int(operazione));
            M modulo = ModuloCompleto();
            caso.cambia(modulo);

            const EsitoControlli esito = ControllaDomanda(operazione, modulo);

            EXPECT_EQ(esito.registrabile, riga == 0);
            if (riga == 0) {
                EXPECT_TRUE(esito.segnalazioni.empty());
            } else if (!esito.segnalazioni.empty()) {
                EXPECT_EQ(esito.segnalazioni.front(), kRighe.at(riga));
                EXPECT_TRUE(esito.segnalazioni.size() == 1 || riga == 23);
            } else {
                ADD_FAILURE() << "no message, expected row " << riga;
            }
        }
    }
}

// The decimals checks of the amounts go on to the following rows, and tell
// the screen which separator flags to clear.
TEST(ControllaDomanda, TooManyDecimalsAreToldAndTheChecksGoOn) {
    const struct {
        Operazione operazione;
        const char *spese, *isee;
        std::vector<int> righe;
        bool bErroreSpese, bErroreIsee, azzeraPunti;
    } casi[] = {
        {Operazione::Successivo, "100.125", "", {23, 24}, true, false, true},
        {Operazione::Successivo, "1.001", "2.002", {23, 25}, true, true, true},
        {Operazione::Successivo, "1234.56", "5000.755", {25}, false, true, false},
        {Operazione::Modifica, "1.234", "5000", {23}, true, false, false},
        {Operazione::Modifica, "1234.56", "1.234", {25}, false, true, true},
        {Operazione::Modifica, "0", "5000.75", {}, false, false, false},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(testing::Message() << caso.spese << " / " << caso.isee);
        M modulo = ModuloCompleto();
        poni(&M::Spese, caso.spese, &M::Isee, caso.isee)(modulo);

        const EsitoControlli esito = ControllaDomanda(caso.operazione, modulo);

        ASSERT_EQ(esito.segnalazioni.size(), caso.righe.size());
        for (std::size_t i = 0; i < caso.righe.size(); ++i) {
            EXPECT_EQ(esito.segnalazioni[i], kRighe.at(caso.righe[i]));
        }
        EXPECT_EQ(esito.bErroreSpese, caso.bErroreSpese);
        EXPECT_EQ(esito.bErroreIsee, caso.bErroreIsee);
        EXPECT_EQ(esito.azzeraPunti, caso.azzeraPunti);
        EXPECT_EQ(esito.registrabile, caso.righe.empty());
    }
}

// After every row passed, what the list file cannot hold is refused, naming
// the box and moving the focus to it.
TEST(ControllaDomanda, WhatTheListFileCannotHoldIsRefusedAfterTheTable) {
    const QString ss = QString(29, u'a') + QStringLiteral("ß");  // 30 typed, 31 as "SS"
    const struct {
        Operazione operazione;
        Cambia cambia;
        Casella fuoco;
        QString messaggio;
    } casi[] = {
        {Operazione::SalvaModulo, poni(&M::NomeStud, "Łukasz"), Casella::NomeStud,
         attenzione(" Il carattere \"Ł\" della casella Nome dello studente non può essere "
                    "registrato nell'elenco: sostituirlo.")},
        {Operazione::Modifica, poni(&M::ViaStud, "via µ 1"), Casella::ViaStud,  // capital µ
         attenzione(" Il carattere \"µ\" della casella Via o piazza dello studente non può "
                    "essere registrato nell'elenco: sostituirlo.")},
        {Operazione::Successivo, poni(&M::LuogoRich, "roma 😀"), Casella::LuogoRich,
         attenzione(" Il carattere \"😀\" della casella Luogo di nascita del richiedente non "
                    "può essere registrato nell'elenco: sostituirlo.")},
        {Operazione::Successivo, [&](M& m) { m.CognStud = ss; }, Casella::CognStud,
         attenzione(" Il testo della casella Cognome dello studente in maiuscolo supera i 30 "
                    "caratteri: accorciarlo.")},
        {Operazione::SalvaModulo, [](M& m) { m.Isee = QStringLiteral("1") + QString(40, u'0'); },
         Casella::Isee, attenzione(" L'importo della casella ISEE in euro è troppo grande.")},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.messaggio.toStdString());
        M modulo = ModuloCompleto();
        caso.cambia(modulo);

        const EsitoControlli esito = ControllaDomanda(caso.operazione, modulo);

        EXPECT_FALSE(esito.registrabile);
        EXPECT_EQ(esito.segnalazioni,
                  std::vector{segnalazione(kRigaCaratteri, caso.messaggio,
                                           IconaAvviso::Esclamazione, caso.fuoco)});
    }
    M modulo = ModuloCompleto();
    modulo.CognStud = ss.mid(1);
    EXPECT_TRUE(ControllaDomanda(Operazione::Successivo, modulo).registrabile);
    modulo.CognRich = QStringLiteral("Wałęsa");
    modulo.Isee.clear();
    EXPECT_EQ(ControllaDomanda(Operazione::Successivo, modulo).segnalazioni.at(0).riga, 24);
}

}  // namespace
