#include "CaselleModulo.h"

int LunghezzaCasella(Casella casella) {
    const DescrizioneCampo& campo = Descrizione(casella);
    return campo.tipo == TipoCampo::Importo ? 0 : campo.larghezza;
}

QString NomeCasella(Casella casella) {
    return QString::fromUtf16(Descrizione(casella).nome);
}
