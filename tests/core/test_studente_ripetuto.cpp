#include "StudenteRipetuto.h"

#include "FileElencoFixture.h"

#include <cerrno>

namespace {

class StudenteRipetutoTest : public FileElencoTest {
protected:
    static QByteArray record(const QString& cognome, const QString& nome, const QString& codice) {
        DatiDomanda d = AzzeraRecord();
        d[Campo::CognRich] = cognome;
        d[Campo::NomeRich] = nome;
        d[Campo::CodFiscStud] = codice;
        return CodificaDomanda(d);
    }

    // The same student in the first and the last of four applications; the
    // second holds a student of its own.
    void SetUp() override {
        list(QStringLiteral("elenco.svz"), record("QUARZOLO", "TEODORO", "QRZLCU12A01Z000X") +
                                               record("FERRUCCA", "ROBERTA", "FRRLCU12A01Z000X") +
                                               record("VESPOLO", "UGO", "") +
                                               record("OÀ", "DANILO", "QRZLCU12A01Z000X"));
    }

    std::optional<StudenteRipetuto> cerca(const QString& codice, std::int16_t escluso) {
        const auto trovato = CercaStudenteRipetuto(elenco_, 1, codice, escluso);
        EXPECT_TRUE(trovato.ok());
        return trovato.ok() ? *trovato : std::nullopt;
    }
};

TEST_F(StudenteRipetutoTest, FindsTheOtherApplicationsOfTheStudent) {
    struct Caso {
        const char* codice;
        std::int16_t escluso;
        std::optional<QString> avviso;
    };
    const Caso casi[] = {
        {"QRZLCU12A01Z000X", kNessunRecordEscluso,
         "Già presente nella domanda n. 1 (richiedente QUARZOLO TEODORO) e in altre 1"},
        {" qrzlcu12a01z000x ", 1, "Già presente nella domanda n. 4 (richiedente OÀ DANILO)"},
        {"QRZLCU12A01Z000X", 4, "Già presente nella domanda n. 1 (richiedente QUARZOLO TEODORO)"},
        {"FRRLCU12A01Z000X", 2, std::nullopt},
        {"QRZLCU12A01Z000", kNessunRecordEscluso, std::nullopt},
        {"", kNessunRecordEscluso, std::nullopt},
    };
    for (const Caso& caso : casi) {
        const std::optional<StudenteRipetuto> trovato = cerca(caso.codice, caso.escluso);
        const std::optional<QString> avviso =
            trovato ? std::optional(AvvisoStudenteRipetuto(*trovato)) : std::nullopt;
        EXPECT_EQ(avviso, caso.avviso) << caso.codice << " " << caso.escluso;
    }
}

TEST_F(StudenteRipetutoTest, AReadThatFailsGivesItsError) {
    fs_.failAlways(Call::Read, EIO);
    const auto trovato = CercaStudenteRipetuto(elenco_, 1, "QRZLCU12A01Z000X", 0);
    ASSERT_FALSE(trovato.ok());
    EXPECT_EQ(trovato.error().code, EIO);
}

}  // namespace
