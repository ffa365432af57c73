// Finding stored applications from the search screen: the joined key, the
// three positions, the end of the list, short, empty and longest lists, a
// failed read, and the two ways to end the search.

#include "DomandaDiProva.h"
#include "FailingFileSystem.h"
#include "ProgramUnderTest.h"
#include "search/FrmRicerca.h"
#include "wizard/FrmDatiAnagrafici.h"

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

// A complete application of this requester.
QByteArray domanda(const QString& cognome, const QString& nome, const QString& codiceFiscale) {
    DatiDomanda d = DomandaDa(
        "||ROMA|05/03/1970||ROMA|VIA DEI MILLE|12|00100|ROSSI|LUCA|ROMA|29/02/2000|"
        "RSSLCU00B69H501Y|ROMA|VIA DEI MILLE|12|00100|1250.5|300");
    d[Campo::CognRich] = cognome;
    d[Campo::NomeRich] = nome;
    d[Campo::CodFiscRich] = codiceFiscale;
    return CodificaDomanda(d);
}

// The program with a list file holding these bytes, its entry screen loaded
// with the list open and the search screen shown over it, as the menu does.
struct Ricerca {
    explicit Ricerca(const QByteArray& contenuto) {
        QFile file(t.path(QStringLiteral("elenco.svz")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contenuto) == contenuto.size());
        file.close();
        t.stato.sFileElenco = file.fileName();
        t.stato.bElencoNuovo = false;
        t.screens().show<FrmDatiAnagrafici>();
        t.screens().show<FrmRicerca>();
        t.screens().hide<FrmDatiAnagrafici>();
    }

    ProgramUnderTest t;

    FrmRicerca* schermo() { return t.screens().find<FrmRicerca>(); }
    FrmDatiAnagrafici* scheda() { return t.screens().find<FrmDatiAnagrafici>(); }
    template <class Widget = QLineEdit>
    Widget* ctl(const char* nome) {
        return t.control<Widget>(*schermo(), QString::fromLatin1(nome));
    }
    void spunta(const char* casella) { ctl<QCheckBox>(casella)->click(); }
    void scrivi(const char* campo, const QString& testo) {
        QVERIFY(ctl(campo)->isEnabled());
        ctl(campo)->clear();
        QTest::keyClicks(ctl(campo), testo);
    }
    void trova() { ProgramUnderTest::click(ctl<QPushButton>("cmdTrova")); }
    void cerca(const QString& cognome, const QString& nome) {
        scrivi("txtcognome", cognome);
        scrivi("txtNome", nome);
        trova();
    }
    void cercaCodice(const QString& codice) {
        scrivi("txtCodFisc", codice);
        trova();
    }
    // "Annulla" on the entry screen hands back to the search.
    void torna() {
        ProgramUnderTest::click(t.control<QPushButton>(*scheda(), QStringLiteral("cmdannulla")));
        QCOMPARE(t.shownScreens(), QStringList{"FrmRicerca"});
    }
    // Record n is on the entry screen, in front and in modify mode.
    void trovata(std::int16_t n) {
        QCOMPARE(t.stato.nRecordTrovato, n);
        QVERIFY(t.stato.bTrovato);
        QCOMPARE(t.shownScreens(), QStringList{"FrmDatiAnagrafici"});
        QVERIFY(t.control<QPushButton>(*scheda(), QStringLiteral("cmdModfica"))->isVisible());
        QVERIFY(!schermo()->isVisible());
    }
    void trovaETorna(std::int16_t n) {
        trova();
        trovata(n);
        torna();
    }
    void nessuna() {
        QCOMPARE(t.shownScreens(), QStringList{"FrmRicerca"});
        QVERIFY(!scheda()->isVisible());
    }
};

}  // namespace

class TestFrmRicerca : public QObject {
    Q_OBJECT

    std::unique_ptr<Ricerca> r;

private slots:
    void cleanup() {
        QVERIFY(r->t.finish());
        r.reset();
    }

