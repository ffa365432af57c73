#pragma once

#include "DatiDomanda.h"
#include "DomandeDiProva.h"
#include "TextGridView.h"
#include "summary/RigaRiepilogo.h"
#include "summary/RigheRiepilogo.h"

// The full summary table of the largest list, as the summary screen fills it
// from the records it holds, and its grid; built once per benchmark program.
inline RigheRiepilogo& righePiene() {
    static RigheRiepilogo righe;
    static const bool piene = [] {
        for (int c = 0; c < kColonneRiepilogo; ++c) {
            righe.setHeaderText(c, IntestazioneRiepilogo(c));
        }
        QByteArray records;
        for (std::int32_t r = 1; r <= kDomandePiene; ++r) {
            records.append(CodificaDomanda(domandaPiena(r)));
        }
        righe.aggiungi(records);
        return true;
    }();
    (void)piene;
    return righe;
}

inline TextGridView& riepilogoPieno() {
    static TextGridView griglia(nullptr, "Griglia", righePiene(), {240, 240, 14415, 5415});
    return griglia;
}
