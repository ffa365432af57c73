#include "RicercaFixture.h"

#include "FileElenco.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

DatiDomanda domanda(const QString& cognome, const QString& nome, const QString& codiceFiscale) {
    DatiDomanda d = AzzeraRecord();
    d.CognRich = cognome;
    d.NomeRich = nome;
    d.CodFiscRich = codiceFiscale;
    d.LuogoRich = QStringLiteral("FORLÌ");
    d.DataRich = QStringLiteral("05/03/1970");
    d.CognStud = cognome;
    d.NomeStud = QStringLiteral("LUCA");
    d.DataStud = QStringLiteral("12/09/2010");
    d.Spese = 1250.5f;
    d.Isee = 300.0f;
    return d;
}

MessageBoxRequest fineDelFile() {
    return {QStringLiteral("E' stata raggiunta la fine del file. Nominativo non trovato.\n"
                           " Ripartire dall'inizio?"),
            MessageButtons::YesNo, MessageIcon::None, true};
}

Ricerca::Ricerca(const QList<DatiDomanda>& domande)
    : Ricerca([&domande](const QString& percorso) {
          FileElenco scrittura;
          QVERIFY(scrittura.ApriElenco(percorso, 1).ok());
          for (qsizetype indice = 0; indice < domande.size(); ++indice) {
              QVERIFY(scrittura.ScriviDomanda(1, static_cast<std::int32_t>(indice + 1),
                                              domande[indice]));
          }
      }) {}

Ricerca::Ricerca(const QByteArray& contenuto)
    : Ricerca([&contenuto](const QString& percorso) {
          QFile file(percorso);
          QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contenuto) == contenuto.size());
      }) {}

Ricerca::Ricerca(const std::function<void(const QString& percorso)>& preparaFile) : t(fs) {
    preparaFile(percorso());
    apri();
}

void Ricerca::apri() {
    Module1& stato = t.stato();
    stato.sFileElenco = percorso();
    stato.bElencoNuovo = false;
    t.screens().show<FrmDatiAnagrafici>();
    QVERIFY(t.program.elenco().Aperto(1));
    t.screens().show<FrmRicerca>();
    t.screens().hide<FrmDatiAnagrafici>();
}

void Ricerca::spunta(const char* casella) {
    controllo<QCheckBox>(casella)->click();
}

void Ricerca::scrivi(const char* campo, const QString& testo) {
    auto* box = controllo<QLineEdit>(campo);
    QVERIFY(box->isEnabled());
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, testo);
}

void Ricerca::trova() {
    ProgramUnderTest::click(controllo<QPushButton>("cmdTrova"));
}

void Ricerca::cercaNominativo(const QString& cognome, const QString& nome) {
    scrivi("txtcognome", cognome);
    scrivi("txtNome", nome);
    trova();
}

void Ricerca::cercaCodiceFiscale(const QString& codiceFiscale) {
    scrivi("txtCodFisc", codiceFiscale);
    trova();
}

void Ricerca::tornaDallaScheda() {
    auto* scheda = t.screens().find<FrmDatiAnagrafici>();
    ProgramUnderTest::click(t.control<QPushButton>(*scheda, QStringLiteral("cmdannulla")));
    QCOMPARE(t.screens().activeScreen(), schermo());
}

void Ricerca::verificaTrovata(std::int16_t nRecord) {
    QCOMPARE(t.stato().nRecordTrovato, nRecord);
    QVERIFY(t.stato().bTrovato);
    auto* scheda = t.screens().find<FrmDatiAnagrafici>();
    QCOMPARE(t.screens().activeScreen(), scheda);
    QVERIFY(scheda->isVisible());
    QVERIFY(t.control<QPushButton>(*scheda, QStringLiteral("cmdModfica"))->isVisible());
    QVERIFY(!schermo()->isVisible());
}

void Ricerca::verificaNessunaScheda() {
    QCOMPARE(t.screens().activeScreen(), schermo());
    QVERIFY(!t.screens().find<FrmDatiAnagrafici>()->isVisible());
}

void TestRicerca::cleanup() {
    QVERIFY(r->t.finish());
    r.reset();
}