    // Surname and name are joined, case and outer blanks ignored, inner ones
    // kept; a codice fiscale matches whole; with both boxes all three agree.
    void each_criterion_finds_the_first_matching_application() {
        struct Chiave {
            const char *cognome, *nome;
            QString codice;
            std::int16_t trovata;  // 0: none, the end of the list is asked
        };
        const Chiave chiavi[] = {
            {"  ab ", " c  ", {}, 3},
            {"strass", "ela", {}, 4},  // upper-casing lengthens the stored STRAß
            {"DE LUCA", "ANNA", {}, 0},
            {nullptr, nullptr, kCodice.left(15), 1},
            {nullptr, nullptr, kCodice.toLower(), 2},
            {"ROSSI", "MARIO", kCodice, 6},
        };
        for (const Chiave& chiave : chiavi) {
            r = std::make_unique<Ricerca>(
                domanda("ROSSI", "MARIO", kCodice.left(15)) + domanda("DELUCA", "ANNA", kCodice) +
                domanda("A", "BC", kCodice) + domanda("STRAß", "ELA", "X") +
                domanda("BIANCHI", "MARIO", kCodice) + domanda("ROSSI", "MARIO", kCodice));
            if (chiave.cognome != nullptr) {
                r->spunta("chkCognRich");
                r->scrivi("txtcognome", QString::fromUtf8(chiave.cognome));
                r->scrivi("txtNome", QString::fromUtf8(chiave.nome));
            }
            if (!chiave.codice.isEmpty()) {
                r->spunta("chkCodFisc");
                r->scrivi("txtCodFisc", chiave.codice);
            }
            if (chiave.trovata == 0) {
                r->t.dialogs.expectMessage(kFineDelFile, MessageAnswer::No);
            }
            r->trova();
            chiave.trovata == 0 ? r->nessuna() : r->trovata(chiave.trovata);
            QVERIFY(r->t.finish());
        }
    }

    // The application found is shown at full width with dotted amounts and,
    // corrected, rewritten in its own place; a refused or failed Modifica
    // writes nothing and keeps the corrections.
    void modifica_rewrites_the_application_found_in_its_place() {
        r = std::make_unique<Ricerca>(domanda("VERDI", "ANNA", "X") +
                                      domanda("ROSSI", "MARIO", kCodice) +
                                      domanda("BIANCHI", "LIA", "Y"));
        const QByteArray prima = LeggiFile(r->t.stato.sFileElenco);
        r->spunta("chkCodFisc");
        r->cercaCodice(kCodice.toLower());
        r->trovata(2);
        ModuloDomanda modulo = r->scheda()->LeggiModulo();
        QCOMPARE(modulo[Campo::CognRich], QStringLiteral("ROSSI").leftJustified(30));
        QCOMPARE(modulo[Campo::Spese], QStringLiteral("1250.5"));
        const auto modifica = [this] {
            ProgramUnderTest::click(
                r->t.control<QPushButton>(*r->scheda(), QStringLiteral("cmdModfica")));
        };
        modulo[Campo::CodFiscRich].clear();  // any requester code is accepted here
        modulo[Campo::NomeRich] = QStringLiteral("Giuseppe");
        modulo[Campo::DataStud] = QStringLiteral("29/02/1900");
        r->scheda()->ScriviModulo(modulo);
        r->t.dialogs.expectMessage(
            {QStringLiteral("ATTENZIONE!\n Data di Nascita dello Studente non valida"),
             MessageButtons::Ok, MessageIcon::Exclamation});
        modifica();
        QCOMPARE(r->scheda()->focusWidget()->objectName(), QStringLiteral("MskDataStud"));
        modulo[Campo::DataStud] = QStringLiteral("05/03/2000");
        r->scheda()->ScriviModulo(modulo);
        r->t.fs.failOn(FailingFileSystem::Call::Write, 1, ENOSPC);
        r->t.dialogs.expectMessage(
            {QStringLiteral("La modifica non è stata registrata.\nImpossibile scrivere nel file "
                            "\"%1\": spazio esaurito sul disco.\nI dati restano nel modulo: "
                            "eliminata la causa, si può registrarli di nuovo.")
                 .arg(r->t.stato.sFileElenco),
             MessageButtons::Ok, MessageIcon::Critical});
        modifica();
        QCOMPARE(LeggiFile(r->t.stato.sFileElenco), prima);
        QVERIFY(r->scheda()->LeggiModulo() == modulo);
        QVERIFY(!r->t.stato.bModificaEseguita);

        modifica();
        DatiDomanda atteso =
            DecodificaDomanda(prima.constData() + kLunghezzaRecord, kLunghezzaRecord);
        atteso[Campo::CodFiscRich].clear();
        atteso[Campo::NomeRich] = QStringLiteral("GIUSEPPE");
        atteso[Campo::DataStud] = QStringLiteral("05/03/2000");
        QCOMPARE(LeggiFile(r->t.stato.sFileElenco),
                 prima.left(kLunghezzaRecord) + CodificaDomanda(atteso) +
                     prima.mid(2 * kLunghezzaRecord));
        QVERIFY(r->t.stato.bModificaEseguita);
        QCOMPARE(r->t.shownScreens(), QStringList{"FrmRicerca"});
    }

