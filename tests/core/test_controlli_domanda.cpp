#include "ControlliDomanda.h"
#include "ControlloImporti.h"
#include "ModuloDiProva.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace {

using Cambia = std::function<void(ModuloDomanda&)>;

// One refused application: what to change in a complete one, and the row
// that must stop it, its exact message and where the focus must go.
struct CasoRifiuto {
    const char* nome;
    Operazione operazione;
    Cambia cambia;
    int riga;
    const char* messaggio;  // after "ATTENZIONE!\n"; nullptr: the special-character message
    std::optional<Casella> fuoco;
};

void PrintTo(const CasoRifiuto& caso, std::ostream* out) {
    *out << caso.nome;
}

QString messaggioAtteso(const CasoRifiuto& caso) {
    return caso.messaggio == nullptr
               ? kMessaggioCaratteriSpeciali
               : QStringLiteral("ATTENZIONE!\n") + QString::fromUtf8(caso.messaggio);
}

class RigaCheFallisce : public testing::TestWithParam<CasoRifiuto> {};

TEST_P(RigaCheFallisce, StopsWithItsMessageAndFocus) {
    const CasoRifiuto& caso = GetParam();
    ModuloDomanda modulo = ModuloCompleto();
    caso.cambia(modulo);

    const EsitoControlli esito = ControllaDomanda(caso.operazione, modulo);

    EXPECT_FALSE(esito.registrabile);
    ASSERT_EQ(esito.segnalazioni.size(), 1u);
    const Segnalazione& segnalazione = esito.segnalazioni.front();
    EXPECT_EQ(segnalazione.riga, caso.riga);
    EXPECT_EQ(segnalazione.messaggio, messaggioAtteso(caso));
    EXPECT_EQ(segnalazione.fuoco, caso.fuoco);
    EXPECT_EQ(segnalazione.icona,
              caso.messaggio == nullptr ? IconaAvviso::Informazione : IconaAvviso::Esclamazione);
    EXPECT_FALSE(segnalazione.azzera.has_value());
}

Cambia poni(QString ModuloDomanda::*casella, const char* testo) {
    return [casella, testo](ModuloDomanda& modulo) { modulo.*casella = QString::fromUtf8(testo); };
}

using M = ModuloDomanda;
constexpr auto S = Operazione::Successivo;
constexpr auto SM = Operazione::SalvaModulo;
constexpr auto MOD = Operazione::Modifica;

