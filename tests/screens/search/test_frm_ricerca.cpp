// The search screen over the entry screen: which criterion the ticked boxes
// choose, where each resumes, the end of the list, and correcting the
// application found. How keys match records is the core search's own test.

#include "DomandaDiProva.h"
#include "ProgramUnderTest.h"
#include "RiempiRecord.h"
#include "search/FrmRicerca.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <cerrno>

namespace {

const QString kCodice = QStringLiteral("RSSMRA70C05D704X");
const MessageBoxRequest kFineDelFile{
    QStringLiteral("E' stata raggiunta la fine del file. Nominativo non trovato.\n"
                   " Ripartire dall'inizio?"),
    MessageButtons::YesNo, MessageIcon::None, true};

// The program with a list file holding these bytes, its entry screen loaded
// and the search screen shown over it, as the menu does.
struct Ricerca : ProgramUnderTest {
    explicit Ricerca(const QByteArray& contenuto) {
        openEntry(write(QStringLiteral("elenco.svz"), contenuto));
        screens().show<FrmRicerca>();
        screens().hide<FrmDatiAnagrafici>();
    }
    ~Ricerca() { QVERIFY(finish()); }

    FrmRicerca& schermo() { return screens().get<FrmRicerca>(); }
    FrmDatiAnagrafici& scheda() { return screens().get<FrmDatiAnagrafici>(); }
    QString trovaDice() { return control<QPushButton>(schermo(), "cmdTrova")->text(); }
    void spunta(const char* casella) { control<QCheckBox>(schermo(), casella)->click(); }
    void scrivi(const char* campo, const QString& testo) {
        auto* casella = control<QLineEdit>(schermo(), campo);
        casella->clear();
        QTest::keyClicks(casella, testo);
    }
    // Presses "Trova": record n comes up on the entry screen in modify mode
    // and, with `torna`, its "Annulla" hands back to the search; with n 0 the
    // search screen stays alone.
    void trova(std::int16_t n, bool torna = true) {
        click(schermo(), {"cmdTrova"});
        if (n == 0) {
            QCOMPARE(shownScreens(), QStringList{"FrmRicerca"});
            return;
        }
        QVERIFY(scheda().LeggiModulo() == ModuloDelRecord(*elenchi.LeggiDomanda(1, n)));
        QCOMPARE(shownScreens(), QStringList{"FrmDatiAnagrafici"});
        QCOMPARE(on(scheda(), {"CmdEsci", "cmdModfica"}), QStringLiteral("cmdModfica"));
        QVERIFY(control<QPushButton>(scheda(), "cmdannulla")->y() > 0);  // placed by the form
        QCOMPARE(control<QLineEdit>(scheda(), "TxtViaRich")->cursorPosition(), 0);
        if (torna) {
            click(scheda(), {"cmdannulla"});
            QCOMPARE(shownScreens(), QStringList{"FrmRicerca"});
        }
    }
};

}  // namespace

class TestFrmRicerca : public QObject {
    Q_OBJECT

private slots:
    // The application found, corrected, is rewritten in its own place with
    // the fields left alone as they were; a refused Modifica writes nothing
    // and keeps the corrections. Failed writes are swept by test_guasti.
    void modifica_rewrites_the_application_found_in_its_place() {
        Ricerca r(RecordDelRichiedente("VERDI", "ANNA", "X") +
                  RecordDelRichiedente("ROSSI", "MARIO", kCodice) +
                  RecordDelRichiedente("BIANCHI", "LIA", "Y"));
        const QByteArray prima = LeggiFile(r.stato.sFileElenco);
        r.spunta("chkCodFisc");
        r.scrivi("txtCodFisc", kCodice);
        r.trova(2, false);
        // The other applications of its student are named, not itself.
        const QList<QAction*> segni =
            r.control<QLineEdit>(r.scheda(), QStringLiteral("TxtCodFiscStud1"))->actions();
        QVERIFY(!segni.isEmpty() &&
                segni.first()->toolTip().contains(QStringLiteral(
                    "Già presente nella domanda n. 1 (richiedente VERDI ANNA) e in altre 1")));
        ModuloDomanda modulo = r.scheda().LeggiModulo();
        modulo[Campo::CodFiscRich].clear();  // any requester code is accepted here
        modulo[Campo::NomeRich] = QStringLiteral("Giuseppe");
        modulo[Campo::DataStud] = QStringLiteral("29/02/1900");
        r.scheda().ScriviModulo(modulo);
        r.dialogs.expectMessage(
            {QStringLiteral("ATTENZIONE!\n Data di Nascita dello Studente non valida"),
             MessageButtons::Ok, MessageIcon::Exclamation});
        r.click(r.scheda(), {"cmdModfica"});
        QCOMPARE(LeggiFile(r.stato.sFileElenco), prima);
        QVERIFY(r.scheda().LeggiModulo() == modulo);
        modulo[Campo::DataStud] = QStringLiteral("05/03/2000");
        r.scheda().ScriviModulo(modulo);
        r.click(r.scheda(), {"cmdModfica"});
        DatiDomanda atteso =
            DecodificaDomanda(prima.constData() + kLunghezzaRecord, kLunghezzaRecord);
        atteso[Campo::CodFiscRich].clear();
        atteso[Campo::NomeRich] = QStringLiteral("GIUSEPPE");
        atteso[Campo::DataStud] = QStringLiteral("05/03/2000");
        QCOMPARE(LeggiFile(r.stato.sFileElenco), prima.left(kLunghezzaRecord) +
                                                     CodificaDomanda(atteso) +
                                                     prima.mid(2 * kLunghezzaRecord));
        QVERIFY(r.stato.bModificaEseguita);
        QCOMPARE(r.shownScreens(), QStringList{"FrmRicerca"});
    }

