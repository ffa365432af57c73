#include "ItalianTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installItalianTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    const QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"), path)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
