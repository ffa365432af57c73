#pragma once

#include "DatiDomanda.h"
#include "FailingFileSystem.h"
#include "ProgramUnderTest.h"
#include "search/FrmRicerca.h"

#include <QList>

#include <functional>
#include <memory>

inline const QString kCodice = QStringLiteral("RSSMRA70C05D704X");

// An application of this requester; the other fields are filled too.
DatiDomanda domanda(const QString& cognome, const QString& nome, const QString& codiceFiscale);

// The question asked when a scan reaches the end of the list.
MessageBoxRequest fineDelFile();

// The program working on a list file, its entry screen loaded with the list
// open, and the search screen shown over it as the menu shows it. Reads of
// the list are counted by the file system under the program.
class Ricerca {
public:
    // The list holds these applications, written as records 1, 2, ...
    explicit Ricerca(const QList<DatiDomanda>& domande);
    // The list file holds exactly these bytes.
    explicit Ricerca(const QByteArray& contenuto);
    // The list file is whatever this writes at the path before the program
    // opens it.
    explicit Ricerca(const std::function<void(const QString& percorso)>& preparaFile);

    FailingFileSystem fs;
    ProgramUnderTest t;

    FrmRicerca* schermo() { return t.screens().find<FrmRicerca>(); }
    template <class Widget>
    Widget* controllo(const char* nome) {
        return t.control<Widget>(*schermo(), QString::fromLatin1(nome));
    }

    // The operator ticks or unticks a box, types into a field (replacing its
    // text), presses the search button.
    void spunta(const char* casella);
    void scrivi(const char* campo, const QString& testo);
    void trova();
    // A search by surname and first name, by codice fiscale, or by both.
    void cercaNominativo(const QString& cognome, const QString& nome);
    void cercaCodiceFiscale(const QString& codiceFiscale);

    // "Annulla" on the entry screen, back to the search.
    void tornaDallaScheda();

    // The found application is on the entry screen, which is the active one.
    void verificaTrovata(std::int16_t nRecord);
    // The search screen is still the one in front.
    void verificaNessunaScheda();

    int letture() const { return fs.calls(FailingFileSystem::Call::Read); }

private:
    QString percorso() const { return t.path(QStringLiteral("elenco.svz")); }
    void apri();
};

// The search tests: one program per test function, which must have shown
// every dialog scripted for it.
class TestRicerca : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<Ricerca> r;

private slots:
    void cleanup();
};
