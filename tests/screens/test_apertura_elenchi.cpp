// A list whose lock another computer holds: the operator is asked, default
// No. Sì takes the list over; No leaves the list and its lock alone.

#include "AperturaElenchi.h"
#include "DomandaDiProva.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QTest>

class TestAperturaElenchi : public QObject {
    Q_OBJECT

private slots:
    void theAnswerDecidesWhetherALockedListIsTakenOver() {
        for (const bool si : {true, false}) {
            const QTemporaryDir dir;
            const QString lista = dir.filePath(QStringLiteral("lista.svz"));
            const QString blocco = dir.filePath(QStringLiteral(".~lock.lista.svz#"));
            const QByteArray altrove =
                "42\n7\nboot-altrove pid:1\naltro-pc\nrossi\n2026-03-02T08:30:00.000\n";
            QVERIFY(ScriviFile(lista, RecordCompleti(1, 2)) && ScriviFile(blocco, altrove));
            ScriptedDialogs dialoghi([](const QString& errore) { QFAIL(qPrintable(errore)); });
            dialoghi.goingOn =
                ScriptedDialogs::Operator{si ? MessageAnswer::Yes : MessageAnswer::No, {}, {}};
            FileElenco elenco;

            QCOMPARE(ApriElencoConConsenso(elenco, dialoghi, lista, 1).ok(), si);

            QCOMPARE(dialoghi.messages.size(), std::size_t(1));
            const MessageBoxRequest& domanda = dialoghi.messages[0];
            QVERIFY(domanda.buttons == MessageButtons::YesNo && domanda.defaultNo);
            QVERIFY(domanda.prompt.contains(lista) && domanda.prompt.contains("altro-pc"));
            QCOMPARE(LeggiFile(blocco) == altrove, !si);
            QCOMPARE(LeggiFile(lista), RecordCompleti(1, 2));
        }
    }
};

QTEST_MAIN(TestAperturaElenchi)
#include "test_apertura_elenchi.moc"
