#include "CommonDialog.h"
#include "ScriptedDialogs.h"

#include <QtTest>

namespace {

const FileDialogRequest kOpenSvz(FileDialogMode::Open, kFiltroElenchi, QString());
const MessageBoxRequest kUscire(QStringLiteral("Uscire?"), MessageButtons::YesNo, MessageIcon::None,
                                true);
const InputBoxRequest kAnno{QStringLiteral("Anno:"), QStringLiteral("T"), QString(), {2000, 2000}};

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT

    QStringList failures;
    ScriptedDialogs dialogs{[this](const QString& f) { failures << f; }};

private slots:
    void cleanup() {
        dialogs.verifyAllUsed();
        failures.clear();
    }

    void the_script_answers_matching_dialogs_in_order_and_fails_on_any_other() {
        // File dialogs: see the common dialog below.
        dialogs.expectMessage(kUscire, MessageAnswer::Yes).expectInput(kAnno, QStringLiteral("05"));
        QCOMPARE(dialogs.messageBox(kUscire), MessageAnswer::Yes);
        QCOMPARE(dialogs.inputBox(kAnno), QStringLiteral("05"));
        QVERIFY(dialogs.verifyAllUsed() && failures.isEmpty());

        // Unexpected (cancelled), another icon, another kind, never shown.
        QCOMPARE(dialogs.messageBox({QStringLiteral("?"), MessageButtons::YesNoCancel}),
                 MessageAnswer::Cancel);
        dialogs.expectMessage({QStringLiteral("Testo")}, MessageAnswer::Ok);
        dialogs.messageBox({QStringLiteral("Testo"), MessageButtons::Ok, MessageIcon::Information});
        dialogs.expectMessage({QStringLiteral("Testo")}, MessageAnswer::Ok);
        QCOMPARE(dialogs.inputBox({QStringLiteral("p"), QString(), QString(), {}}), QString());
        dialogs.expectFile(kOpenSvz, std::nullopt);
        QVERIFY(!dialogs.verifyAllUsed());
        QCOMPARE(failures.size(), 4);
        QVERIFY(failures[0].startsWith(QStringLiteral("unexpected dialog")));
        QVERIFY(failures[1].contains(QStringLiteral("information")));
        QVERIFY(failures[2].contains(QStringLiteral("but got input box")));
        QVERIFY(failures[3].startsWith(QStringLiteral("scripted dialog never shown")));
    }

    void the_file_dialog_keeps_its_last_name_and_cancels_as_error_only_when_asked() {
        CommonDialog common(dialogs);
        common.Filter = kFiltroElenchi;
        dialogs.expectFile(kOpenSvz, QStringLiteral("/dati/Roma.svz"))
            .expectFile({FileDialogMode::Open, kFiltroElenchi, QStringLiteral("/dati/Roma.svz")},
                        std::nullopt)
            .expectFile({FileDialogMode::Save, kFiltroElenchi, QStringLiteral("/dati/Roma.svz")},
                        std::nullopt);
        QCOMPARE(common.ShowOpen(), CommonDialog::Esito::Scelto);
        QCOMPARE(common.ShowOpen(), CommonDialog::Esito::Scelto);  // cancelled: the last name
        QCOMPARE(common.FileName, QStringLiteral("/dati/Roma.svz"));
        common.CancelError = true;
        QCOMPARE(common.ShowSave(), CommonDialog::Esito::Annullato);
        QCOMPARE(common.FileName, QStringLiteral("/dati/Roma.svz"));
        QCOMPARE(failures, QStringList());
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
