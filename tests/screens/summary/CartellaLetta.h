#pragma once

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QVariant>

// A workbook file as an independent reader (openpyxl, through Debian's
// Python) sees it: sheet names, the cells that hold a value or a style, and
// the column widths that were set.
class CartellaLetta {
public:
    explicit CartellaLetta(const QString& percorso) {
        QProcess lettore;
        lettore.start(QStringLiteral("/usr/bin/python3"),
                      {QStringLiteral(SOVVENZIA_LETTORE_CARTELLA), percorso});
        lettore.waitForFinished(60000);
        errori_ = QString::fromUtf8(lettore.readAllStandardError());
        const QJsonDocument letto = QJsonDocument::fromJson(lettore.readAllStandardOutput());
        letta_ = lettore.exitCode() == 0 && letto.isObject();
        dati_ = letto.object();
    }

    bool letta() const { return letta_; }
    const QString& errori() const { return errori_; }

    QStringList fogli() const { return dati_[QStringLiteral("sheets")].toVariant().toStringList(); }
    QStringList celle() const { return dati_[QStringLiteral("cells")].toObject().keys(); }
    bool esiste(const QString& cella) const { return cella_(cella).isEmpty() == false; }
    // The value as a variant: a text, a number, or invalid for an empty cell.
    QVariant valore(const QString& cella) const {
        const QJsonValue valore = cella_(cella)[QStringLiteral("value")];
        return valore.isNull() || valore.isUndefined() ? QVariant() : valore.toVariant();
    }
    // "s" for a text, "n" for a number (or an empty styled cell), "f" for a formula.
    QString tipo(const QString& cella) const {
        return cella_(cella)[QStringLiteral("type")].toString();
    }
    bool grassetto(const QString& cella) const {
        return cella_(cella)[QStringLiteral("bold")].toBool();
    }
    // The width set for a column (letter), 0 when none was set.
    double larghezza(const QString& colonna) const {
        return dati_[QStringLiteral("widths")].toObject()[colonna].toDouble();
    }
    QStringList colonneConLarghezza() const {
        return dati_[QStringLiteral("widths")].toObject().keys();
    }

private:
    QJsonObject cella_(const QString& cella) const {
        return dati_[QStringLiteral("cells")].toObject()[cella].toObject();
    }

    bool letta_ = false;
    QString errori_;
    QJsonObject dati_;
};

// The .xlsx files in a folder, by name.
inline QStringList cartelleNella(const QString& cartella) {
    return QDir(cartella).entryList({QStringLiteral("*.xlsx")}, QDir::Files, QDir::Name);
}
