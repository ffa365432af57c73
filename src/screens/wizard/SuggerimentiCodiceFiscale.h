#pragma once

#include "CaselleModulo.h"

#include <QStringList>

#include <array>
#include <cstdint>

class FileElenco;
class QLineEdit;
class QObject;
class TrailingHint;
struct Module1;

// The quiet hints of the entry screen about each person's codice fiscale: a
// warning mark inside the codice fiscale box when the code does not agree
// with itself or with the surname, name and date of birth typed, and, for
// the student, when another application of the list has the same student.
// The hints never stop, change or delay anything: the screen calls in when a
// box is left or a stored application is shown, and a change of the code
// takes its mark away.
class SuggerimentiCodiceFiscale {
public:
    // The screen's boxes, by field. The search for the same student reads
    // the list open on `handle`, leaving out the application being modified
    // while the screen is in modify mode.
    SuggerimentiCodiceFiscale(const std::array<QLineEdit*, kNumeroCaselle>& caselle,
                              const FileElenco& elenco, int handle, const Module1& stato);

    // A box was left: when it is the surname, name, date or codice fiscale of
    // a person, that person's hints are given again.
    void casellaLasciata(const QObject* box);
    // A stored application is on the screen: both persons' hints are given.
    void domandaCaricata();

private:
    struct Persona {
        QLineEdit* cognome;
        QLineEdit* nome;
        QLineEdit* data;
        QLineEdit* codice;
        TrailingHint* avviso;
        bool studente;
    };

    static Persona persona(const std::array<QLineEdit*, kNumeroCaselle>& caselle, Casella cognome,
                           Casella nome, Casella data, Casella codice, bool studente);
    void controlla(const Persona& persona) const;
    // The hint about another application of the same student, if any; none
    // when the list cannot be read.
    QStringList stessoStudente(const QString& codice) const;

    const FileElenco& elenco_;
    int handle_;
    const Module1& stato_;
    std::array<Persona, 2> persone_;
};
