#include "CommonDialog.h"
#include "QtDialogs.h"
#include "ScriptedDialogs.h"

#include <QtTest>

namespace {

const FileDialogRequest kOpenSvz(FileDialogMode::Open, kFiltroElenchi, QString());

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private:
    QStringList failures;
private slots:
    void init() { failures.clear(); }

    void the_script_answers_matching_dialogs_in_order() {
        ScriptedDialogs dialogs([this](const QString& f) { failures << f; });
        dialogs
            .expectMessage(
                {QStringLiteral("Uscire?"), MessageButtons::YesNo, MessageIcon::None, true},
                MessageAnswer::Yes)
            .expectInput({QStringLiteral("Anno:"), QStringLiteral("T"), QString(), {2000, 2000}},
                         QStringLiteral("05-06"))
            .expectFile(kOpenSvz, QStringLiteral("/tmp/a.svz"));
        QCOMPARE(dialogs.messageBox(
                     {QStringLiteral("Uscire?"), MessageButtons::YesNo, MessageIcon::None, true}),
                 MessageAnswer::Yes);
        QCOMPARE(dialogs.inputBox(
                     {QStringLiteral("Anno:"), QStringLiteral("T"), QString(), {2000, 2000}}),
                 QStringLiteral("05-06"));
        QCOMPARE(dialogs.fileDialog(kOpenSvz),
                 std::optional<QString>(QStringLiteral("/tmp/a.svz")));
        QVERIFY(dialogs.verifyAllUsed());
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }

    void an_unexpected_dialog_a_mismatch_and_an_unused_answer_are_failures() {
        ScriptedDialogs dialogs([this](const QString& f) { failures << f; });
        QCOMPARE(dialogs.messageBox({QStringLiteral("?"), MessageButtons::YesNoCancel}),
                 MessageAnswer::Cancel);
        QCOMPARE(failures.size(), 1);
        QVERIFY(failures.last().startsWith(QStringLiteral("unexpected dialog")));

        dialogs.expectMessage({QStringLiteral("Testo")}, MessageAnswer::Ok);
        dialogs.messageBox({QStringLiteral("Testo"), MessageButtons::Ok, MessageIcon::Information});
        QCOMPARE(failures.size(), 2);
        QVERIFY(failures.last().contains(QStringLiteral("information")));

        dialogs.expectMessage({QStringLiteral("Testo")}, MessageAnswer::Ok);
        QCOMPARE(dialogs.inputBox({QStringLiteral("p"), QString(), QString(), {}}), QString());
        QCOMPARE(failures.size(), 3);

        dialogs.expectFile(kOpenSvz, std::nullopt);
        QVERIFY(!dialogs.verifyAllUsed());
        QCOMPARE(failures.size(), 4);
        QVERIFY(failures.last().startsWith(QStringLiteral("scripted dialog never shown")));
    }

    void a_message_box_without_title_shows_the_application_title() {
        QCOMPARE(MessageBoxRequest(QStringLiteral("x")).effectiveTitle(),
                 QStringLiteral("Sovvenzia"));
        QCOMPARE(MessageBoxRequest(QStringLiteral("x"), MessageButtons::Ok, MessageIcon::Critical,
                                   false, QStringLiteral("Errore"))
                     .effectiveTitle(),
                 QStringLiteral("Errore"));
    }

    void the_file_dialog_keeps_its_last_name_across_a_cancel() {
        ScriptedDialogs dialogs([this](const QString& f) { failures << f; });
        CommonDialog common(dialogs);
        common.Filter = kFiltroElenchi;
        dialogs.expectFile(kOpenSvz, QStringLiteral("/dati/Roma.svz"))
            .expectFile({FileDialogMode::Open, kFiltroElenchi, QStringLiteral("/dati/Roma.svz")},
                        std::nullopt);
        QCOMPARE(common.ShowOpen(), CommonDialog::Esito::Scelto);
        QCOMPARE(common.FileName, QStringLiteral("/dati/Roma.svz"));
        QCOMPARE(common.ShowOpen(), CommonDialog::Esito::Scelto);
        QCOMPARE(common.FileName, QStringLiteral("/dati/Roma.svz"));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }

    void a_cancel_is_an_error_only_when_the_screen_asks_for_it() {
        ScriptedDialogs dialogs([this](const QString& f) { failures << f; });
        CommonDialog common(dialogs);
        common.CancelError = true;
        common.FileName = QStringLiteral("Roma_Primaria_05-06");
        dialogs.expectFile({FileDialogMode::Save, QString(), QStringLiteral("Roma_Primaria_05-06")},
                           std::nullopt);
        QCOMPARE(common.ShowSave(), CommonDialog::Esito::Annullato);
        QCOMPARE(common.FileName, QStringLiteral("Roma_Primaria_05-06"));
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
