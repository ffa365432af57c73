#include "RigheRiepilogo.h"

#include <QLocale>

RigheRiepilogo::RigheRiepilogo(QObject* parent)
    : TextGridModel(kColonneRiepilogo, parent), riga_(QLocale()) {}

void RigheRiepilogo::aggiungi(const QByteArray& records) {
    const int nuove = static_cast<int>(records.size() / kLunghezzaRecord);
    if (nuove == 0) {
        return;
    }
    const int prima = dataRows();
    beginInsertRows({}, prima, prima + nuove - 1);
    // Appended to an empty table, the records are shared, not copied.
    records_.append(records);
    for (int r = 0; r < nuove; ++r) {
        totaleSpese_ += RigaRiepilogo::Spese(records.constData() +
                                             static_cast<qsizetype>(r) * kLunghezzaRecord);
    }
    endInsertRows();
}

QString RigheRiepilogo::totali() const {
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    return QStringLiteral("Domande: %1 — Spese sostenute: € %2")
        .arg(italiano.toString(dataRows()), italiano.toString(totaleSpese_, 'f', 2));
}

void RigheRiepilogo::svuota() {
    if (!records_.isEmpty()) {
        beginRemoveRows({}, 0, dataRows() - 1);
        QByteArray().swap(records_);
        totaleSpese_ = 0.0;
        endRemoveRows();
    }
    clearHeader();
}

DatiDomanda RigheRiepilogo::domanda(int row) const {
    return DecodificaDomanda(
        records_.constData() + static_cast<qsizetype>(row - 1) * kLunghezzaRecord,
        kLunghezzaRecord);
}

void RigheRiepilogo::readDataRow(int row, std::vector<QString>& texts) const {
    riga_.testi(texts, row, domanda(row));
}

TextGridModel::SortKey RigheRiepilogo::sortKey(int row, int col) const {
    return riga_.chiave(col, row, domanda(row));
}
