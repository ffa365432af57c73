#include "Arrotondamento.h"
#include "DatiDomanda.h"
#include "DomandeNumerate.h"
#include "ProgrammaConGuasti.h"
#include "merge/FrmCaricaFile.h"
#include "merge/FrmCreaUnione.h"
#include "search/FrmRicerca.h"
#include "summary/FrmRiepilogo.h"
#include "wizard/FrmDatiAnagrafici.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <random>

namespace {

QByteArray ByteCasuali(int quanti, unsigned seme) {
    std::mt19937 caso(seme);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray casuali(quanti, Qt::Uninitialized);
    for (char& b : casuali) {
        b = static_cast<char>(byte(caso));
    }
    return casuali;
}

bool SoloRecordInteri(const QByteArray& byte) {
    return byte.size() % kLunghezzaRecord == 0;
}

// Lengths around the record boundaries and the rounding halves, and the
// largest that the fuzzing and core tests also try.
const QList<int> kLunghezze = {0,   1,   208, 209,  210,  417,  418,  419,
                               626, 627, 628, 1044, 1045, 1046, 4999, 5000};

}  // namespace

// Lists of random bytes of awkward lengths, lists too large for the 16-bit
// record numbers, a folder or a device chosen as a list, a list that
// vanishes while open: every screen that works on lists keeps going, writes
// only whole records, and says what is wrong.
class TestFileCattiviSchermi : public QObject {
    Q_OBJECT

private slots:
    void random_lists_are_continued_searched_summed_up_and_exported() {
        for (const int lunghezza : kLunghezze) {
            ProgrammaConGuasti p;
            const QByteArray prima = ByteCasuali(lunghezza, static_cast<unsigned>(lunghezza));
            const QString lista = p.Scrivi(QStringLiteral("caso.svz"), prima);
            FrmDatiAnagrafici* scheda = p.ApriScheda(lista);
            QVERIFY2(scheda != nullptr && scheda->isVisible(),
                     qPrintable(QString::number(lunghezza)));

            scheda->ScriviModulo(ModuloNumerato(1));
            p.Premi(*scheda, "CmdAvanti");
            const QByteArray dopo = p.File().value(QStringLiteral("caso.svz"));
            QVERIFY2(SoloRecordInteri(dopo), qPrintable(QString::number(lunghezza)));
            QVERIFY(dopo.right(kLunghezzaRecord) == RecordNumerato(1));
            const qsizetype domande = dopo.size() / kLunghezzaRecord;

            p.dialoghi.rispostaAlleDomande = MessageAnswer::No;
            p.Controllo<QAction>(*scheda, "mnuDomanda")->trigger();
            FrmRicerca& ricerca = p.programma.screens().get<FrmRicerca>();
            p.Controllo<QCheckBox>(ricerca, "chkCodFisc")->setChecked(true);
            p.Controllo<QLineEdit>(ricerca, "txtCodFisc")
                ->setText(QStringLiteral("ZZZZZZZZZZZZZZZZ"));
            p.Premi(ricerca, "cmdTrova");
            p.Premi(ricerca, "cmdIndietro");

            p.programma.screens().show<FrmRiepilogo>();
            FrmRiepilogo* riepilogo = p.programma.screens().find<FrmRiepilogo>();
            QVERIFY(riepilogo != nullptr);
            p.Premi(*riepilogo, "Command1");
            QCOMPARE(p.scrivania.aperti.size(), 1);
            QVERIFY(QFileInfo(p.scrivania.aperti.first()).size() > 0);
            QVERIFY(p.File().value(QStringLiteral("caso.svz")) == dopo);
            QVERIFY2(domande >= 1, qPrintable(QString::number(lunghezza)));
        }
    }

    void random_lists_are_appended_and_merged_in_whole_records() {
        const QByteArray due = RecordNumerati(1, 2);
        for (const int lunghezza : kLunghezze) {
            const QByteArray casuale = ByteCasuali(lunghezza, static_cast<unsigned>(lunghezza) + 7);
            const auto domandeCasuale = static_cast<qsizetype>(ArrotondaPari(lunghezza / 418.0));
            {
                ProgrammaConGuasti p;
                p.dialoghi.fileDaScegliere = {p.Scrivi(QStringLiteral("uno.svz"), casuale),
                                              p.Scrivi(QStringLiteral("due.svz"), due)};
                FrmCaricaFile& aggiunta = p.ApriDallaScelta<FrmCaricaFile>("OptUnione");
                for (const char* pulsante : {"cmdSfoglia1", "cmdSfoglia2", "cmdOk"}) {
                    p.Premi(aggiunta, pulsante);
                }
                const QByteArray risultato = p.File().value(QStringLiteral("uno.svz"));
                QVERIFY2(SoloRecordInteri(risultato), qPrintable(QString::number(lunghezza)));
                QCOMPARE(risultato.size(), (domandeCasuale + 2) * kLunghezzaRecord);
                QVERIFY(risultato.right(2 * kLunghezzaRecord) == due);
            }
            {
                ProgrammaConGuasti p;
                p.dialoghi.fileDaScegliere = {p.Scrivi(QStringLiteral("uno.svz"), due),
                                              p.Scrivi(QStringLiteral("due.svz"), casuale),
                                              p.Percorso(QStringLiteral("nuovo.svz"))};
                FrmCreaUnione& unione = p.ApriDallaScelta<FrmCreaUnione>("OptNuovaUnione");
                for (const char* pulsante :
                     {"cmdSfoglia1", "cmdSfoglia2", "cmdsalva", "cmdUnisci"}) {
                    p.Premi(unione, pulsante);
                }
                const QByteArray risultato = p.File().value(QStringLiteral("nuovo.svz"));
                QCOMPARE(risultato.size(), (domandeCasuale + 2) * kLunghezzaRecord);
                QVERIFY(risultato.left(2 * kLunghezzaRecord) == due);
                QVERIFY(p.File().value(QStringLiteral("due.svz")) == casuale);
            }
        }
    }

