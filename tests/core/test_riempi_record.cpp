#include "ModuloDiProva.h"
#include "QtPrinters.h"
#include "RiempiRecord.h"

#include <gtest/gtest.h>

namespace {

using D = DatiDomanda;

TEST(RiempiRecord, TrimsAndUpperCasesEveryTextBoxIntoItsOwnFieldButTheDates) {
    // The record's fields in the boxes' tab order.
    QString D::*const campi[18] = {
        &D::CognRich, &D::NomeRich,    &D::LuogoRich, &D::DataRich, &D::CodFiscRich, &D::ComRich,
        &D::CapRich,  &D::ViaRich,     &D::NumRich,   &D::CognStud, &D::NomeStud,    &D::LuogoStud,
        &D::DataStud, &D::CodFiscStud, &D::ComStud,   &D::CapStud,  &D::ViaStud,     &D::NumStud};
    ModuloDomanda modulo;
    for (int i = 0; i < 18; ++i) {
        modulo.*kCaselle[i].testo = QStringLiteral("  box%1 ").arg(i);
    }

    const DatiDomanda domanda = RiempiRecord(modulo);

    for (int i = 0; i < 18; ++i) {
        const bool data = campi[i] == &D::DataRich || campi[i] == &D::DataStud;
        EXPECT_EQ(domanda.*campi[i],
                  data ? QStringLiteral("  box%1 ").arg(i) : QStringLiteral("BOX%1").arg(i));
    }
    EXPECT_EQ(domanda.Spese, 0.0f);
    EXPECT_EQ(domanda.Isee, 0.0f);
}

TEST(RiempiRecord, StoresTheBytesOfAFileRecord) {
    ModuloDomanda modulo = ModuloCompleto();
    modulo.LuogoRich = QStringLiteral("forlì");
    modulo.ViaRich = QStringLiteral("\tvia àèìòù");  // only blanks are stripped
    modulo.Spese = QStringLiteral("12345.67");
    modulo.Isee = QStringLiteral("250.5");

    const QByteArray record = CodificaDomanda(RiempiRecord(modulo));

    EXPECT_EQ(record.mid(0, 30), QByteArray("ROSSI") + QByteArray(25, ' '));
    EXPECT_EQ(record.mid(60, 30), QByteArray("FORL\xCC") + QByteArray(25, ' '));
    EXPECT_EQ(record.mid(90, 10), QByteArray("05/03/1970"));
    EXPECT_EQ(record.mid(146, 11), QByteArray("\tVIA \xC0\xC8\xCC\xD2\xD9 "));
    EXPECT_EQ(record.mid(410, 8), QByteArray::fromHex("aee6404600807a43"));
}

}  // namespace
