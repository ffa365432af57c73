#include "ControlloImporti.h"

#include "CaselleModulo.h"
#include "SenzaSpaziEsterni.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace {

bool eSeparatore(QChar carattere) {
    return carattere == u'.' || carattere == u',';
}

bool eCifra(QChar carattere) {
    return carattere >= u'0' && carattere <= u'9';
}

// The leading part of the text that reads as digits, one point, digits.
QByteArray parteNumerica(const QString& testo) {
    QByteArray numero;
    bool punto = false;
    for (const QChar carattere : testo) {
        if (eCifra(carattere)) {
            numero.append(static_cast<char>(carattere.unicode()));
        } else if (carattere == u'.' && !punto) {
            numero.append('.');
            punto = true;
        } else {
            break;
        }
    }
    return numero;
}

// True when the digits before the point are not all zeros.
bool haParteIntera(const QByteArray& numero) {
    const auto punto = std::find(numero.begin(), numero.end(), '.');
    return std::any_of(numero.begin(), punto, [](char cifra) { return cifra != '0'; });
}

}  // namespace

EsitoTasto FiltraTastoImporto(QChar digitato, bool bPunto) {
    if (eSeparatore(digitato)) {
        if (bPunto) {
            return {std::nullopt, true};
        }
        return {QChar(u'.'), true};
    }
    if (eCifra(digitato) || digitato == QChar(kBackspace)) {
        return {digitato, bPunto};
    }
    return {std::nullopt, bPunto};
}

EsitoDecimali ControllaDecimali(const QString& importo) {
    const qsizetype punto = importo.indexOf(u'.');
    if (punto < 0) {
        return {importo, false};
    }
    const QString decimali = SenzaSpaziEsterni(importo.mid(punto + 1));
    if (decimali.size() > 2) {
        return {QStringLiteral("0"), true};
    }
    return {importo, false};
}

std::optional<float> ValoreImporto(const QString& testo) {
    const QByteArray numero = parteNumerica(SenzaSpaziEsterni(testo));
    if (numero.isEmpty() || numero == ".") {
        return 0.0f;
    }
    float valore = 0.0f;
    const std::errc errore =
        std::from_chars(numero.constData(), numero.constData() + numero.size(), valore).ec;
    if (errore == std::errc::result_out_of_range) {
        // Below 1 the value is a fraction too small for single precision,
        // which rounds to zero; from 1 up it is too large to be held.
        return haParteIntera(numero) ? std::nullopt : std::optional<float>(0.0f);
    }
    return valore;
}
