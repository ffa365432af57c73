#pragma once

#include <QPoint>
#include <QString>

// The program's own texts that more than one screen shows.

// The title of messages that name no title of their own.
inline const QString kTitoloApplicazione = QStringLiteral("Sovvenzia");

// The filter of every list-file dialog: files whose names end in ".svz".
inline const QString kFiltroElenchi = QStringLiteral("(*.svz) | *.svz");

// What the search and the summary say of a list with no application.
inline const QString kFileVuoto = QStringLiteral("Il file è vuoto!");

// The title of every question asked with an input box, and where the box
// opens, in twips from the screen's corner.
inline const QString kTitoloDomande = QStringLiteral("Gestione Sovvenzia");
inline constexpr QPoint kPosizioneDomande(2000, 2000);
