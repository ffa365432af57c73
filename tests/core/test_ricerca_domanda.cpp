#include "RicercaDomanda.h"

#include "FileElencoFixture.h"

#include <cerrno>

namespace {

const QString kCodice = QStringLiteral("RSSMRA70C05D704X");

// Records 1 to 7 below, then "ALTRO 1" to "ALTRO 300" as records 8 to 307,
// more than one read of the scan.
TEST_F(FileElencoTest, CercaDomandaFindsTheNextApplicationWhoseJoinedKeyMatches) {
    QByteArray elenco = RecordDelRichiedente("ROSSI", "MARIO", kCodice.left(15)) +
                        RecordDelRichiedente(QStringLiteral("DELUCÀ"), "ANNA", kCodice) +
                        RecordDelRichiedente("A", "BC", kCodice) +
                        RecordDelRichiedente(QStringLiteral("STRAß"), "ELA", "X") +
                        RecordDelRichiedente(QStringLiteral("DIµ"), "O", "Y") +
                        RecordDelRichiedente("BIANCHI", "MARIO", kCodice) +
                        RecordDelRichiedente("ROSSI", "MARIO", kCodice);
    for (int n = 1; n <= 300; ++n) {
        elenco += RecordDelRichiedente(QStringLiteral("ALTRO %1").arg(n), {}, {});
    }
    list(QStringLiteral("elenco.svz"), elenco);
    struct Caso {
        CriterioRicerca criterio;
        QStringList parti;
        std::int16_t da, trovata, poi;  // trovata 0: the end of the list
    };
    using enum CriterioRicerca;
    const Caso casi[] = {
        {Nominativo, {"  ab ", " c  "}, 0, 3, 3},  // joined, outer blanks and case ignored
        {Nominativo, {QStringLiteral("delucà"), "anna"}, 0, 2, 2},
        {Nominativo, {QStringLiteral("DE LUCÀ"), "ANNA"}, 0, 0, 307},  // inner blanks kept
        {Nominativo, {"strass", "ela"}, 0, 4, 4},  // upper-casing lengthens the stored ß
        {Nominativo, {QStringLiteral("diµ"), "o"}, 0, 5, 5},  // µ upper-cases out of the code page
        {Nominativo, {"ROSSI", "MARIO"}, 7, 0, 307},          // on after the position
        {Nominativo, {"altro 290", ""}, 7, 297, 297},
        {CodiceFiscale, {kCodice.left(15)}, 0, 1, 1},  // the code matches whole
        {CodiceFiscale, {kCodice.left(15)}, 1, 0, 307},
        {CodiceFiscale, {kCodice.toLower()}, 0, 2, 2},
        {NominativoCodice, {"ROSSI", "MARIO", kCodice}, 0, 7, 7},
    };
    for (const Caso& caso : casi) {
        std::int16_t posizione = caso.da;
        const auto trovata =
            CercaDomanda(elenco_, 1, caso.criterio, ChiaveDiRicerca(caso.parti), posizione);
        const std::string chiave = caso.parti.join(u'|').toStdString();
        ASSERT_TRUE(trovata.ok()) << chiave;
        EXPECT_EQ(posizione, caso.poi) << chiave;
        const QByteArray attesa =
            caso.trovata == 0 ? QByteArray()
                              : readFile("elenco.svz")
                                    .mid((caso.trovata - 1) * kLunghezzaRecord, kLunghezzaRecord);
        EXPECT_EQ(*trovata ? CodificaDomanda(**trovata) : QByteArray(), attesa) << chiave;
    }
    // A failed read is told and leaves the position, to read the record again.
    fs_.failOn(Call::Read, 1, EIO);
    std::int16_t posizione = 2;
    const auto fallita =
        CercaDomanda(elenco_, 1, Nominativo, ChiaveDiRicerca({"A", "BC"}), posizione);
    EXPECT_EQ(fallita.ok() ? 0 : fallita.error().code, EIO);
    EXPECT_EQ(posizione, 2);
}

}  // namespace
