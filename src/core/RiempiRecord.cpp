#include "RiempiRecord.h"

#include "CaselleModulo.h"
#include "ControlloImporti.h"
#include "ImportoConPunto.h"
#include "SenzaSpaziEsterni.h"

DatiDomanda RiempiRecord(const ModuloDomanda& modulo) {
    DatiDomanda domanda;
    for (const DescrizioneCampo& campo : kCampi) {
        const QString& testo = modulo[campo.campo];
        switch (campo.tipo) {
            case TipoCampo::Testo:
                domanda[campo.campo] = SenzaSpaziEsterni(testo).toUpper();
                break;
            case TipoCampo::Data:
                domanda[campo.campo] = testo;
                break;
            case TipoCampo::Importo:
                domanda.importo(campo.campo) = ValoreImporto(testo).value_or(0.0f);
                break;
        }
    }
    return domanda;
}

ModuloDomanda ModuloDelRecord(const DatiDomanda& domanda) {
    ModuloDomanda modulo;
    for (const DescrizioneCampo& campo : kCampi) {
        modulo[campo.campo] = campo.tipo == TipoCampo::Importo
                                  ? ImportoConPunto(domanda.importo(campo.campo))
                                  : domanda[campo.campo];
    }
    return modulo;
}
