#include "StudenteRipetuto.h"

#include "FileElencoFixture.h"

#include <cerrno>

namespace {

// An application of the applicant "SURNAME NAME" for the student of that tax code.
QByteArray record(const QString& richiedente, const QString& codiceStudente) {
    const QString campi = QString(richiedente).replace(u' ', u'|') + QString(12, u'|');
    return CodificaDomanda(DomandaDa(campi + codiceStudente));
}

// The same student in the first and the last of four applications; the
// second holds a student of its own.
TEST_F(FileElencoTest, StudenteRipetutoFindsTheOtherApplicationsOfTheStudent) {
    list(QStringLiteral("elenco.svz"), record("QUARZOLO TEODORO", "QRZLCU12A01Z000X") +
                                           record("FERRUCCA ROBERTA", "FRRLCU12A01Z000X") +
                                           record("VESPOLO UGO", "") +
                                           record("OÀ DANILO", "QRZLCU12A01Z000X"));
    // The tax code typed, the application left out and the notice.
    const std::tuple<const char*, std::int16_t, const char*> casi[] = {
        {"QRZLCU12A01Z000X", kNessunRecordEscluso,
         "Già presente nella domanda n. 1 (richiedente QUARZOLO TEODORO) e in altre 1"},
        {" qrzlcu12a01z000x ", 1, "Già presente nella domanda n. 4 (richiedente OÀ DANILO)"},
        {"QRZLCU12A01Z000X", 4, "Già presente nella domanda n. 1 (richiedente QUARZOLO TEODORO)"},
        {"FRRLCU12A01Z000X", 2, ""},
        {"QRZLCU12A01Z000", kNessunRecordEscluso, ""},
        {"", kNessunRecordEscluso, ""}};
    for (const auto& [codice, escluso, atteso] : casi) {
        const auto trovato = CercaStudenteRipetuto(elenco_, 1, codice, escluso);
        ASSERT_TRUE(trovato.ok());
        EXPECT_EQ(*trovato ? AvvisoStudenteRipetuto(**trovato) : QString(),
                  QString::fromUtf8(atteso))
            << codice << ' ' << escluso;
    }
    // The 300th application, past the first block read.
    list(QStringLiteral("lungo.svz"),
         QByteArray(299 * kLunghezzaRecord, ' ') + record("VESPOLO UGO", "QRZLCU12A01Z000X"), 2);
    const auto lontano = CercaStudenteRipetuto(elenco_, 2, "QRZLCU12A01Z000X", 0);
    ASSERT_TRUE(lontano.ok() && lontano->has_value());
    EXPECT_EQ(AvvisoStudenteRipetuto(**lontano),
              "Già presente nella domanda n. 300 (richiedente VESPOLO UGO)");
    fs_.failOn(Call::Read, 1, EIO);
    const auto fallita = CercaStudenteRipetuto(elenco_, 1, "QRZLCU12A01Z000X", 0);
    EXPECT_EQ(fallita.ok() ? 0 : fallita.error().code, EIO);
}

}  // namespace
