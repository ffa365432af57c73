#include "CampiDomanda.h"

#include <algorithm>
#include <vector>

std::span<const Campo> CampiDellaColonna(int colonna) {
    static const std::vector<std::vector<Campo>> colonne = [] {
        const auto ultima = std::ranges::max(kCampi, {}, &DescrizioneCampo::colonnaRiepilogo);
        std::vector<std::vector<Campo>> campi(static_cast<std::size_t>(ultima.colonnaRiepilogo) +
                                              1);
        for (const DescrizioneCampo& campo : kCampi) {
            campi[static_cast<std::size_t>(campo.colonnaRiepilogo)].push_back(campo.campo);
        }
        return campi;
    }();
    if (colonna < 0 || static_cast<std::size_t>(colonna) >= colonne.size()) {
        return {};
    }
    return colonne[static_cast<std::size_t>(colonna)];
}
