#include "RigheRiepilogo.h"

#include "TextGridView.h"

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
    filtro_.segui(records_);
    endInsertRows();
}

void RigheRiepilogo::filtra(CriteriRiepilogo criteri) {
    filtro_.imposta(std::move(criteri), records_);
    emit rowsShownChanged();
}

QString RigheRiepilogo::totali() const {
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    QString domande = italiano.toString(filtro_.mostrate());
    if (filtro_.attivo()) {
        domande += QStringLiteral(" di ") + italiano.toString(dataRows());
    }
    return QStringLiteral("Domande: %1 — Spese sostenute: € %2")
        .arg(domande, ImportoInEuro(filtro_.speseMostrate()));
}

void RigheRiepilogo::svuota() {
    if (!records_.isEmpty()) {
        beginRemoveRows({}, 0, dataRows() - 1);
        QByteArray().swap(records_);
        filtro_.dimentica();
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

void RigheRiepilogo::readPrintedRow(int row, std::vector<QString>& texts) const {
    if (row == 0) {
        readRow(0, texts);
    } else {
        riga_.testi(texts, row, domanda(row), RigaRiepilogo::Importi::Euro);
    }
}

TextGridModel::SortKey RigheRiepilogo::sortKey(int row, int col) const {
    return riga_.chiave(col, row, domanda(row));
}

int RiepilogoInStampa::righe() const {
    return vista_.Rows() - 1;
}

void RiepilogoInStampa::leggi(int riga, std::vector<QString>& testi) const {
    righe_.readPrintedRow(vista_.cellsRow(riga), testi);
}
