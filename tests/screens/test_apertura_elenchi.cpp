// A list whose lock another computer holds: the operator is asked, default
// No. Sì takes the list over; No leaves the list and its lock alone.

#include "AperturaElenchi.h"
#include "DomandaDiProva.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

TEST(AperturaElenchi, TheOperatorsAnswerDecidesWhetherALockedListIsTakenOver) {
    for (const bool si : {true, false}) {
        SCOPED_TRACE(si);
        const QTemporaryDir dir;
        const QString lista = dir.filePath(QStringLiteral("lista.svz"));
        const QString blocco = dir.filePath(QStringLiteral(".~lock.lista.svz#"));
        const QByteArray altrove =
            "42\n7\nboot-altrove pid:1\naltro-pc\nrossi\n2026-03-02T08:30:00.000\n";
        ASSERT_TRUE(ScriviFile(lista, RecordCompleti(1, 2)) && ScriviFile(blocco, altrove));
        ScriptedDialogs dialoghi(
            [](const QString& errore) { ADD_FAILURE() << errore.toStdString(); });
        dialoghi.goingOn.emplace().toQuestions = si ? MessageAnswer::Yes : MessageAnswer::No;
        FileElenco elenco;

        EXPECT_EQ(ApriElencoConConsenso(elenco, dialoghi, lista, 1).ok(), si);

        ASSERT_EQ(dialoghi.messages.size(), 1u);
        const MessageBoxRequest& domanda = dialoghi.messages[0];
        EXPECT_TRUE(domanda.buttons == MessageButtons::YesNo && domanda.defaultNo);
        EXPECT_TRUE(domanda.prompt.contains(lista) && domanda.prompt.contains("altro-pc"));
        EXPECT_EQ(LeggiFile(blocco) == altrove, !si);
        EXPECT_TRUE(LeggiFile(lista) == RecordCompleti(1, 2));
    }
}
