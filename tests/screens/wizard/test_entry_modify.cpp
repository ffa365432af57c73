#include "ControlloImporti.h"
#include "EntryFixture.h"
#include "FailingFileSystem.h"
#include "search/FrmRicerca.h"

#include <cerrno>

// Correcting a stored application that the search put on the entry screen.
class TestEntryModify : public QObject {
    Q_OBJECT

private:
    FailingFileSystem fs;
    std::unique_ptr<EntryFixture> f;
    QByteArray prima;

    // What the search does on a hit of record 2: full-width texts, amounts
    // with a point, then the entry screen shown in modify mode.
    void mostraTrovata() {
        ModuloDomanda modulo = ModuloCompleto();
        modulo.CognRich = QStringLiteral("ROSSI2").leftJustified(30);
        modulo.Spese = QStringLiteral("1250.5");
        f->action("mnuDomanda")->trigger();
        f->entry->ScriviModulo(modulo);
        f->stato().bTrovato = true;
        f->stato().nRecordTrovato = 2;
        f->screens().hide<FrmRicerca>();
        f->screens().show(*f->entry);
        // The offscreen platform does not activate a window shown again.
        QApplication::setActiveWindow(f->entry);
        QVERIFY(QTest::qWaitForWindowActive(f->entry));
    }

    void modifica() { ProgramUnderTest::click(f->button("cmdModfica")); }

    // Only record 2 may differ from the file as it was.
    void soloIlRecordDue() {
        const QByteArray dopo = f->bytes();
        QCOMPARE(dopo.size(), prima.size());
        QCOMPARE(dopo.left(kLunghezzaRecord), prima.left(kLunghezzaRecord));
        QCOMPARE(dopo.mid(2 * kLunghezzaRecord), prima.mid(2 * kLunghezzaRecord));
    }

private slots:
    void init() {
        fs.clearFailures();
        f = std::make_unique<EntryFixture>(fs);
        f->apri(f->elenco(3));
        prima = f->bytes();
        mostraTrovata();
    }
    void cleanup() {
        QVERIFY(f->finish());
        f.reset();
    }

    void modifica_rewrites_only_its_record_and_hands_back_to_the_search() {
        QVERIFY(f->button("cmdannulla")->isVisible());
        QVERIFY(!f->button("CmdAvanti")->isVisible());
        QVERIFY(!f->button("CmdEsci")->isVisible());
        QVERIFY(!f->button("CmdIndietro")->isEnabled());
        QVERIFY(!f->action("mnuFile")->isEnabled());
        QVERIFY(!f->action("mnuModifica")->isEnabled());
        QVERIFY(f->action("MnuVisualizza")->isEnabled());

        f->box("TxtCodFiscRich")->clear();  // any requester code is accepted here
        f->box("TxtViaStud")->setText(QStringLiteral("Via Roma, 5"));
        modifica();
        soloIlRecordDue();
        const QByteArray record = f->record(2);
        QCOMPARE(record.left(30), QByteArray("ROSSI2").leftJustified(30, ' '));
        QCOMPARE(record.mid(100, 16), QByteArray(16, ' '));
        QCOMPARE(record.mid(351, 11), QByteArray("VIA ROMA, 5"));
        QCOMPARE(record.mid(kOffsetSpese, 4), QByteArray::fromHex("00509c44"));  // 1250.5
        QVERIFY(f->stato().bDomandaSalvata);
        QVERIFY(f->stato().bModificaEseguita);
        QVERIFY(f->screens().get<FrmRicerca>().isVisible());
        QVERIFY(!f->entry->isVisible());
    }

    void a_short_requester_cap_is_refused_before_the_municipality() {
        f->box("TxtCapRich")->setText(QStringLiteral("0010"));
        f->box("TxtComRich")->clear();
        f->dialogs.expectMessage(
            EntryFixture::attenzione(QStringLiteral(" CAP del Richiedente non valido")));
        modifica();
        QVERIFY(f->box("TxtCapRich")->hasFocus());
        QCOMPARE(f->bytes(), prima);
        QVERIFY(f->entry->isVisible());
    }

    void three_decimals_then_a_second_modifica_stores_zero() {
        f->box("TxtSpese")->setText(QStringLiteral("10.125"));
        f->dialogs.expectMessage(MessageBoxRequest(kMessaggioDecimali));
        modifica();
        QCOMPARE(f->box("TxtSpese")->text(), QStringLiteral("0"));
        QCOMPARE(f->bytes(), prima);
        QVERIFY(f->entry->isVisible());

        modifica();
        soloIlRecordDue();
        QCOMPARE(f->record(2).mid(kOffsetSpese, 4), QByteArray(4, '\0'));
    }

    void enter_does_nothing_and_annulla_writes_nothing() {
        f->box("TxtNomeRich")->setText(QStringLiteral("Giuseppe"));
        f->box("TxtCognRich")->setFocus();
        QTest::keyClick(f->box("TxtCognRich"), Qt::Key_Return);
        QVERIFY(f->entry->isVisible());
        ProgramUnderTest::click(f->button("cmdannulla"));
        QVERIFY(f->screens().get<FrmRicerca>().isVisible());
        QVERIFY(!f->entry->isVisible());
        QCOMPARE(f->bytes(), prima);
        QCOMPARE(f->box("TxtNomeRich")->text(), QStringLiteral("Giuseppe"));
    }

    void a_failed_rewrite_keeps_the_corrections_and_the_stored_record() {
        f->box("TxtNomeRich")->setText(QStringLiteral("Giuseppe"));
        fs.failOn(FailingFileSystem::Call::Write, 1, ENOSPC);
        f->dialogs.expectMessage(
            {QStringLiteral("La modifica non è stata registrata.\n"
                            "Impossibile scrivere nel file \"%1\": spazio esaurito sul disco.\n"
                            "I dati restano nel modulo: eliminata la causa, si può registrarli "
                            "di nuovo.")
                 .arg(f->file),
             MessageButtons::Ok, MessageIcon::Critical});
        modifica();
        QCOMPARE(f->bytes(), prima);
        QCOMPARE(f->box("TxtNomeRich")->text(), QStringLiteral("Giuseppe"));
        QVERIFY(f->button("cmdModfica")->isVisible());
        QVERIFY(!f->stato().bModificaEseguita);
        QVERIFY(f->entry->isVisible());
    }
};

QTEST_MAIN(TestEntryModify)
#include "test_entry_modify.moc"
