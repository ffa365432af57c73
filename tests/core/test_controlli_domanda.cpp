#include "ControlliDomanda.h"
#include "ControlloImporti.h"
#include "DataCalendario.h"
#include "ModuloDiProva.h"
#include "QtPrinters.h"
#include "clsGlobal.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <optional>
#include <span>

namespace {

using M = ModuloDomanda;
using C = Casella;
using Cambia = std::function<void(M&)>;

Cambia poni(C casella, const char* testo, std::optional<C> seconda = {}, const char* t2 = "") {
    return [=](M& modulo) {
        modulo[casella] = QString::fromUtf8(testo);
        if (seconda) {
            modulo[*seconda] = QString::fromUtf8(t2);
        }
    };
}

// The text after "ATTENZIONE!\n" and the focus of each row of the checks
// table; rows 10 and 20 (a comma in a street) and 23 and 25 (too many
// decimals) have messages of their own.
const std::pair<const char*, Casella> kRighe[] = {
    {},
    {" Cognome Richiedente non valido", C::CognRich},
    {" Nome Richiedente non valido", C::NomeRich},
    {" Luogo di Nascita del Richiedente non valido", C::LuogoRich},
    {" Data di Nascita del Richiedente non valid", C::DataRich},
    {" Codice Fiscale del Richiedente non valido", C::CodFiscRich},
    {" CAP del Richiedente non valido", C::CapRich},
    {" Comune di Residenza del Richiedente non valido", C::ComRich},
    {" CAP Richiedente non valido", C::CapRich},
    {" Indirizzo Richiedente non valido", C::ViaRich},
    {},
    {" Numero Civico dell'indirizzo del Richiedente non valido", C::NumRich},
    {" Cognome Studente non valido", C::CognStud},
    {" Nome Studente non valido", C::NomeStud},
    {" Luogo di Nascita dello Studente non valido", C::LuogoStud},
    {" Data di Nascita dello Studente non valida", C::DataStud},
    {" Codice Fiscale dello Studente non valido", C::CodFiscStud},
    {" Comune di Residenza dello Studente non valido", C::ComStud},
    {" CAP Studente non valido", C::CapStud},
    {" Indirizzo dello Studente non valido", C::ViaStud},
    {},
    {" Numero civico dell'indirizzo dello Studente non valido", C::NumStud},
    {"Importo indicato nelle Spese Sostenute non valido", C::Spese},
    {},
    {" L'ISEE indicato non è un importo valido", C::Isee}};

Segnalazione attesa(int riga) {
    if (riga == 10 || riga == 20) {
        return {riga, kMessaggioCaratteriSpeciali, IconaAvviso::Informazione, {}, {}};
    }
    if (riga == 23 || riga == 25) {
        return {
            riga, kMessaggioDecimali, IconaAvviso::Nessuna, {}, riga == 23 ? C::Spese : C::Isee};
    }
    const QString testo = QStringLiteral("ATTENZIONE!\n") + QString::fromUtf8(kRighe[riga].first);
    return {riga, testo, IconaAvviso::Esclamazione, kRighe[riga].second, {}};
}

// A change to a complete application and the row that refuses it under
// Successivo, "Salva modulo corrente" and Modifica (0: it is stored).
TEST(ControllaDomanda, EachOperationStopsAtTheFirstOfItsRowsThatFails) {
    const struct {
        const char* nome;
        Cambia cambia;
        int successivo, salvaModulo, modifica;
    } casi[] = {
        {"complete", [](M&) {}, 0, 0, 0},
        {"blank surname", poni(C::CognRich, "   "), 1, 1, 1},
        {"empty name", poni(C::NomeRich, ""), 2, 2, 2},
        {"blank birthplace", poni(C::LuogoRich, " "), 3, 3, 3},
        {"half-typed date", poni(C::DataRich, "12/3_/____"), 4, 4, 4},
        {"tax code of 15", poni(C::CodFiscRich, "RSSMRA70C05H501"), 5, 0, 0},
        {"16 digits as tax code", poni(C::CodFiscRich, "1234567890123456"), 0, 0, 0},
        {"no town, short CAP", poni(C::ComRich, "", C::CapRich, "001"), 7, 6, 6},
        {"no town", poni(C::ComRich, ""), 7, 7, 7},
        {"CAP of 4 and a blank", poni(C::CapRich, "0010 "), 8, 6, 6},
        {"empty street", poni(C::ViaRich, ""), 9, 9, 9},
        {"comma in street", poni(C::ViaRich, "Via Roma, 5"), 10, 0, 0},
        {"full stop in street", poni(C::ViaRich, "Via Roma. 5"), 0, 0, 0},
        {"empty number", poni(C::NumRich, ""), 11, 11, 11},
        {"blanks around number", poni(C::NumRich, "  3 "), 0, 0, 0},
        {"student surname", poni(C::CognStud, ""), 12, 12, 12},
        {"student name", poni(C::NomeStud, ""), 13, 13, 13},
        {"student birthplace", poni(C::LuogoStud, ""), 14, 14, 14},
        {"29 Feb 1900", poni(C::DataStud, "29/02/1900"), 15, 15, 15},
        {"student tax code of 15", poni(C::CodFiscStud, "RSSLCU00B69H501"), 16, 16, 16},
        {"student town", poni(C::ComStud, ""), 17, 17, 17},
        {"student CAP of 4", poni(C::CapStud, "0010"), 18, 18, 18},
        {"student street", poni(C::ViaStud, ""), 19, 19, 19},
        {"comma in student street", poni(C::ViaStud, ","), 20, 0, 0},
        {"student number", poni(C::NumStud, " "), 21, 21, 21},
        {"blank expenses", poni(C::Spese, "  "), 22, 22, 22},
        {"empty ISEE", poni(C::Isee, ""), 24, 24, 24},
        {"two decimals, point last", poni(C::Spese, "12.50", C::Isee, "12."), 0, 0, 0},
        {"texts at full width", poni(C::CognRich, "ROSSI                         "), 0, 0, 0},
    };
    for (const auto& caso : casi) {
        for (const auto& [operazione, riga] : {std::pair{Operazione::Successivo, caso.successivo},
                                               {Operazione::SalvaModulo, caso.salvaModulo},
                                               {Operazione::Modifica, caso.modifica}}) {
            SCOPED_TRACE(testing::Message() << caso.nome << ", operation " << int(operazione));
            M modulo = ModuloCompleto();
            caso.cambia(modulo);

            const EsitoControlli esito = ControllaDomanda(operazione, modulo);

            EXPECT_EQ(esito.registrabile, riga == 0);
            EXPECT_EQ(esito.segnalazioni,
                      riga == 0 ? std::vector<Segnalazione>() : std::vector{attesa(riga)});
        }
    }
}

// The decimals checks of the amounts go on to the following rows, and tell
// the screen which separator flags to clear.
TEST(ControllaDomanda, TooManyDecimalsAreToldAndTheChecksGoOn) {
    using O = Operazione;
    const std::tuple<O, const char*, const char*, std::vector<int>, bool, bool, bool> casi[] = {
        {O::Successivo, "100.125", "", {23, 24}, true, false, true},
        {O::Successivo, "1.001", "2.002", {23, 25}, true, true, true},
        {O::Successivo, "1234.56", "5000.755", {25}, false, true, false},
        {O::Modifica, "1.234", "5000", {23}, true, false, false},
        {O::Modifica, "1234.56", "1.234", {25}, false, true, true},
        {O::Modifica, "0", "5000.75", {}, false, false, false},
        {O::SalvaModulo, "1.2345", "0.001", {}, false, false, false}};
    for (const auto& [operazione, spese, isee, righe, erroreSpese, erroreIsee, azzera] : casi) {
        SCOPED_TRACE(testing::Message() << spese << " / " << isee);
        M modulo = ModuloCompleto();
        poni(C::Spese, spese, C::Isee, isee)(modulo);

        const EsitoControlli esito = ControllaDomanda(operazione, modulo);

        std::vector<Segnalazione> attese;
        std::transform(righe.begin(), righe.end(), std::back_inserter(attese), attesa);
        EXPECT_EQ(esito.segnalazioni, attese);
        EXPECT_EQ(std::tuple(esito.bErroreSpese, esito.bErroreIsee, esito.azzeraPunti),
                  std::tuple(erroreSpese, erroreIsee, azzera));
        EXPECT_EQ(esito.registrabile, righe.empty());
    }
}

// After every row passed, what the list file cannot hold is refused, naming
// the box and moving the focus to it.
TEST(ControllaDomanda, WhatTheListFileCannotHoldIsRefusedAfterTheTable) {
    const QString ss = QString(29, u'a') + QStringLiteral("ß");  // 30 typed, 31 as "SS"
    const QString carattere = QStringLiteral(
        "ATTENZIONE!\n Il carattere \"%1\" della casella %2 non può essere registrato "
        "nell'elenco: sostituirlo.");
    const std::tuple<Operazione, Cambia, Casella, QString> casi[] = {
        {Operazione::SalvaModulo, poni(C::NomeStud, "Łukasz"), C::NomeStud,
         carattere.arg("Ł", "Nome dello studente")},
        {Operazione::Modifica, poni(C::ViaStud, "via µ 1"), C::ViaStud,  // capital µ
         carattere.arg("µ", "Via o piazza dello studente")},
        {Operazione::Successivo, poni(C::LuogoRich, "roma 😀"), C::LuogoRich,
         carattere.arg("😀", "Luogo di nascita del richiedente")},
        {Operazione::Successivo, [&](M& m) { m[Campo::CognStud] = ss; }, C::CognStud,
         "ATTENZIONE!\n Il testo della casella Cognome dello studente in maiuscolo supera i 30 "
         "caratteri: accorciarlo."},
        {Operazione::SalvaModulo,
         [](M& m) { m[Campo::Isee] = QStringLiteral("1") + QString(40, u'0'); }, C::Isee,
         "ATTENZIONE!\n L'importo della casella ISEE in euro è troppo grande."},
    };
    for (const auto& [operazione, cambia, fuoco, messaggio] : casi) {
        SCOPED_TRACE(messaggio.toStdString());
        M modulo = ModuloCompleto();
        cambia(modulo);

        const EsitoControlli esito = ControllaDomanda(operazione, modulo);

        EXPECT_FALSE(esito.registrabile);
        const Segnalazione rifiuto{kRigaCaratteri, messaggio, IconaAvviso::Esclamazione, fuoco, {}};
        EXPECT_EQ(esito.segnalazioni, std::vector{rifiuto});
    }
    M modulo = ModuloCompleto();
    modulo[Campo::CognStud] = ss.mid(1);
    EXPECT_TRUE(ControllaDomanda(Operazione::Successivo, modulo).registrabile);
    modulo[Campo::CognRich] = QStringLiteral("Wałęsa");
    modulo[Campo::Isee].clear();
    EXPECT_EQ(ControllaDomanda(Operazione::Successivo, modulo).segnalazioni.at(0).riga, 24);
}

// A point typed as point or comma enters once; only digits and backspace
// otherwise.
TEST(FiltraTastoImporto, KeepsDigitsBackspaceAndOnePointTypedAsPointOrComma) {
    // The key, whether a point was typed already, what enters (0: nothing)
    // and whether a point is typed afterwards; 8 is the backspace.
    const std::tuple<char16_t, bool, char16_t, bool> casi[] = {
        {u',', false, u'.', true}, {u'.', false, u'.', true},  {u',', true, 0, true},
        {u'.', true, 0, true},     {u'0', false, u'0', false}, {u'9', true, u'9', true},
        {8, true, 8, true},        {u'-', false, 0, false},    {u'e', true, 0, true},
        {u' ', false, 0, false},   {13, false, 0, false},      {0x0663, false, 0, false}};
    for (const auto& [digitato, bPunto, inserito, bPuntoDopo] : casi) {
        SCOPED_TRACE(testing::Message() << int(digitato) << " after point: " << bPunto);
        const EsitoTasto esito = FiltraTastoImporto(QChar(digitato), bPunto);
        EXPECT_EQ(esito.carattere, inserito ? std::optional(QChar(inserito)) : std::nullopt);
        EXPECT_EQ(esito.bPunto, bPuntoDopo);
    }
}

TEST(ControllaDecimali, RefusesMoreThanTwoCharactersAfterTheFirstPointLeavingZero) {
    const std::pair<const char*, const char*> casi[] = {
        {"12", "12"},           {"12.5", "12.5"}, {"12.50", "12.50"}, {"12.", "12."},
        {"12. 50 ", "12. 50 "}, {"", ""},         {"12.505", "0"},    {"1.2.3", "0"}};
    for (const auto& [importo, testo] : casi) {
        EXPECT_EQ(ControllaDecimali(importo).testo, QString::fromLatin1(testo));
        EXPECT_EQ(ControllaDecimali(importo).bTroppiDecimali, *testo == '0') << importo;
    }
    EXPECT_EQ(kMessaggioDecimali,
              QStringLiteral("ATTENZIONE! Non inserire più di due cifre dopo la virgola. \n Il "
                             "contenuto della casella verrà eliminato."));
}

TEST(ValoreImporto, ReadsThePointDecimalUpToWhatEndsTheNumberAsSinglePrecision) {
    const std::pair<QString, std::optional<float>> casi[] = {
        {"1234.56", 1234.56f},
        {" 250.5 ", 250.5f},
        {"12.", 12.0f},
        {"1.23456789", 1.23456789f},
        {"", 0.0f},
        {".", 0.0f},
        {"1,5", 1.0f},
        {"3e5", 3.0f},
        {"340282346638528859811704183484516925440", FLT_MAX},
        {"1" + QString(39, u'0'), std::nullopt},
        {"0." + QString(60, u'0') + "1", 0.0f}};
    for (const auto& [testo, valore] : casi) {
        EXPECT_EQ(ValoreImporto(testo), valore) << testo.toStdString();
    }
}

TEST(DataValida, TakesOnlyRealCalendarDatesWrittenDdMmYyyy) {
    for (const char* valida : {"29/02/2000", "29/02/2004", "31/12/1999", "01/01/0001"}) {
        EXPECT_TRUE(DataValida(QString::fromLatin1(valida))) << valida;
    }
    for (const char* invalida :
         {"29/02/1900", "29/02/2005", "31/04/2006", "00/01/2000", "01/13/2000", "01/01/0000",
          "__/__/____", "12/3_/____", "05/03/197_", "2000-02-29", "1/1/2000", "05-03-1998",
          "05/03.1998", "05/03/19980", ""}) {
        EXPECT_FALSE(DataValida(QString::fromLatin1(invalida))) << invalida;
    }
}

// Date types: 1 dd/mm/yyyy, 2 mm/dd/yyyy, 3 yyyy-mm-dd. Only the character
// positions count; an unknown target swaps day and month, an unknown source
// gives nothing, the same type on both sides keeps any input.
TEST(DbConvertiData, RearrangesTheCharacterPositionsOfTenCharacterDates) {
    using Caso = std::tuple<const char*, int, int, const char*>;
    const Caso date[] = {{"25/05/2006", 1, 3, "2006-05-25"},  {"25/05/2006", 1, 2, "05/25/2006"},
                         {"05/25/2006", 2, 1, "25/05/2006"},  {"05/25/2006", 2, 3, "2006-05-25"},
                         {"2006-05-25", 3, 1, "25/05/2006"},  {"2006-05-25", 3, 2, "05/25/2006"},
                         {"25/05/2006", 1, 7, "05/25/2006"},  {"05/25/2006", 2, 0, "25/05/2006"},
                         {"2006-05-25", 3, -1, "05/25/2006"}, {"25-05-2006", 1, 2, "05/25/2006"},
                         {"99.88.7777", 1, 3, "7777-88-99"},  {"25/05/2006", 4, 1, ""}};
    const Caso altri[] = {
        {"5/5/2006", 1, 1, "5/5/2006"}, {"abc", 5, 5, "abc"}, {"", 1, 3, ""}, {"", 9, 8, ""}};
    for (const std::span<const Caso> tabella :
         {std::span<const Caso>(date), std::span<const Caso>(altri)}) {
        for (const auto& [input, from, to, expected] : tabella) {
            const Result<QString> converted = clsGlobal().DbConvertiData(input, from, to);
            ASSERT_TRUE(converted.ok()) << input << " " << from << "->" << to;
            EXPECT_EQ(*converted, QString::fromLatin1(expected))
                << input << " " << from << "->" << to;
        }
    }
}

TEST(DbConvertiData, AnInputThatIsNotTenCharactersLongFailsWithTheFixedError) {
    for (const char* input : {"5/5/2006", "25/05/20061", " ", "12345"}) {
        const Result<QString> converted = clsGlobal().DbConvertiData(input, 1, 3);

        ASSERT_FALSE(converted.ok()) << input;
        EXPECT_EQ(converted.error().code, -2147221502);
        EXPECT_EQ(converted.error().source, QStringLiteral("clsGlobal"));
        EXPECT_EQ(converted.error().message,
                  QStringLiteral("Errore di passaggio parametri a funzione convertidata, la "
                                 "data deve essere in formato 10 caratteri"));
    }
    EXPECT_FALSE(clsGlobal().DbConvertiData("12345", 8, 9).ok());
}

TEST(DbRicostruisciData, InsertsTheSeparatorBetweenThePieces) {
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"20060525", 1, "/", "25/05/2006"}, {"25052006", 2, ".", "25.05.2006"},
        {"20060525", 3, "-", "2006-05-25"}, {"20060525", 4, "/", ""},
        {"200605", 1, "/", "/05/2006"},     {"25052006", 2, " - ", "25 - 05 - 2006"},
        {"20060525", 1, "", "25052006"},    {"", 1, "/", "//"}};
    for (const auto& [input, type, separator, expected] : cases) {
        EXPECT_EQ(clsGlobal().DbRicostruisciData(input, type, separator),
                  QString::fromLatin1(expected))
            << input << " type " << type;
    }
}

}  // namespace
