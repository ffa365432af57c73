#include "CommandLine.h"
#include "ItalianTranslations.h"
#include "Program.h"
#include "QtDialogs.h"
#include "TestiDelProgramma.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const StartRequest request = readCommandLine(arguments);
    if (request.exitStatus) {
        std::fputs(request.standardOutput.toLocal8Bit().constData(), stdout);
        std::fputs(request.standardError.toLocal8Bit().constData(), stderr);
        return *request.exitStatus;
    }

    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    installItalianTranslations(application);

    QtDialogs dialogs(kTitoloApplicazione);
    Module1 stato;
    FileElenco elenco;
    Program program(dialogs, stato, elenco);
    QObject::connect(&program.screens(), &ScreenManager::ended, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    program.start(request.elenco);
    return application.exec();
}
