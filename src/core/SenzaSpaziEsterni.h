#pragma once

#include <QString>
#include <QStringView>

// A text, or the bytes of a stored field, without its leading and trailing
// blanks (only the blank character: a tab or any other space stays).
template <typename Vista>
Vista SenzaSpaziEsterni(Vista testo) {
    while (!testo.isEmpty() && testo.front() == u' ') {
        testo = testo.sliced(1);
    }
    while (!testo.isEmpty() && testo.back() == u' ') {
        testo.chop(1);
    }
    return testo;
}

inline QString SenzaSpaziEsterni(const QString& testo) {
    return SenzaSpaziEsterni(QStringView(testo)).toString();
}