INSTANTIATE_TEST_SUITE_P(
    Successivo, RigaCheFallisce,
    testing::Values(
        CasoRifiuto{"R1_CognomeDiSoliSpazi", S, poni(&M::CognRich, "   "), 1,
                    " Cognome Richiedente non valido", Casella::CognRich},
        CasoRifiuto{"R2_NomeVuoto", S, poni(&M::NomeRich, ""), 2, " Nome Richiedente non valido",
                    Casella::NomeRich},
        CasoRifiuto{"R3_LuogoVuoto", S, poni(&M::LuogoRich, " "), 3,
                    " Luogo di Nascita del Richiedente non valido", Casella::LuogoRich},
        CasoRifiuto{"R4_DataVuota", S, poni(&M::DataRich, "__/__/____"), 4,
                    " Data di Nascita del Richiedente non valid", Casella::DataRich},
        CasoRifiuto{"R4_DataInesistente", S, poni(&M::DataRich, "31/04/2006"), 4,
                    " Data di Nascita del Richiedente non valid", Casella::DataRich},
        CasoRifiuto{"R5_CodiceFiscaleDi15", S, poni(&M::CodFiscRich, "RSSMRA70C05H501"), 5,
                    " Codice Fiscale del Richiedente non valido", Casella::CodFiscRich},
        CasoRifiuto{"R7_ComuneVuotoPrimaDelCap", S,
                    [](M& m) {
                        m.ComRich.clear();
                        m.CapRich = QStringLiteral("001");
                    },
                    7, " Comune di Residenza del Richiedente non valido", Casella::ComRich},
        CasoRifiuto{"R8_CapDiQuattroPiuUnoSpazio", S, poni(&M::CapRich, "0010 "), 8,
                    " CAP Richiedente non valido", Casella::CapRich},
        CasoRifiuto{"R9_ViaVuota", S, poni(&M::ViaRich, ""), 9, " Indirizzo Richiedente non valido",
                    Casella::ViaRich},
        CasoRifiuto{"R10_ViaConVirgola", S, poni(&M::ViaRich, "Via Roma, 5"), 10, nullptr,
                    std::nullopt},
        CasoRifiuto{"R11_CivicoVuoto", S, poni(&M::NumRich, ""), 11,
                    " Numero Civico dell'indirizzo del Richiedente non valido", Casella::NumRich},
        CasoRifiuto{"R12_CognomeStudente", S, poni(&M::CognStud, ""), 12,
                    " Cognome Studente non valido", Casella::CognStud},
        CasoRifiuto{"R13_NomeStudente", S, poni(&M::NomeStud, ""), 13, " Nome Studente non valido",
                    Casella::NomeStud},
        CasoRifiuto{"R14_LuogoStudente", S, poni(&M::LuogoStud, ""), 14,
                    " Luogo di Nascita dello Studente non valido", Casella::LuogoStud},
        CasoRifiuto{"R15_29FebbraioNonBisestile", S, poni(&M::DataStud, "29/02/1900"), 15,
                    " Data di Nascita dello Studente non valida", Casella::DataStud},
        CasoRifiuto{"R16_CodiceStudenteDi15", S, poni(&M::CodFiscStud, "RSSLCU00B69H501"), 16,
                    " Codice Fiscale dello Studente non valido", Casella::CodFiscStud},
        CasoRifiuto{"R17_ComuneStudente", S, poni(&M::ComStud, ""), 17,
                    " Comune di Residenza dello Studente non valido", Casella::ComStud},
        CasoRifiuto{"R18_CapStudente", S, poni(&M::CapStud, "0010"), 18, " CAP Studente non valido",
                    Casella::CapStud},
        CasoRifiuto{"R19_ViaStudente", S, poni(&M::ViaStud, ""), 19,
                    " Indirizzo dello Studente non valido", Casella::ViaStud},
        CasoRifiuto{"R20_ViaStudenteConVirgola", S, poni(&M::ViaStud, ","), 20, nullptr,
                    std::nullopt},
        CasoRifiuto{"R21_CivicoStudente", S, poni(&M::NumStud, ""), 21,
                    " Numero civico dell'indirizzo dello Studente non valido", Casella::NumStud},
        CasoRifiuto{"R22_SpeseVuote", S, poni(&M::Spese, ""), 22,
                    "Importo indicato nelle Spese Sostenute non valido", Casella::Spese},
        CasoRifiuto{"R24_IseeVuoto", S, poni(&M::Isee, ""), 24,
                    " L'ISEE indicato non è un importo valido", Casella::Isee}),
    [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(
    SalvaModulo, RigaCheFallisce,
    testing::Values(CasoRifiuto{"R4_DataParziale", SM, poni(&M::DataRich, "12/3_/____"), 4,
                                " Data di Nascita del Richiedente non valid", Casella::DataRich},
                    CasoRifiuto{"R6_CapCortoPrimaDelComune", SM,
                                [](M& m) {
                                    m.ComRich.clear();
                                    m.CapRich = QStringLiteral("0010");
                                },
                                6, " CAP del Richiedente non valido", Casella::CapRich},
                    CasoRifiuto{"R16_CodiceStudenteVuoto", SM, poni(&M::CodFiscStud, ""), 16,
                                " Codice Fiscale dello Studente non valido", Casella::CodFiscStud},
                    CasoRifiuto{"R22_SpeseDiSoliSpazi", SM, poni(&M::Spese, "  "), 22,
                                "Importo indicato nelle Spese Sostenute non valido",
                                Casella::Spese},
                    CasoRifiuto{"R24_IseeVuoto", SM, poni(&M::Isee, ""), 24,
                                " L'ISEE indicato non è un importo valido", Casella::Isee}),
    [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(
    Modifica, RigaCheFallisce,
    testing::Values(
        CasoRifiuto{"R4_DataVuota", MOD, poni(&M::DataRich, "__/__/____"), 4,
                    " Data di Nascita del Richiedente non valid", Casella::DataRich},
        CasoRifiuto{"R6_CapCortoPrimaDelComune", MOD,
                    [](M& m) {
                        m.ComRich.clear();
                        m.CapRich = QStringLiteral("0010");
                    },
                    6, " CAP del Richiedente non valido", Casella::CapRich},
        CasoRifiuto{"R7_ComuneVuoto", MOD, poni(&M::ComRich, ""), 7,
                    " Comune di Residenza del Richiedente non valido", Casella::ComRich},
        CasoRifiuto{"R15_DataStudenteVuota", MOD, poni(&M::DataStud, "__/__/____"), 15,
                    " Data di Nascita dello Studente non valida", Casella::DataStud},
        CasoRifiuto{"R16_CodiceStudenteDi15", MOD, poni(&M::CodFiscStud, "RSSLCU00B69H501"), 16,
                    " Codice Fiscale dello Studente non valido", Casella::CodFiscStud},
        CasoRifiuto{"R21_CivicoStudente", MOD, poni(&M::NumStud, " "), 21,
                    " Numero civico dell'indirizzo dello Studente non valido", Casella::NumStud}),
    [](const auto& info) { return std::string(info.param.nome); });

// What one operation lets through while another refuses it.
struct CasoAccettato {
    const char* nome;
    Operazione operazione;
    Cambia cambia;
};

void PrintTo(const CasoAccettato& caso, std::ostream* out) {
    *out << caso.nome;
}

class SelezioneDelleRighe : public testing::TestWithParam<CasoAccettato> {};

TEST_P(SelezioneDelleRighe, LetsTheApplicationThrough) {
    ModuloDomanda modulo = ModuloCompleto();
    GetParam().cambia(modulo);

    const EsitoControlli esito = ControllaDomanda(GetParam().operazione, modulo);

    EXPECT_TRUE(esito.registrabile);
    EXPECT_TRUE(esito.segnalazioni.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Tutte, SelezioneDelleRighe,
    testing::Values(
        CasoAccettato{"S_ApplicazioneCompleta", S, [](M&) {}},
        CasoAccettato{"S_CodiceFiscaleDiSedariCifre", S, poni(&M::CodFiscRich, "1234567890123456")},
        CasoAccettato{"S_ViaConPunto", S, poni(&M::ViaRich, "Via Roma. 5")},
        CasoAccettato{"S_DueDecimaliEPuntoFinale", S,
                      [](M& m) {
                          m.Spese = QStringLiteral("12.50");
                          m.Isee = QStringLiteral("12.");
                      }},
        CasoAccettato{"S_SpaziAttornoAiTesti", S, poni(&M::NumRich, "  3 ")},
        CasoAccettato{"S_EsseTedescaDiventaSS", S, poni(&M::CognRich, "straß")},
        CasoAccettato{"SM_CodiceFiscaleRichiedenteVuoto", SM, poni(&M::CodFiscRich, "")},
        CasoAccettato{"SM_VieConVirgola", SM,
                      [](M& m) {
                          m.ViaRich = QStringLiteral("Via Roma, 5");
                          m.ViaStud = QStringLiteral("Via Roma, 5");
                      }},
        CasoAccettato{"SM_QuattroDecimali", SM,
                      [](M& m) {
                          m.Spese = QStringLiteral("1.2345");
                          m.Isee = QStringLiteral("0.001");
                      }},
        CasoAccettato{"MOD_CodiceFiscaleRichiedenteDi3", MOD, poni(&M::CodFiscRich, "abc")},
        CasoAccettato{"MOD_ViaConVirgola", MOD, poni(&M::ViaStud, "Via Roma, 5")},
        CasoAccettato{"MOD_TestiAPienaLarghezza", MOD,
                      [](M& m) {
                          m.CognRich = QStringLiteral("ROSSI").leftJustified(30);
                          m.CapRich = QStringLiteral("00100");
                          m.CodFiscStud = QStringLiteral("RSSLCU00B69H501Y");
                          m.Spese = QStringLiteral("1250.5");
                      }}),
    [](const auto& info) { return std::string(info.param.nome); });

Segnalazione decimali(int riga, Casella casella) {
    return {riga, kMessaggioDecimali, IconaAvviso::Nessuna, std::nullopt, casella};
}

TEST(Decimali, ThreeDecimalsOfSpeseWithIseeEmptyShowBothMessagesInOrder) {
    ModuloDomanda modulo = ModuloCompleto();
    modulo.Spese = QStringLiteral("100.125");
    modulo.Isee.clear();

    const EsitoControlli esito = ControllaDomanda(Operazione::Successivo, modulo);

    ASSERT_EQ(esito.segnalazioni.size(), 2u);
    EXPECT_EQ(esito.segnalazioni[0], decimali(23, Casella::Spese));
    EXPECT_EQ(esito.segnalazioni[1].riga, 24);
    EXPECT_EQ(esito.segnalazioni[1].fuoco, Casella::Isee);
    EXPECT_TRUE(esito.bErroreSpese);
    EXPECT_TRUE(esito.azzeraPunti);
    EXPECT_FALSE(esito.registrabile);
}

TEST(Decimali, BothAmountsRefusedDuringSuccessivoStoreNothing) {
    ModuloDomanda modulo = ModuloCompleto();
    modulo.Spese = QStringLiteral("1.001");
    modulo.Isee = QStringLiteral("2.002");

    const EsitoControlli esito = ControllaDomanda(Operazione::Successivo, modulo);

    ASSERT_EQ(esito.segnalazioni.size(), 2u);
    EXPECT_EQ(esito.segnalazioni[0], decimali(23, Casella::Spese));
    EXPECT_EQ(esito.segnalazioni[1], decimali(25, Casella::Isee));
    EXPECT_TRUE(esito.bErroreSpese);
    EXPECT_TRUE(esito.bErroreIsee);
    EXPECT_FALSE(esito.registrabile);
}

TEST(Decimali, OnlyARefusedSpeseClearsTheSeparatorFlagsDuringSuccessivo) {
    ModuloDomanda modulo = ModuloCompleto();
    modulo.Isee = QStringLiteral("5000.755");

    const EsitoControlli esito = ControllaDomanda(Operazione::Successivo, modulo);

    ASSERT_EQ(esito.segnalazioni.size(), 1u);
    EXPECT_EQ(esito.segnalazioni[0], decimali(25, Casella::Isee));
    EXPECT_FALSE(esito.bErroreSpese);
    EXPECT_TRUE(esito.bErroreIsee);
    EXPECT_FALSE(esito.azzeraPunti);
}

TEST(Decimali, OnlyARefusedIseeClearsTheSeparatorFlagsDuringModifica) {
    ModuloDomanda spese = ModuloCompleto();
    spese.Spese = QStringLiteral("1.234");
    const EsitoControlli esitoSpese = ControllaDomanda(Operazione::Modifica, spese);
    EXPECT_EQ(esitoSpese.segnalazioni, std::vector{decimali(23, Casella::Spese)});
    EXPECT_TRUE(esitoSpese.bErroreSpese);
    EXPECT_FALSE(esitoSpese.azzeraPunti);

    ModuloDomanda isee = ModuloCompleto();
    isee.Isee = QStringLiteral("1.234");
    const EsitoControlli esitoIsee = ControllaDomanda(Operazione::Modifica, isee);
    EXPECT_EQ(esitoIsee.segnalazioni, std::vector{decimali(25, Casella::Isee)});
    EXPECT_TRUE(esitoIsee.azzeraPunti);
    EXPECT_FALSE(esitoIsee.registrabile);
}

TEST(Decimali, TheAmountResetToZeroPassesTheNextAttempt) {
    ModuloDomanda modulo = ModuloCompleto();
    modulo.Spese = QStringLiteral("0");
    modulo.Isee = QStringLiteral("5000.75");

    EXPECT_TRUE(ControllaDomanda(Operazione::Modifica, modulo).registrabile);
}

TEST(Registrabile, ACharacterTheListCannotHoldIsRefusedNamingItsBox) {
    ModuloDomanda modulo = ModuloCompleto();
    modulo.NomeStud = QStringLiteral("Łukasz");

    const EsitoControlli esito = ControllaDomanda(Operazione::SalvaModulo, modulo);

    ASSERT_EQ(esito.segnalazioni.size(), 1u);
    const Segnalazione& segnalazione = esito.segnalazioni.front();
    EXPECT_EQ(segnalazione.riga, kRigaCaratteri);
    EXPECT_EQ(segnalazione.messaggio,
              QStringLiteral("ATTENZIONE!\n Il carattere \"Ł\" della casella Nome dello studente "
                             "non può essere registrato nell'elenco: sostituirlo."));
    EXPECT_EQ(segnalazione.fuoco, Casella::NomeStud);
    EXPECT_EQ(segnalazione.icona, IconaAvviso::Esclamazione);
    EXPECT_FALSE(esito.registrabile);
}

TEST(Registrabile, TheCharacterIsJudgedInUpperCaseAndShownAsTyped) {
    ModuloDomanda micro = ModuloCompleto();
    micro.ViaStud = QStringLiteral("via µ 1");  // µ is in the code page, its capital is not
    const EsitoControlli esitoMicro = ControllaDomanda(Operazione::Modifica, micro);
    ASSERT_EQ(esitoMicro.segnalazioni.size(), 1u);
    EXPECT_TRUE(esitoMicro.segnalazioni[0].messaggio.contains(QStringLiteral("\"µ\"")));
    EXPECT_EQ(esitoMicro.segnalazioni[0].fuoco, Casella::ViaStud);

    ModuloDomanda emoji = ModuloCompleto();
    emoji.LuogoRich = QStringLiteral("roma 😀");
    const EsitoControlli esitoEmoji = ControllaDomanda(Operazione::Successivo, emoji);
    ASSERT_EQ(esitoEmoji.segnalazioni.size(), 1u);
    EXPECT_TRUE(esitoEmoji.segnalazioni[0].messaggio.contains(QStringLiteral("\"😀\"")));
}

TEST(Registrabile, AFullBoxThatGrowsInUpperCaseIsRefusedNotCut) {
    ModuloDomanda modulo = ModuloCompleto();
    modulo.CognStud = QString(29, u'a') + QStringLiteral("ß");  // 30 typed, 31 as "SS"

    const EsitoControlli esito = ControllaDomanda(Operazione::Successivo, modulo);

    ASSERT_EQ(esito.segnalazioni.size(), 1u);
    EXPECT_EQ(esito.segnalazioni[0].messaggio,
              QStringLiteral("ATTENZIONE!\n Il testo della casella Cognome dello studente in "
                             "maiuscolo supera i 30 caratteri: accorciarlo."));
    EXPECT_EQ(esito.segnalazioni[0].fuoco, Casella::CognStud);
    modulo.CognStud = QString(28, u'a') + QStringLiteral("ß");
    EXPECT_TRUE(ControllaDomanda(Operazione::Successivo, modulo).registrabile);
}

TEST(Registrabile, RunsOnlyAfterEveryRowOfTheTablePassed) {
    ModuloDomanda modulo = ModuloCompleto();
    modulo.CognRich = QStringLiteral("Wałęsa");
    modulo.Isee.clear();

    const EsitoControlli esito = ControllaDomanda(Operazione::Successivo, modulo);

    ASSERT_EQ(esito.segnalazioni.size(), 1u);
    EXPECT_EQ(esito.segnalazioni[0].riga, 24);
}

TEST(Registrabile, AnAmountBeyondSinglePrecisionIsRefused) {
    ModuloDomanda modulo = ModuloCompleto();
    modulo.Isee = QStringLiteral("1") + QString(40, u'0');

    const EsitoControlli esito = ControllaDomanda(Operazione::SalvaModulo, modulo);

    ASSERT_EQ(esito.segnalazioni.size(), 1u);
    EXPECT_EQ(esito.segnalazioni[0].riga, kRigaCaratteri);
    EXPECT_EQ(esito.segnalazioni[0].fuoco, Casella::Isee);
    EXPECT_FALSE(esito.registrabile);
}

}  // namespace
