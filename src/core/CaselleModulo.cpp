#include "CaselleModulo.h"

int LunghezzaCasella(Casella casella) {
    const DescrizioneCampo& campo = Descrizione(casella);
    return campo.tipo == TipoCampo::Importo ? 0 : campo.larghezza;
}

QString NomeCasella(Casella casella) {
    return QString::fromUtf16(Descrizione(casella).nome);
}

QString SenzaSpaziEsterni(const QString& testo) {
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && testo.at(inizio) == u' ') {
        ++inizio;
    }
    while (fine > inizio && testo.at(fine - 1) == u' ') {
        --fine;
    }
    return testo.mid(inizio, fine - inizio);
}
