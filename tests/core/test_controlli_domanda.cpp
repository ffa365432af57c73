#include "ControlliDomanda.h"
#include "ControlloImporti.h"
#include "DataCalendario.h"
#include "DomandaDiProva.h"
#include "QtPrinters.h"
#include "clsGlobal.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <optional>

namespace {

using M = ModuloDomanda;
using C = Casella;
using O = Operazione;
using Cambia = std::function<void(M&)>;

Cambia poni(C casella, const char* testo, std::optional<C> seconda = {}, const char* t2 = "") {
    return [=](M& modulo) {
        modulo[casella] = QString::fromUtf8(testo);
        if (seconda) {
            modulo[*seconda] = QString::fromUtf8(t2);
        }
    };
}

// The text after "ATTENZIONE!\n" and the box of each row of the checks
// table; rows 10 and 20 (a comma in a street) and 23 and 25 (too many
// decimals, the box reset to 0) have messages of their own.
const std::pair<const char*, Casella> kRighe[] = {
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
    {nullptr, C::Spese},
    {" L'ISEE indicato non è un importo valido", C::Isee},
    {nullptr, C::Isee}};

Segnalazione attesa(int riga) {
    const auto [testo, casella] = kRighe[riga - 1];
    if (riga == 10 || riga == 20) {
        return {riga, kMessaggioCaratteriSpeciali, MessageIcon::Information, {}, {}};
    }
    if (riga == 23 || riga == 25) {
        return {riga, kMessaggioDecimali, MessageIcon::None, {}, casella};
    }
    return {
        riga, "ATTENZIONE!\n" + QString::fromUtf8(testo), MessageIcon::Exclamation, casella, {}};
}

// A change to a complete application and the row that refuses it under
// Successivo, "Salva modulo corrente" and Modifica (0: it is stored).
TEST(ControllaDomanda, EachOperationStopsAtTheFirstOfItsRowsThatFails) {
    const struct {
        const char* nome;
        Cambia cambia;
        int successivo, salvaModulo, modifica;
    } casi[] = {
        {"blank surname", poni(C::CognRich, "   "), 1, 1, 1},
        {"empty name", poni(C::NomeRich, ""), 2, 2, 2},
        {"blank birthplace", poni(C::LuogoRich, " "), 3, 3, 3},
        {"half-typed date", poni(C::DataRich, "12/3_/____"), 4, 4, 4},
        {"tax code of 15", poni(C::CodFiscRich, "RSSMRA70C05H501"), 5, 0, 0},
        {"16 digits as tax code, full stop in street",
         poni(C::CodFiscRich, "1234567890123456", C::ViaRich, "Via Roma. 5"), 0, 0, 0},
        {"no town, short CAP", poni(C::ComRich, "", C::CapRich, "001"), 7, 6, 6},
        {"no town", poni(C::ComRich, ""), 7, 7, 7},
        {"CAP of 4 and a blank", poni(C::CapRich, "0010 "), 8, 6, 6},
        {"empty street", poni(C::ViaRich, ""), 9, 9, 9},
        {"comma in street", poni(C::ViaRich, "Via Roma, 5"), 10, 0, 0},
        {"empty number", poni(C::NumRich, ""), 11, 11, 11},
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
        {"30 as upper case", poni(C::CognStud, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaß"), 0, 0, 0},
        {"the table first", poni(C::CognRich, "Wałęsa", C::Isee, ""), 24, 24, 24},
        {"two decimals, point last", poni(C::Spese, "12.50", C::Isee, "12."), 0, 0, 0},
    };
    for (const auto& caso : casi) {
        for (const auto& [operazione, riga] : {std::pair{O::Successivo, caso.successivo},
                                               {O::SalvaModulo, caso.salvaModulo},
                                               {O::Modifica, caso.modifica}}) {
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

// The decimals checks of the amounts (more than two characters after the
// first point) go on to the following rows, and tell the screen which
// separator flags to clear.
TEST(ControllaDomanda, TooManyDecimalsAreToldAndTheChecksGoOn) {
    const std::tuple<O, const char*, const char*, std::vector<int>, bool> casi[] = {
        {O::Successivo, ".125", "", {23, 24}, true},
        {O::Successivo, "1.2.3", "2.002", {23, 25}, true},
        {O::Successivo, "1234.56", "5000.755", {25}, false},
        {O::Modifica, "1.234", "5000", {23}, false},
        {O::Modifica, "1234.56", "1.234", {25}, true},
        {O::SalvaModulo, "1.2345", "0.001", {}, false}};
    for (const auto& [operazione, spese, isee, righe, azzera] : casi) {
        SCOPED_TRACE(testing::Message() << spese << " / " << isee);
        M modulo = ModuloCompleto();
        poni(C::Spese, spese, C::Isee, isee)(modulo);

        const EsitoControlli esito = ControllaDomanda(operazione, modulo);

        std::vector<Segnalazione> attese;
        std::transform(righe.begin(), righe.end(), std::back_inserter(attese), attesa);
        EXPECT_EQ(esito.segnalazioni, attese);
        EXPECT_EQ(esito.azzeraPunti, azzera);
        EXPECT_EQ(esito.registrabile, righe.empty());
    }
}

// After every row passed, what the list file cannot hold is refused, naming
// the character (a control character by its code) or the box, and moving
// the focus to the box.
TEST(ControllaDomanda, WhatTheListFileCannotHoldIsRefusedAfterTheTable) {
    const std::tuple<Operazione, Cambia, Casella, QString> casi[] = {
        {O::SalvaModulo, poni(C::NomeStud, "Łukasz"), C::NomeStud, "\"Ł\""},
        {O::Modifica, poni(C::ViaStud, "via µ 1"), C::ViaStud, "\"µ\""},  // capital µ
        {O::Successivo, poni(C::LuogoRich, "😀 roma"), C::LuogoRich, "\"😀\""},
        {O::Successivo, poni(C::ComStud, "ro\x1fma"), C::ComStud, "\"U+001F\""},
        {O::Successivo, poni(C::CognStud, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaß"), C::CognStud, "30"},
        {O::Modifica, poni(C::Isee, "1000000000000000000000000000000000000000"), C::Isee, "ISEE"},
    };
    for (const auto& [operazione, cambia, fuoco, nominato] : casi) {
        SCOPED_TRACE(nominato.toStdString());
        M modulo = ModuloCompleto();
        cambia(modulo);

        const EsitoControlli esito = ControllaDomanda(operazione, modulo);

        EXPECT_FALSE(esito.registrabile);
        ASSERT_EQ(esito.segnalazioni.size(), 1u);
        Segnalazione vista = esito.segnalazioni[0];
        EXPECT_TRUE(vista.messaggio.contains(nominato)) << vista.messaggio.toStdString();
        vista.messaggio.clear();
        EXPECT_EQ(vista, (Segnalazione{kRigaCaratteri, {}, MessageIcon::Exclamation, fuoco, {}}));
    }
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
        {13, false, 0, false},     {0x0663, false, 0, false}};
    for (const auto& [digitato, bPunto, inserito, bPuntoDopo] : casi) {
        SCOPED_TRACE(testing::Message() << int(digitato) << " after point: " << bPunto);
        const EsitoTasto esito = FiltraTastoImporto(QChar(digitato), bPunto);
        EXPECT_EQ(esito.carattere, inserito ? std::optional(QChar(inserito)) : std::nullopt);
        EXPECT_EQ(esito.bPunto, bPuntoDopo);
    }
}

TEST(ValoreImporto, ReadsThePointDecimalUpToWhatEndsTheNumberAsSinglePrecision) {
    const QString massimo = QStringLiteral("340282346638528859811704183484516925440");
    const QString minuscolo = "00." + QString(60, u'0') + "1";
    const std::pair<QString, std::optional<float>> casi[] = {
        {"1234.56", 1234.56f}, {" 250.5 ", 250.5f}, {"12.", 12.0f},     {"", 0.0f},
        {"1,5", 1.0f},         {"3e5", 3.0f},       {massimo, FLT_MAX}, {massimo + "0", {}},
        {minuscolo, 0.0f}};
    for (const auto& [testo, valore] : casi) {
        EXPECT_EQ(ValoreImporto(testo), valore) << testo.toStdString();
    }
}

TEST(DataValida, TakesOnlyRealCalendarDatesWrittenDdMmYyyy) {
    EXPECT_TRUE(DataValida("29/02/2000") && DataValida("31/12/1999") && DataValida("01/01/0001"));
    for (const char* invalida :
         {"29/02/1900", "31/04/2006", "00/01/2000", "01/13/2000", "01/01/0000", "05/03/197_",
          "2000-02-29", "05/03.1998", "05-03/1998", "+1/03/2000", ""}) {
        EXPECT_FALSE(DataValida(QString::fromLatin1(invalida))) << invalida;
    }
}

// Date types: 1 dd/mm/yyyy, 2 mm/dd/yyyy, 3 yyyy-mm-dd. Only the character
// positions count; an unknown target swaps day and month, an unknown source
// gives nothing, the same type on both sides or an empty date is kept as it
// is; any other date not ten characters long fails with the fixed error.
TEST(DbConvertiData, RearrangesTheCharacterPositionsOfTenCharacterDates) {
    const std::tuple<const char*, int, int, const char*> casi[] = {
        {"25/05/2006", 1, 3, "2006-05-25"}, {"99.88.7777", 1, 2, "88/99/7777"},
        {"05/25/2006", 2, 1, "25/05/2006"}, {"05/25/2006", 2, 3, "2006-05-25"},
        {"2006-05-25", 3, 1, "25/05/2006"}, {"2006-05-25", 3, 2, "05/25/2006"},
        {"25/05/2006", 1, 7, "05/25/2006"}, {"25/05/2006", 4, 1, ""},
        {"5/5/2006", 1, 1, "5/5/2006"},     {"", 1, 3, ""}};
    for (const auto& [input, from, to, expected] : casi) {
        const Result<QString> converted = clsGlobal().DbConvertiData(input, from, to);
        ASSERT_TRUE(converted.ok()) << input << " " << from << "->" << to;
        EXPECT_EQ(*converted, QString::fromLatin1(expected)) << input << " " << from << "->" << to;
    }
    EXPECT_FALSE(clsGlobal().DbConvertiData("5/5/2006", 1, 3).ok());
}

TEST(DbRicostruisciData, InsertsTheSeparatorBetweenThePieces) {
    EXPECT_EQ(clsGlobal().DbRicostruisciData("20060525", 1, "/"), "25/05/2006");
    EXPECT_EQ(clsGlobal().DbRicostruisciData("25052006", 2, " - "), "25 - 05 - 2006");
    EXPECT_EQ(clsGlobal().DbRicostruisciData("20060525", 4, "/"), "");
}

}  // namespace
