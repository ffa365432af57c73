#include "ColonneRiepilogo.h"

#include <QStringList>

QString IntestazioneRiepilogo(int col) {
    return QString::fromUtf16(kColonneTabella[static_cast<std::size_t>(col)].intestazione);
}

QLatin1StringView SeparatoreRiepilogo(int col) {
    return QLatin1StringView(kColonneTabella[static_cast<std::size_t>(col)].separatore);
}

QString ColonneDelTipo(TipoColonna tipo) {
    QStringList colonne;
    for (int col = 0; col < kColonneRiepilogo; ++col) {
        if (TipoDellaColonna(col) == tipo) {
            colonne << QString::number(col);
        }
    }
    return colonne.join(u'-');
}
