#include "ModuloDiProva.h"
#include "QtPrinters.h"
#include "RiempiRecord.h"

#include <gtest/gtest.h>

namespace {

TEST(RiempiRecord, TrimsAndUpperCasesEveryTextBoxIntoItsOwnField) {
    ModuloDomanda modulo;
    for (const DescrizioneCasella& descrizione : kCaselle) {
        modulo.*descrizione.testo =
            QStringLiteral("  box%1 ").arg(static_cast<int>(descrizione.casella));
    }
    modulo.Spese.clear();
    modulo.Isee.clear();

    const DatiDomanda domanda = RiempiRecord(modulo);

    EXPECT_EQ(domanda.CognRich, QStringLiteral("BOX0"));
    EXPECT_EQ(domanda.NomeRich, QStringLiteral("BOX1"));
    EXPECT_EQ(domanda.LuogoRich, QStringLiteral("BOX2"));
    EXPECT_EQ(domanda.DataRich, QStringLiteral("  box3 "));  // dates go unchanged
    EXPECT_EQ(domanda.CodFiscRich, QStringLiteral("BOX4"));
    EXPECT_EQ(domanda.ComRich, QStringLiteral("BOX5"));
    EXPECT_EQ(domanda.CapRich, QStringLiteral("BOX6"));
    EXPECT_EQ(domanda.ViaRich, QStringLiteral("BOX7"));
    EXPECT_EQ(domanda.NumRich, QStringLiteral("BOX8"));
    EXPECT_EQ(domanda.CognStud, QStringLiteral("BOX9"));
    EXPECT_EQ(domanda.NomeStud, QStringLiteral("BOX10"));
    EXPECT_EQ(domanda.LuogoStud, QStringLiteral("BOX11"));
    EXPECT_EQ(domanda.DataStud, QStringLiteral("  box12 "));
    EXPECT_EQ(domanda.CodFiscStud, QStringLiteral("BOX13"));
    EXPECT_EQ(domanda.ComStud, QStringLiteral("BOX14"));
    EXPECT_EQ(domanda.CapStud, QStringLiteral("BOX15"));
    EXPECT_EQ(domanda.ViaStud, QStringLiteral("BOX16"));
    EXPECT_EQ(domanda.NumStud, QStringLiteral("BOX17"));
    EXPECT_EQ(domanda.Spese, 0.0f);
    EXPECT_EQ(domanda.Isee, 0.0f);
}

TEST(RiempiRecord, StoresTheBytesOfAFileRecord) {
    ModuloDomanda modulo = ModuloCompleto();
    modulo.CognRich = QStringLiteral("  rossi ");
    modulo.LuogoRich = QStringLiteral("forlì");
    modulo.ViaRich = QStringLiteral("\tvia àèìòù");  // only blanks are stripped

    const QByteArray record = CodificaDomanda(RiempiRecord(modulo));

    ASSERT_EQ(record.size(), kLunghezzaRecord);
    EXPECT_EQ(record.mid(0, 30), QByteArray("ROSSI") + QByteArray(25, ' '));
    EXPECT_EQ(record.mid(60, 30), QByteArray("FORL\xCC") + QByteArray(25, ' '));
    EXPECT_EQ(record.mid(90, 10), QByteArray("05/03/1970"));
    EXPECT_EQ(record.mid(146, 11), QByteArray("\tVIA \xC0\xC8\xCC\xD2\xD9 "));
    EXPECT_EQ(record.mid(kOffsetSpese, 4), QByteArray::fromHex("ec519a44"));
}

TEST(RiempiRecord, ReadsAmountsWithAPointWhateverTheirDecimals) {
    ModuloDomanda modulo = ModuloCompleto();
    modulo.Spese = QStringLiteral("12345.67");
    modulo.Isee = QStringLiteral("250.5");

    const DatiDomanda domanda = RiempiRecord(modulo);

    EXPECT_EQ(static_cast<double>(domanda.Spese), 12345.669921875);
    EXPECT_EQ(domanda.Isee, 250.5f);
}

}  // namespace
