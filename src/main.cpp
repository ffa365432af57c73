#include "ItalianTranslations.h"
#include "Program.h"
#include "QtDialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    installItalianTranslations(application);

    QtDialogs dialogs;
    Program program(dialogs);
    QObject::connect(&program.screens(), &ScreenManager::ended, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    program.start();
    return application.exec();
}