    // What "Trova" needs; surname and name, codice fiscale, or all three by
    // the ticked boxes, each going on from its own last hit until a field is
    // edited; the end of the list, a failed read, and "Termina Ricerca".
    void each_criterion_resumes_from_its_own_position_to_the_end_of_the_list() {
        Ricerca r(RecordDelRichiedente("ROSSI", "MARIO", "A") +
                  RecordDelRichiedente("ROSSI", "MARIO", kCodice) +
                  RecordDelRichiedente("BIANCHI", "LIA", kCodice) +
                  RecordDelRichiedente("ROSSI", "MARIO", "B"));
        r.trova(0);  // no box ticked: nothing to do, the fields closed
        QVERIFY(!r.control<QLineEdit>(r.schermo(), "txtcognome")->isEnabled());
        const MessageBoxRequest mancante(
            QStringLiteral("Attenzione... Immettere i dati per la ricerca"), MessageButtons::Ok,
            MessageIcon::Exclamation);
        r.dialogs.expectMessage(mancante).expectMessage(mancante);
        r.spunta("chkCognRich");
        QCOMPARE(r.schermo().focusWidget(), r.control<QLineEdit>(r.schermo(), "txtcognome"));
        r.scrivi("txtcognome", QStringLiteral("Rossi"));
        r.scrivi("txtNome", QStringLiteral("   "));
        r.trova(0);
        r.scrivi("txtNome", QStringLiteral("mario"));
        r.spunta("chkCodFisc");
        QCOMPARE(r.schermo().focusWidget(), r.control<QLineEdit>(r.schermo(), "txtCodFisc"));
        r.trova(0);  // all three are required now, the codice fiscale is empty
        r.scrivi("txtCodFisc", kCodice);
        r.spunta("chkCodFisc");
        r.trova(1);  // surname and name
        QCOMPARE(r.trovaDice(), QStringLiteral("Trova Successivo"));
        r.spunta("chkCognRich");
        r.spunta("chkCodFisc");
        r.trova(2);  // codice fiscale
        r.trova(3);
        r.spunta("chkCodFisc");
        r.spunta("chkCognRich");
        r.trova(2);  // surname and name again, after record 1
        r.spunta("chkCodFisc");
        r.trova(2);  // all three, from the start
        r.spunta("chkCodFisc");
        r.trova(4);  // surname and name, after record 2
        r.dialogs.expectMessage(kFineDelFile, MessageAnswer::No)
            .expectMessage(kFineDelFile, MessageAnswer::Yes);
        r.trova(0);
        r.trova(0);  // after No: the same question
        r.trova(1);  // after Yes: from record 1 again
        r.spunta("chkCognRich");
        r.spunta("chkCodFisc");
        r.scrivi("txtCodFisc", kCodice);  // retyped as it was: every criterion restarts
        QCOMPARE(r.trovaDice(), QStringLiteral("Trova"));
        r.trova(2);

        r.fs.failOn(FailingFileSystem::Call::Read, 1, EIO);
        r.dialogs.goingOn.emplace();
        r.trova(0);
        QVERIFY(r.dialogs.told("Ricerca interrotta."));

        // Ending the search forgets the hit: the entry screen, cleared, takes
        // new applications.
        r.click(r.schermo(), {"cmdIndietro"});
        QCOMPARE(r.on(r.scheda(), {"CmdAvanti", "cmdModfica"}), QStringLiteral("CmdAvanti"));
        QCOMPARE(r.screens().find<FrmRicerca>(), nullptr);
        QCOMPARE(r.shownScreens(), QStringList{"FrmDatiAnagrafici"});
        QCOMPARE(r.scheda().LeggiModulo()[Campo::CognRich], QString());
    }

    void an_empty_file_says_so() {
        Ricerca r{QByteArray()};
        r.dialogs.expectMessage(informazione("Il file è vuoto!"));
        r.trova(0);  // before the criteria are looked at
    }
};

QTEST_MAIN(TestFrmRicerca)
#include "test_frm_ricerca.moc"
