#pragma once

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QVariant>

// A workbook file as an independent reader (openpyxl, through Debian's
// Python) sees it: sheet names, every cell that holds a value or a style,
// and the widths set for columns.
class CartellaLetta {
public:
    explicit CartellaLetta(const QString& percorso) {
        QProcess lettore;
        lettore.start(QStringLiteral("/usr/bin/python3"),
                      {QStringLiteral(SOVVENZIA_LETTORE_CARTELLA), percorso});
        lettore.waitForFinished(60000);
        errori = QString::fromUtf8(lettore.readAllStandardError());
        dati_ = QJsonDocument::fromJson(lettore.readAllStandardOutput()).object();
    }

    bool letta() const { return dati_.contains(QStringLiteral("sheets")); }
    QStringList fogli() const { return dati_[QStringLiteral("sheets")].toVariant().toStringList(); }
    QStringList celle() const { return dati_[QStringLiteral("cells")].toObject().keys(); }
    bool esiste(const QString& c) const { return !cella(c).isEmpty(); }
    // A text, a number, or an invalid variant for a cell without a value.
    QVariant valore(const QString& c) const {
        const QJsonValue v = cella(c)[QStringLiteral("value")];
        return v.isNull() || v.isUndefined() ? QVariant() : v.toVariant();
    }
    // "s" for a text, "n" for a number (or an empty styled cell), "f" for a formula.
    QString tipo(const QString& c) const { return cella(c)[QStringLiteral("type")].toString(); }
    bool grassetto(const QString& c) const { return cella(c)[QStringLiteral("bold")].toBool(); }
    // Column letter -> width, for the columns whose width was set.
    QJsonObject larghezze() const { return dati_[QStringLiteral("widths")].toObject(); }

    QString errori;

private:
    QJsonObject cella(const QString& c) const {
        return dati_[QStringLiteral("cells")].toObject()[c].toObject();
    }
    QJsonObject dati_;
};

// The .xlsx files in a folder, by name.
inline QStringList cartelleNella(const QString& cartella) {
    return QDir(cartella).entryList({QStringLiteral("*.xlsx")}, QDir::Files, QDir::Name);
}
