#include "CommandLine.h"
#include "ProgramUnderTest.h"
#include "TestiDelProgramma.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QDir>
#include <QRadioButton>

namespace {

const QString kUso = QStringLiteral("Uso: sovvenzia [OPZIONE] [ELENCO]\n");
const QString kRoma = QStringLiteral("{dir}/Roma.svz");

// Each row starts the program with its arguments, "{dir}" standing for a
// folder that holds the lists Roma.svz and -Roma.svz and the folder
// cartella. A row either stops before any window with a status and the
// beginning of its one text (standard output for 0, error for 2), or starts (status -1): then the
// reason the list could not be opened, told over the intro screen, and the name the Open dialog of
// "Continua a scrivere un elenco" starts on are checked.
struct Avvio {
    QStringList arguments;
    int status;
    QString testo, proposed;
};

const Avvio kAvvii[] = {
    {{}, -1, {}, {}},
    {{kRoma}, -1, {}, kRoma},
    {{"./cartella/../Roma.svz"}, -1, {}, kRoma},
    {{"--", "-Roma.svz"}, -1, {}, "{dir}/-Roma.svz"},
    {{"{dir}/manca.svz"}, -1, "file o cartella inesistente", {}},
    {{"{dir}/cartella"}, -1, "il percorso indica una cartella", {}},
    {{"/dev/null"}, -1, "il percorso non indica un file ordinario", {}},
    {{"--help", kRoma}, 0, kUso, {}},
    {{"--version"}, 0, "sovvenzia ", {}},
    {{"--aiuto"}, 2, "sovvenzia: opzione sconosciuta: --aiuto\n\n" + kUso, {}},
    {{kRoma, kRoma}, 2, "sovvenzia: si può indicare un solo elenco\n\n" + kUso, {}},
};

}  // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void start() {
        for (Avvio a : kAvvii) {
            const QString caso = a.arguments.join(u' ');
            ProgramUnderTest t;
            const QString dir = t.folder.path();
            t.write(QStringLiteral("Roma.svz"), {});
            t.write(QStringLiteral("-Roma.svz"), {});
            QVERIFY(QDir(dir).mkdir(QStringLiteral("cartella")));
            a.proposed.replace(QLatin1String("{dir}"), dir);
            for (QString& argument : a.arguments) {
                argument.replace(QLatin1String("{dir}"), dir);
            }
            const QString previousFolder = QDir::currentPath();
            QDir::setCurrent(dir);
            const StartRequest request = readCommandLine(a.arguments);
            QDir::setCurrent(previousFolder);

            QVERIFY2(request.exitStatus.value_or(-1) == a.status, qPrintable(caso));
            if (request.exitStatus) {
                const bool errore = a.status != 0;
                QVERIFY2(
                    (errore ? request.standardError : request.standardOutput).startsWith(a.testo),
                    qPrintable(caso));
                QVERIFY2((errore ? request.standardOutput : request.standardError).isEmpty(),
                         qPrintable(caso));
                continue;
            }
            auto& intro = t.screens().get<FrmPresentazione>();
            if (!a.testo.isEmpty()) {
                const QString motivo =
                    QStringLiteral("Impossibile aprire l'elenco indicato all'avvio \"%1\": %2.");
                t.dialogs.expectMessage({motivo.arg(a.arguments[0], a.testo), MessageButtons::Ok,
                                         MessageIcon::Exclamation},
                                        MessageAnswer::Ok,
                                        [&intro] { QVERIFY(intro.isVisible()); });
            }
            t.program.start(request.elenco);
            QTest::keyClick(&intro, Qt::Key_Return);  // "&Avanti"
            const std::optional<QString> apri =
                a.proposed.isEmpty() ? std::nullopt : std::optional(a.proposed);
            t.dialogs.expectFile({FileDialogMode::Open, kFiltroElenchi, a.proposed}, apri);
            ProgramUnderTest::click(
                t.screens().get<FrmScelta>().findChild<QRadioButton*>(QStringLiteral("OptApri")));
            QVERIFY2(t.finish(), qPrintable(caso));
        }
    }
};

QTEST_MAIN(TestCommandLine)
#include "test_command_line.moc"
