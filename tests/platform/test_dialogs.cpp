#include "CommonDialog.h"
#include "QtDialogs.h"
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

    void the_script_answers_matching_dialogs_in_order() {
        dialogs.expectMessage(kUscire, MessageAnswer::Yes)
            .expectInput(kAnno, QStringLiteral("05-06"))
            .expectFile(kOpenSvz, QStringLiteral("/tmp/a.svz"));
        QCOMPARE(dialogs.messageBox(kUscire), MessageAnswer::Yes);
        QCOMPARE(dialogs.inputBox(kAnno), QStringLiteral("05-06"));
        QCOMPARE(dialogs.fileDialog(kOpenSvz), std::optional(QStringLiteral("/tmp/a.svz")));
        QVERIFY(dialogs.verifyAllUsed());
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }

    void an_unexpected_dialog_a_mismatch_and_an_unused_answer_are_failures() {
        QCOMPARE(dialogs.messageBox({QStringLiteral("?"), MessageButtons::YesNoCancel}),
                 MessageAnswer::Cancel);
        QVERIFY(failures.value(0).startsWith(QStringLiteral("unexpected dialog")));

        dialogs.expectMessage({QStringLiteral("Testo")}, MessageAnswer::Ok);
        dialogs.messageBox({QStringLiteral("Testo"), MessageButtons::Ok, MessageIcon::Information});
        QVERIFY(failures.value(1).contains(QStringLiteral("information")));

        dialogs.expectMessage({QStringLiteral("Testo")}, MessageAnswer::Ok);
        QCOMPARE(dialogs.inputBox({QStringLiteral("p"), QString(), QString(), {}}), QString());
        QCOMPARE(failures.size(), 3);

        dialogs.expectFile(kOpenSvz, std::nullopt);
        QVERIFY(!dialogs.verifyAllUsed());
        QVERIFY(failures.value(3).startsWith(QStringLiteral("scripted dialog never shown")));
    }

    void a_message_box_without_title_shows_the_application_title() {
        QCOMPARE(kUscire.effectiveTitle(), QStringLiteral("Sovvenzia"));
        QCOMPARE(MessageBoxRequest(QStringLiteral("x"), MessageButtons::Ok, MessageIcon::Critical,
                                   false, QStringLiteral("Errore"))
                     .effectiveTitle(),
                 QStringLiteral("Errore"));
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
        QCOMPARE(CommonDialog::kErroreAnnullato, 32755);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }

    void the_list_filter_becomes_one_qt_name_filter() {
        QCOMPARE(qtNameFilters(kFiltroElenchi), QStringList{QStringLiteral("(*.svz)  (*.svz)")});
        QCOMPARE(qtNameFilters(QStringLiteral("Elenchi|*.svz|Tutti|*.*")),
                 (QStringList{QStringLiteral("Elenchi (*.svz)"), QStringLiteral("Tutti (*.*)")}));
        QVERIFY(qtNameFilters(QString()).isEmpty());
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
