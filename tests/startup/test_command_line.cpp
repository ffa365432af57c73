#include "CommandLine.h"
#include "ProgramUnderTest.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QDir>
#include <QRadioButton>

#include <unistd.h>

// Each row starts the program with its arguments, "{dir}" standing for a
// folder that holds the list Roma.svz, the list -Roma.svz, the folder
// cartella and the unreadable chiuso.svz. A row either stops before any
// window with a status and texts, or starts: then the message shown over the
// intro screen (if any) and the name the Open dialog of "Continua a scrivere
// un elenco" starts on are checked, and "Apri" takes that name.
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void start_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");  // -1: the program starts
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("proposed");

        const QString uso = QStringLiteral("Uso: sovvenzia [OPZIONE] [ELENCO]\n");
        const QString nonAperto =
            QStringLiteral("Impossibile aprire l'elenco indicato all'avvio \"%1\": %2.");
        const QString roma = QStringLiteral("{dir}/Roma.svz");

        QTest::newRow("nothing") << QStringList() << -1 << ""
                                 << ""
                                 << ""
                                 << "";
        QTest::newRow("a list") << QStringList{roma} << -1 << ""
                                << ""
                                << "" << roma;
        QTest::newRow("a list named from the current folder")
            << QStringList{"./cartella/../Roma.svz"} << -1 << ""
            << ""
            << "" << roma;
        QTest::newRow("a list after --") << QStringList{"--", "-Roma.svz"} << -1 << ""
                                         << ""
                                         << ""
                                         << "{dir}/-Roma.svz";
        QTest::newRow("missing") << QStringList{"{dir}/manca.svz"} << -1 << ""
                                 << ""
                                 << nonAperto.arg("{dir}/manca.svz", "file o cartella inesistente")
                                 << "";
        QTest::newRow("a folder") << QStringList{"{dir}/cartella"} << -1 << ""
                                  << ""
                                  << nonAperto.arg("{dir}/cartella",
                                                   "il percorso indica una cartella")
                                  << "";
        QTest::newRow("not a regular file")
            << QStringList{"/dev/null"} << -1 << ""
            << "" << nonAperto.arg("/dev/null", "il percorso non indica un file ordinario") << "";
        QTest::newRow("unreadable")
            << QStringList{"{dir}/chiuso.svz"} << -1 << ""
            << "" << nonAperto.arg("{dir}/chiuso.svz", "permesso negato") << "";
        QTest::newRow("--help") << QStringList{"--help", roma} << 0 << uso << ""
                                << ""
                                << "";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << "sovvenzia "
                                   << ""
                                   << ""
                                   << "";
        QTest::newRow("unknown long option")
            << QStringList{"--aiuto"} << 2 << ""
            << "sovvenzia: opzione sconosciuta: --aiuto\n\n" + uso << ""
            << "";
        QTest::newRow("unknown short option")
            << QStringList{roma, "-h"} << 2 << ""
            << "sovvenzia: opzione sconosciuta: -h\n\n" + uso << ""
            << "";
        QTest::newRow("two lists") << QStringList{roma, roma} << 2 << ""
                                   << "sovvenzia: si può indicare un solo elenco\n\n" + uso << ""
                                   << "";
    }

    void start() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);
        QFETCH(QString, error);
        QFETCH(QString, message);
        QFETCH(QString, proposed);
        if (QString(QTest::currentDataTag()) == QLatin1String("unreadable") && geteuid() == 0) {
            QSKIP("the superuser reads every file");
        }

        ProgramUnderTest t;
        const QString dir = t.folder.path();
        t.write(QStringLiteral("Roma.svz"), {});
        t.write(QStringLiteral("-Roma.svz"), {});
        QFile::setPermissions(t.write(QStringLiteral("chiuso.svz"), {}), {});
        QVERIFY(QDir(dir).mkdir(QStringLiteral("cartella")));
        for (QString& argument : arguments) {
            argument.replace(QLatin1String("{dir}"), dir);
        }
        const QString previousFolder = QDir::currentPath();
        QDir::setCurrent(dir);
        const StartRequest request = readCommandLine(arguments);
        QDir::setCurrent(previousFolder);

        QCOMPARE(request.exitStatus.value_or(-1), status);
        if (request.exitStatus) {
            // Each text begins as the row says, and is empty only where the row's is.
            QCOMPARE(request.standardOutput.left(output.size()), output);
            QCOMPARE(request.standardOutput.isEmpty(), output.isEmpty());
            QCOMPARE(request.standardError.left(error.size()), error);
            QCOMPARE(request.standardError.isEmpty(), error.isEmpty());
            return;
        }
        auto& intro = t.screens().get<FrmPresentazione>();
        if (!message.isEmpty()) {
            t.dialogs.expectMessage({message.replace(QLatin1String("{dir}"), dir),
                                     MessageButtons::Ok, MessageIcon::Exclamation},
                                    MessageAnswer::Ok, [&intro] { QVERIFY(intro.isVisible()); });
        }
        t.program.start(request.elenco);
        QTest::keyClick(&intro, Qt::Key_Return);  // "&Avanti"

        proposed.replace(QLatin1String("{dir}"), dir);
        const std::optional<QString> apri =
            proposed.isEmpty() ? std::nullopt : std::optional<QString>(proposed);
        t.dialogs.expectFile({FileDialogMode::Open, kFiltroElenchi, proposed}, apri);
        auto* scelta = t.screens().find<FrmScelta>();
        QVERIFY(scelta != nullptr);
        ProgramUnderTest::click(t.control<QRadioButton>(*scelta, QStringLiteral("OptApri")));
        QCOMPARE(t.stato().sFileElenco, proposed);
        QVERIFY(t.finish());
    }
};

QTEST_MAIN(TestCommandLine)
#include "test_command_line.moc"
