// How the export reads its column lists and which texts are plain numbers.

#include "summary/RegoleEsportazione.h"

#include <QtTest>

class TestRegoleEsportazione : public QObject {
    Q_OBJECT

private slots:
    void column_lists_keep_order_and_duplicates_and_refuse_what_is_not_a_16_bit_number() {
        QCOMPARE(*LeggiElencoColonne(QStringLiteral(" 3 -9-3")),
                 (std::vector<std::int16_t>{3, 9, 3}));
        QCOMPARE(*LeggiElencoColonne(QStringLiteral("0-32767")),
                 (std::vector<std::int16_t>{0, 32767}));
        QVERIFY(LeggiElencoColonne(QStringLiteral("   "))->empty());
        for (const char* elenco : {"3-", "-", "3,5", "a-1", "1--2"}) {
            const auto letto = LeggiElencoColonne(QString::fromLatin1(elenco));
            QVERIFY2(!letto, elenco);
            QCOMPARE(letto.error().code, 13);
        }
        QCOMPARE(LeggiElencoColonne(QStringLiteral("32768")).error().code, 6);
    }

    void plain_numbers_follow_the_locale_and_nothing_else_is_a_number() {
        const QLocale italiano(QLocale::Italian, QLocale::Italy);
        QCOMPARE(NumeroInChiaro(QStringLiteral("99,5"), italiano), std::optional<double>(99.5));
        QCOMPARE(NumeroInChiaro(QStringLiteral("-3"), italiano), std::optional<double>(-3));
        QCOMPARE(NumeroInChiaro(QStringLiteral("1,5e+07"), italiano), std::optional<double>(1.5e7));
        QCOMPARE(NumeroInChiaro(QStringLiteral("99.5"), QLocale::c()), std::optional<double>(99.5));
        for (const char* testo :
             {"", "99.5", "1.234,5", " 5", "5 ", "inf", "nan", "-", "12A", "=1", "05/03/1970"}) {
            QVERIFY2(!NumeroInChiaro(QString::fromLatin1(testo), italiano), testo);
        }
    }
};

QTEST_GUILESS_MAIN(TestRegoleEsportazione)
#include "test_regole_esportazione.moc"