    void a_list_beyond_32767_records_is_refused_by_every_screen_and_left_alone() {
        ProgrammaConGuasti p;
        const QString grande = p.Percorso(QStringLiteral("grande.svz"));
        {
            QFile file(grande);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64{32768} * kLunghezzaRecord + 100));
        }
        const QDateTime modificato = QFileInfo(grande).lastModified();
        FrmDatiAnagrafici* scheda = p.ApriScheda(grande);
        QVERIFY(scheda != nullptr);

        scheda->ScriviModulo(ModuloNumerato(1));
        p.Premi(*scheda, "CmdAvanti");
        QCOMPARE(p.dialoghi.messaggi.size(), 1);
        p.programma.screens().show<FrmRiepilogo>();
        QCOMPARE(p.dialoghi.messaggi.size(), 2);
        p.dialoghi.rispostaAlleDomande = MessageAnswer::No;
        p.Controllo<QAction>(*scheda, "mnuDomanda")->trigger();
        FrmRicerca& ricerca = p.programma.screens().get<FrmRicerca>();
        p.Controllo<QCheckBox>(ricerca, "chkCodFisc")->setChecked(true);
        p.Controllo<QLineEdit>(ricerca, "txtCodFisc")->setText(QStringLiteral("ZZZZZZZZZZZZZZZZ"));
        p.Premi(ricerca, "cmdTrova");

        QCOMPARE(p.dialoghi.messaggi.size(), 3);
        for (const MessageBoxRequest& messaggio : p.dialoghi.messaggi) {
            QVERIFY2(messaggio.prompt.contains(QStringLiteral("32767")),
                     qPrintable(messaggio.prompt));
        }
        QCOMPARE(QFileInfo(grande).size(), qint64{32768} * kLunghezzaRecord + 100);
        QCOMPARE(QFileInfo(grande).lastModified(), modificato);
    }

    void a_folder_or_a_device_chosen_as_a_list_is_told_and_nothing_is_written() {
        for (const QString& nonFile :
             {QStringLiteral("cartella.svz"), QStringLiteral("/dev/zero")}) {
            ProgrammaConGuasti p;
            const QString percorso = nonFile.startsWith(u'/') ? nonFile : p.Percorso(nonFile);
            QDir().mkpath(nonFile.startsWith(u'/') ? p.Percorso(QStringLiteral("x")) : percorso);
            const auto prima = p.File();

            p.ApriScheda(percorso);
            const qsizetype dopoScheda = p.dialoghi.messaggi.size();
            QVERIFY2(dopoScheda >= 1, qPrintable(percorso));
            QVERIFY(p.dialoghi.messaggi.first().prompt.contains(percorso));

            p.dialoghi.fileDaScegliere = {percorso, p.Scrivi(QStringLiteral("due.svz"), {}),
                                          percorso};
            FrmCreaUnione& unione = p.ApriDallaScelta<FrmCreaUnione>("OptNuovaUnione");
            for (const char* pulsante : {"cmdSfoglia1", "cmdSfoglia2", "cmdsalva", "cmdUnisci"}) {
                p.Premi(unione, pulsante);
            }
            QVERIFY2(p.dialoghi.messaggi.size() > dopoScheda, qPrintable(percorso));
            QVERIFY(p.dialoghi.messaggi.at(dopoScheda).prompt.contains(percorso));
            QCOMPARE(p.File().keys(), (prima.keys() << QStringLiteral("due.svz")));
        }
    }

    void a_list_deleted_while_the_entry_screen_holds_it_is_not_stored_into_unseen() {
        ProgrammaConGuasti p;
        const QString lista = p.Scrivi(QStringLiteral("Tre.svz"), RecordNumerati(1, 3));
        FrmDatiAnagrafici* scheda = p.ApriScheda(lista);
        QVERIFY(scheda != nullptr && p.dialoghi.messaggi.isEmpty());
        QVERIFY(QFile::remove(lista));

        scheda->ScriviModulo(ModuloNumerato(4));
        p.Premi(*scheda, "CmdAvanti");

        QVERIFY(p.Detto(0, QStringLiteral("il file è stato cancellato, spostato o sostituito")));
        QVERIFY(scheda->LeggiModulo() == ModuloNumerato(4));
        QVERIFY(!QFileInfo::exists(lista));
    }

    void a_list_deleted_between_choosing_and_appending_is_not_recreated() {
        ProgrammaConGuasti p;
        const QString uno = p.Scrivi(QStringLiteral("uno.svz"), RecordNumerati(1, 2));
        p.dialoghi.fileDaScegliere = {uno,
                                      p.Scrivi(QStringLiteral("due.svz"), RecordNumerati(3, 2))};
        FrmCaricaFile& aggiunta = p.ApriDallaScelta<FrmCaricaFile>("OptUnione");
        p.Premi(aggiunta, "cmdSfoglia1");
        p.Premi(aggiunta, "cmdSfoglia2");
        QVERIFY(QFile::remove(uno));

        p.Premi(aggiunta, "cmdOk");

        QVERIFY(p.Detto(0, QStringLiteral("il file è stato cancellato, spostato o sostituito")));
        QVERIFY(!QFileInfo::exists(uno));
    }
};

QTEST_MAIN(TestFileCattiviSchermi)
#include "test_file_cattivi_schermi.moc"
