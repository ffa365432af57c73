#include "Arrotondamento.h"
#include "DatiDomanda.h"
#include "DomandeNumerate.h"
#include "ProgrammaConGuasti.h"
#include "search/FrmRicerca.h"
#include "summary/FrmRiepilogo.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>

#include <random>

namespace {

QByteArray ByteCasuali(int quanti) {
    std::mt19937 caso(static_cast<unsigned>(quanti));
    QByteArray casuali(quanti, Qt::Uninitialized);
    for (char& b : casuali) {
        b = static_cast<char>(caso());
    }
    return casuali;
}

// A search, from the entry screen, for a tax code that no list holds.
void Cerca(ProgrammaConGuasti& p, FrmDatiAnagrafici& scheda) {
    p.dialoghi.rispostaAlleDomande = MessageAnswer::No;
    p.Controllo<QAction>(scheda, "mnuDomanda")->trigger();
    FrmRicerca& ricerca = p.programma.screens().get<FrmRicerca>();
    p.Controllo<QCheckBox>(ricerca, "chkCodFisc")->setChecked(true);
    p.Controllo<QLineEdit>(ricerca, "txtCodFisc")->setText(QStringLiteral("ZZZZZZZZZZZZZZZZ"));
    p.Premi(ricerca, {"cmdTrova"});
}

}  // namespace

// Lists of random bytes, lists too large for the 16-bit record numbers, a
// folder or a device chosen as a list: every screen keeps going, writes only
// whole records and says what is wrong. What the list file makes of such
// files, and of a list deleted while open, test_file_cattivi and the core
// tests prove; that every screen tells a failed call, test_guasti.
class TestFileCattiviSchermi : public QObject {
    Q_OBJECT

private slots:
    void random_lists_are_continued_searched_summed_up_exported_appended_and_merged_data() {
        QTest::addColumn<int>("lunghezza");
        // Around the record boundaries and the rounding halves.
        for (const int lunghezza :
             {0, 1, 208, 209, 210, 417, 418, 419, 626, 627, 628, 1045, 5000}) {
            QTest::addRow("%d bytes", lunghezza) << lunghezza;
        }
    }

    void random_lists_are_continued_searched_summed_up_exported_appended_and_merged() {
        QFETCH(int, lunghezza);
        const QByteArray casuale = ByteCasuali(lunghezza);
        const QByteArray due = RecordNumerati(1, 2);
        const auto domande = static_cast<qsizetype>(ArrotondaPari(lunghezza / 418.0));
        {
            ProgrammaConGuasti p;
            FrmDatiAnagrafici* scheda = p.ApriScheda(p.Scrivi(QStringLiteral("caso.svz"), casuale));
            QVERIFY(scheda != nullptr && scheda->isVisible());
            scheda->ScriviModulo(ModuloNumerato(1));
            p.Premi(*scheda, {"CmdAvanti"});
            const QByteArray dopo = p.File().value(QStringLiteral("caso.svz"));
            // Numbered as the entry screen numbers the next application.
            QCOMPARE(dopo.size(), ArrotondaPari(lunghezza / 418.0 + 1) * kLunghezzaRecord);
            QVERIFY(dopo.right(kLunghezzaRecord) == RecordNumerato(1));

            Cerca(p, *scheda);
            p.Premi(p.programma.screens().get<FrmRicerca>(), {"cmdIndietro"});
            p.programma.screens().show<FrmRiepilogo>();
            p.Premi(p.programma.screens().get<FrmRiepilogo>(), {"Command1"});
            QCOMPARE(p.scrivania.aperti.size(), 1);
            QVERIFY(QFileInfo(p.scrivania.aperti.first()).size() > 0);
            QVERIFY(p.File().value(QStringLiteral("caso.svz")) == dopo);
        }
        for (const bool primo : {true, false}) {
            ProgrammaConGuasti p;
            p.dialoghi.fileDaScegliere = {
                p.Scrivi(QStringLiteral("uno.svz"), primo ? casuale : due),
                p.Scrivi(QStringLiteral("due.svz"), primo ? due : casuale),
                p.Percorso(QStringLiteral("nuovo.svz"))};
            // The random list appended to, or merged after.
            primo ? p.Aggiungi(p.ApriAggiunta()) : p.Unisci(p.ApriUnione());
            const QByteArray risultato = p.File().value(primo ? "uno.svz" : "nuovo.svz");
            QCOMPARE(risultato.size(), (domande + 2) * kLunghezzaRecord);
            QVERIFY(primo ? risultato.endsWith(due) : risultato.startsWith(due));
            QVERIFY(p.File().value(QStringLiteral("due.svz")) == (primo ? due : casuale));
        }
    }

    void a_list_beyond_32767_records_is_refused_by_every_screen_and_left_alone() {
        ProgrammaConGuasti p;
        const QString grande = p.Percorso(QStringLiteral("grande.svz"));
        const qint64 lunghezza = qint64{32768} * kLunghezzaRecord + 100;
        {
            QFile file(grande);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(lunghezza));
        }
        const QDateTime modificato = QFileInfo(grande).lastModified();
        FrmDatiAnagrafici* scheda = p.ApriScheda(grande);
        QVERIFY(scheda != nullptr);

        scheda->ScriviModulo(ModuloNumerato(1));
        p.Premi(*scheda, {"CmdAvanti"});
        p.programma.screens().show<FrmRiepilogo>();
        Cerca(p, *scheda);

        QCOMPARE(p.dialoghi.messaggi.size(), 3);
        for (const MessageBoxRequest& messaggio : p.dialoghi.messaggi) {
            QVERIFY2(messaggio.prompt.contains(QStringLiteral("32767")),
                     qPrintable(messaggio.prompt));
        }
        QCOMPARE(QFileInfo(grande).size(), lunghezza);
        QCOMPARE(QFileInfo(grande).lastModified(), modificato);
    }

    void a_folder_or_a_device_chosen_as_a_list_is_told_and_nothing_is_written() {
        for (const QString& nonFile :
             {QStringLiteral("cartella.svz"), QStringLiteral("/dev/zero")}) {
            ProgrammaConGuasti p;
            const QString percorso = nonFile.startsWith(u'/') ? nonFile : p.Percorso(nonFile);
            QDir().mkpath(p.Percorso(QStringLiteral("cartella.svz")));
            p.ApriScheda(percorso);
            QCOMPARE(p.dialoghi.messaggi.size(), 1);
            // As the first list of a merge and as the name of the new list.
            p.dialoghi.fileDaScegliere = {percorso, p.Scrivi(QStringLiteral("due.svz"), {}),
                                          percorso};
            p.Unisci(p.ApriUnione());
            QVERIFY2(p.dialoghi.messaggi.size() > 1, qPrintable(percorso));
            QVERIFY(p.dialoghi.messaggi[0].prompt.contains(percorso) &&
                    p.dialoghi.messaggi[1].prompt.contains(percorso));
            QCOMPARE(p.File().keys(), QStringList{QStringLiteral("due.svz")});
        }
    }
};

QTEST_MAIN(TestFileCattiviSchermi)
#include "test_file_cattivi_schermi.moc"
