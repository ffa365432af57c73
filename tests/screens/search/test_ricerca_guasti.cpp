// A list that cannot be read and the longest list the record numbers allow.

#include "ErroreDiSistema.h"
#include "FileElenco.h"
#include "RicercaFixture.h"

#include <cerrno>

class TestRicercaGuasti : public TestRicerca {
    Q_OBJECT

private slots:
    void a_failed_read_stops_the_scan_with_its_reason_and_a_new_press_reads_it_again() {
        r = std::make_unique<Ricerca>(QList<DatiDomanda>{domanda("VERDI", "ANNA", "A"),
                                                         domanda("BIANCHI", "LIA", "B"),
                                                         domanda("ROSSI", "MARIO", kCodice)});
        r->spunta("chkCodFisc");
        r->fs.failOn(FailingFileSystem::Call::Read, 2, EIO);
        r->t.dialogs.expectMessage(
            {QStringLiteral("Ricerca interrotta.\n") +
                 ErroreDiSistema(EIO, QStringLiteral("Impossibile leggere dal file"),
                                 r->t.stato().sFileElenco)
                     .message,
             MessageButtons::Ok, MessageIcon::Critical});
        r->cercaCodiceFiscale(kCodice);
        r->verificaNessunaScheda();
        QVERIFY(!r->t.stato().bTrovato);

        const int letturePrima = r->letture();
        r->trova();
        r->verificaTrovata(3);
        QCOMPARE(r->letture() - letturePrima, 2);  // records 2 and 3
    }

    void the_last_of_32767_applications_is_found_and_a_longer_list_is_refused() {
        r = std::make_unique<Ricerca>([](const QString& percorso) {
            FileElenco scrittura;
            QVERIFY(scrittura.ApriElenco(percorso, 1).ok());
            // The gap before a record written past the end holds blank records.
            QVERIFY(scrittura.ScriviDomanda(1, FileElenco::kMassimoDomande,
                                            domanda("ROSSI", "MARIO", kCodice)));
        });
        const QString percorso = r->t.stato().sFileElenco;
        r->spunta("chkCodFisc");
        r->cercaCodiceFiscale(kCodice);
        r->verificaTrovata(32767);

        r->tornaDallaScheda();
        r->t.dialogs.expectMessage(fineDelFile(), MessageAnswer::Yes);
        r->trova();
        r->trova();
        r->verificaTrovata(32767);

        r->tornaDallaScheda();
        QVERIFY(QFile::resize(percorso, (FileElenco::kMassimoDomande + 1) * kLunghezzaRecord));
        r->t.dialogs.expectMessage(
            {QStringLiteral("Ricerca interrotta.\nIl file \"%1\" è troppo grande: un elenco può "
                            "contenere al massimo 32767 domande.")
                 .arg(percorso),
             MessageButtons::Ok, MessageIcon::Critical});
        r->trova();
        r->verificaNessunaScheda();
    }
};

QTEST_MAIN(TestRicercaGuasti)
#include "test_ricerca_guasti.moc"