    void a_missing_field_is_refused_and_no_box_ticked_does_nothing() {
        r = std::make_unique<Ricerca>(domanda("ROSSI", "MARIO", kCodice));
        r->trova();
        const MessageBoxRequest mancante(
            QStringLiteral("Attenzione... Immettere i dati per la ricerca"), MessageButtons::Ok,
            MessageIcon::Exclamation);
        r->t.dialogs.expectMessage(mancante).expectMessage(mancante);
        r->spunta("chkCognRich");
        r->cerca(QStringLiteral("ROSSI"), QStringLiteral("   "));
        r->spunta("chkCodFisc");
        r->scrivi("txtNome", QStringLiteral("MARIO"));
        r->trova();  // all three are required now, the codice fiscale is empty
        r->nessuna();
    }

    void two_applications_of_one_requester_are_found_in_order_then_the_end_is_asked() {
        r = std::make_unique<Ricerca>(domanda("ROSSI", "MARIO", kCodice) +
                                      domanda("VERDI", "ANNA", "X") +
                                      domanda("ROSSI", "MARIO", kCodice));
        r->spunta("chkCognRich");
        r->cerca(QStringLiteral("Rossi"), QStringLiteral("Mario"));
        r->trovata(1);
        r->torna();
        QCOMPARE(r->ctl<QPushButton>("cmdTrova")->text(), QStringLiteral("Trova Successivo"));
        r->trovaETorna(3);
        // A hit on the last record: the next press asks.
        r->t.dialogs.expectMessage(kFineDelFile, MessageAnswer::No)
            .expectMessage(kFineDelFile, MessageAnswer::Yes);
        r->trova();
        r->trova();  // after No: the same question
        r->nessuna();
        r->trova();  // after Yes: from record 1 again
        r->trovata(1);
    }

    void each_criterion_resumes_from_its_own_position_until_a_field_is_edited() {
        r = std::make_unique<Ricerca>(
            domanda("ROSSI", "MARIO", "A") + domanda("ROSSI", "MARIO", kCodice) +
            domanda("BIANCHI", "LIA", kCodice) + domanda("ROSSI", "MARIO", "B"));
        r->spunta("chkCognRich");
        r->scrivi("txtcognome", QStringLiteral("ROSSI"));
        r->scrivi("txtNome", QStringLiteral("MARIO"));
        r->spunta("chkCodFisc");
        r->scrivi("txtCodFisc", kCodice);
        r->spunta("chkCodFisc");
        r->trovaETorna(1);  // surname and name
        r->spunta("chkCognRich");
        r->spunta("chkCodFisc");
        r->trovaETorna(2);  // codice fiscale
        r->trovaETorna(3);
        r->spunta("chkCodFisc");
        r->spunta("chkCognRich");
        r->trovaETorna(2);  // surname and name again, after record 1
        r->spunta("chkCodFisc");
        r->trovaETorna(2);  // all three, from the start
        r->t.dialogs.expectMessage(kFineDelFile, MessageAnswer::No);
        r->trova();
        r->spunta("chkCodFisc");
        r->trovaETorna(4);  // surname and name, after record 2
        r->spunta("chkCognRich");
        r->spunta("chkCodFisc");
        r->scrivi("txtCodFisc", kCodice);  // retyped as it was: every criterion restarts
        QCOMPARE(r->ctl<QPushButton>("cmdTrova")->text(), QStringLiteral("Trova"));
        r->trovaETorna(2);
    }

    void an_empty_file_says_so() {
        r = std::make_unique<Ricerca>(QByteArray());
        r->t.dialogs.expectMessage(
            {QStringLiteral("Il file è vuoto!"), MessageButtons::Ok, MessageIcon::Information});
        r->trova();  // before the criteria are looked at
        r->nessuna();
    }

    void ending_the_search_forgets_the_hit_and_clears_the_entry_screen() {
        r = std::make_unique<Ricerca>(domanda("ROSSI", "MARIO", kCodice) +
                                      domanda("VERDI", "ANNA", "X"));
        r->spunta("chkCognRich");
        r->cerca(QStringLiteral("VERDI"), QStringLiteral("ANNA"));
        r->trovata(2);
        r->torna();
        ProgramUnderTest::click(r->ctl<QPushButton>("cmdIndietro"));
        QVERIFY(!r->t.stato.bTrovato);
        QCOMPARE(r->schermo(), nullptr);
        QCOMPARE(r->t.shownScreens(), QStringList{"FrmDatiAnagrafici"});
        QCOMPARE(r->scheda()->LeggiModulo()[Campo::CognRich], QString());
    }
};

QTEST_MAIN(TestFrmRicerca)
#include "test_frm_ricerca.moc"
