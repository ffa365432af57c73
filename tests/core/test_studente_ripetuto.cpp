#include "StudenteRipetuto.h"

#include "FileElencoFixture.h"

#include <cerrno>

namespace {

QByteArray record(const QString& richiedente, const QString& codiceStudente) {
    DatiDomanda d = AzzeraRecord();
    d[Campo::CognRich] = richiedente.section(u' ', 0, 0);
    d[Campo::NomeRich] = richiedente.section(u' ', 1);
    d[Campo::CodFiscStud] = codiceStudente;
    return CodificaDomanda(d);
}

// The same student in the first and the last of four applications; the
// second holds a student of its own.
TEST_F(FileElencoTest, StudenteRipetutoFindsTheOtherApplicationsOfTheStudent) {
    list(QStringLiteral("elenco.svz"), record("QUARZOLO TEODORO", "QRZLCU12A01Z000X") +
                                           record("FERRUCCA ROBERTA", "FRRLCU12A01Z000X") +
                                           record("VESPOLO UGO", "") +
                                           record("OÀ DANILO", "QRZLCU12A01Z000X"));
    const std::pair<const char*, std::int16_t> casi[] = {{"QRZLCU12A01Z000X", kNessunRecordEscluso},
                                                         {" qrzlcu12a01z000x ", 1},
                                                         {"QRZLCU12A01Z000X", 4},
                                                         {"FRRLCU12A01Z000X", 2},
                                                         {"QRZLCU12A01Z000", kNessunRecordEscluso},
                                                         {"", kNessunRecordEscluso}};
    const char* attesi[] = {
        "Già presente nella domanda n. 1 (richiedente QUARZOLO TEODORO) e in altre 1",
        "Già presente nella domanda n. 4 (richiedente OÀ DANILO)",
        "Già presente nella domanda n. 1 (richiedente QUARZOLO TEODORO)",
        "",
        "",
        ""};
    for (std::size_t i = 0; i < std::size(casi); ++i) {
        const auto trovato = CercaStudenteRipetuto(elenco_, 1, casi[i].first, casi[i].second);
        ASSERT_TRUE(trovato.ok());
        EXPECT_EQ(*trovato ? AvvisoStudenteRipetuto(**trovato) : QString(),
                  QString::fromUtf8(attesi[i]))
            << i;
    }
    fs_.failOn(Call::Read, 1, EIO);
    const auto fallita = CercaStudenteRipetuto(elenco_, 1, "QRZLCU12A01Z000X", 0);
    ASSERT_FALSE(fallita.ok());
    EXPECT_EQ(fallita.error().code, EIO);
}

}  // namespace
