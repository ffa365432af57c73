#pragma once

class QCoreApplication;

// Loads Qt's own Italian texts (the "Sì", "No", "Annulla" of the standard
// buttons and dialogs) shipped with the system's Qt; returns whether found.
bool installItalianTranslations(QCoreApplication& application);
