#include "summary/RegoleEsportazione.h"

#include <QtTest>

class TestRegoleEsportazione : public QObject {
    Q_OBJECT

private slots:
    void column_lists_keep_order_and_duplicates_and_blank_means_none() {
        const auto elenco = LeggiElencoColonne(QStringLiteral(" 3 -9-3"));
        QVERIFY(elenco);
        QCOMPARE(*elenco, (std::vector<std::int16_t>{3, 9, 3}));
        QVERIFY(LeggiElencoColonne(QStringLiteral("   "))->empty());
        QVERIFY(LeggiElencoColonne(QString())->empty());
        QCOMPARE(*LeggiElencoColonne(QStringLiteral("0-32767")),
                 (std::vector<std::int16_t>{0, 32767}));
    }

    void a_piece_that_is_not_a_whole_number_fails() {
        for (const char* elenco : {"3-", "-", "3,5", "a-1", "1--2"}) {
            const auto letto = LeggiElencoColonne(QString::fromLatin1(elenco));
            QVERIFY2(!letto, elenco);
            QCOMPARE(letto.error().code, 13);
        }
        QCOMPARE(LeggiElencoColonne(QStringLiteral("32768")).error().code, 6);
    }

    void the_default_name_gets_nuovo_and_every_name_is_cut_to_31_characters() {
        QCOMPARE(NomeFoglioFinale(QStringLiteral("Foglio1"), QStringLiteral("Foglio1")),
                 QStringLiteral("Foglio1-nuovo"));
        QCOMPARE(NomeFoglioFinale(QStringLiteral("foglio1"), QStringLiteral("Foglio1")),
                 QStringLiteral("foglio1"));
        const QString lungo31(31, u'S');
        QCOMPARE(NomeFoglioFinale(lungo31, lungo31), lungo31);
        QCOMPARE(NomeFoglioFinale(QString(40, u'S'), QStringLiteral("Foglio1")), lungo31);
        // A character of two UTF-16 units is never cut in half.
        const QString conEmoji = QString(30, u'S') + QString::fromUtf8("😀");
        QCOMPARE(NomeFoglioFinale(conEmoji, QStringLiteral("Foglio1")), QString(30, u'S'));
        QCOMPARE(PulisciNomeFoglio(QStringLiteral("1/2 [A]?:*\\")), QStringLiteral("12 A"));
    }

    void plain_numbers_follow_the_locale_and_nothing_else_is_a_number() {
        const QLocale italiano(QLocale::Italian, QLocale::Italy);
        QCOMPARE(NumeroInChiaro(QStringLiteral("99,5"), italiano), std::optional<double>(99.5));
        QCOMPARE(NumeroInChiaro(QStringLiteral("-3"), italiano), std::optional<double>(-3));
        QCOMPARE(NumeroInChiaro(QStringLiteral("1,5e+07"), italiano), std::optional<double>(1.5e7));
        for (const char* testo :
             {"", "99.5", "1.234,5", " 5", "5 ", "inf", "nan", "-", "12A", "=1", "05/03/1970"}) {
            QVERIFY2(!NumeroInChiaro(QString::fromLatin1(testo), italiano), testo);
        }
        QCOMPARE(NumeroInChiaro(QStringLiteral("99.5"), QLocale::c()), std::optional<double>(99.5));
    }
};

QTEST_GUILESS_MAIN(TestRegoleEsportazione)
#include "test_regole_esportazione.moc"
