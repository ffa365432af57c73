#include "ControlloCodiceFiscale.h"

#include "CaselleModulo.h"
#include "DataCalendario.h"
#include "SenzaSpaziEsterni.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr qsizetype kLunghezzaCodice = 16;

// The letters that stand for the months, January to December.
constexpr QStringView kLettereMesi = u"ABCDEHLMPRST";
// The letters that replace the digits 0 to 9 when two codes would collide.
constexpr QStringView kLettereSostitutive = u"LMNPQRSTUV";
constexpr QStringView kVocali = u"AEIOU";

// Where the code holds digits (or their substitute letters): year, day and
// the place of birth's number.
constexpr std::array<qsizetype, 7> kPostiCifre = {6, 7, 9, 10, 12, 13, 14};
constexpr qsizetype kPostoMese = 8;
constexpr qsizetype kPostoControllo = 15;

// What a character in an odd place (first, third, ...) adds to the check sum:
// digits as the letters of the same index (0 as A, 1 as B, ...).
constexpr std::array<int, 26> kValoriDispari = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                                20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

// Women's days of birth are written with 40 added.
constexpr int kGiornoDonna = 40;

bool lettera(QChar c) {
    return c >= u'A' && c <= u'Z';
}

std::optional<int> cifra(QChar c) {
    if (c >= u'0' && c <= u'9') {
        return c.unicode() - u'0';
    }
    const qsizetype sostituto = kLettereSostitutive.indexOf(c);
    return sostituto < 0 ? std::nullopt : std::optional<int>(static_cast<int>(sostituto));
}

int numeroDi(QChar decine, QChar unita) {
    return *cifra(decine) * 10 + *cifra(unita);
}

bool haLaForma(const QString& codice) {
    if (codice.size() != kLunghezzaCodice) {
        return false;
    }
    for (qsizetype posto = 0; posto < kLunghezzaCodice; ++posto) {
        const QChar c = codice.at(posto);
        const bool postoCifra =
            std::find(kPostiCifre.begin(), kPostiCifre.end(), posto) != kPostiCifre.end();
        const bool valido = postoCifra            ? cifra(c).has_value()
                            : posto == kPostoMese ? kLettereMesi.contains(c)
                                                  : lettera(c);
        if (!valido) {
            return false;
        }
    }
    return true;
}

// The check character of a code already in shape.
QChar carattereDiControllo(const QString& codice) {
    int somma = 0;
    for (qsizetype posto = 0; posto < kPostoControllo; ++posto) {
        const QChar c = codice.at(posto);
        const int indice = c.isDigit() ? c.unicode() - u'0' : c.unicode() - u'A';
        somma += posto % 2 == 0 ? kValoriDispari[indice] : indice;
    }
    return QChar(u'A' + somma % 26);
}

// The plain letters A-Z of a name, upper-cased, accents dropped.
QString lettereDi(const QString& testo) {
    QString lettere;
    for (const QChar c : testo.toUpper().normalized(QString::NormalizationForm_D)) {
        if (lettera(c)) {
            lettere += c;
        }
    }
    return lettere;
}

struct Lettere {
    QString consonanti;
    QString vocali;
};

Lettere divise(const QString& lettere) {
    Lettere divise;
    for (const QChar c : lettere) {
        (kVocali.contains(c) ? divise.vocali : divise.consonanti) += c;
    }
    return divise;
}

QString treLettere(const Lettere& lettere) {
    return (lettere.consonanti + lettere.vocali + QStringLiteral("XXX")).left(3);
}

QString lettereDelCognome(const QString& cognome) {
    return treLettere(divise(lettereDi(cognome)));
}

// A name of four or more consonants gives its first, third and fourth.
QString lettereDelNome(const QString& nome) {
    const Lettere lettere = divise(lettereDi(nome));
    if (lettere.consonanti.size() >= 4) {
        const QString& c = lettere.consonanti;
        return QString(c.at(0)) + c.at(2) + c.at(3);
    }
    return treLettere(lettere);
}

bool stessaData(const QString& codice, const QString& data) {
    const int giorno = data.mid(0, 2).toInt();
    const int mese = data.mid(3, 2).toInt();
    const int anno = data.mid(6, 4).toInt();
    const int giornoNelCodice = numeroDi(codice.at(9), codice.at(10));
    return numeroDi(codice.at(6), codice.at(7)) == anno % 100 &&
           codice.at(kPostoMese) == kLettereMesi.at(mese - 1) &&
           (giornoNelCodice == giorno || giornoNelCodice == giorno + kGiornoDonna);
}

void confrontaLettere(const QString& digitato, QStringView nelCodice,
                      QString (*attese)(const QString&), const QString& avviso,
                      QStringList& incongruenze) {
    if (lettereDi(digitato).isEmpty()) {
        return;
    }
    const QString lettere = attese(digitato);
    if (nelCodice != lettere) {
        incongruenze << avviso.arg(lettere);
    }
}

}  // namespace

QStringList IncongruenzeCodiceFiscale(const PersonaDigitata& persona) {
    const QString codice = SenzaSpaziEsterni(persona.codiceFiscale).toUpper();
    if (codice.size() < kLunghezzaCodice) {
        return {};
    }
    if (!haLaForma(codice)) {
        return {QStringLiteral("Il codice fiscale non ha la forma prevista.")};
    }
    QStringList incongruenze;
    const QChar controllo = carattereDiControllo(codice);
    if (codice.at(kPostoControllo) != controllo) {
        incongruenze << QStringLiteral(
                            "Il carattere di controllo del codice fiscale non corrisponde "
                            "(atteso: %1).")
                            .arg(controllo);
    }
    confrontaLettere(persona.cognome, QStringView(codice).sliced(0, 3), lettereDelCognome,
                     QStringLiteral("Le lettere del cognome non corrispondono (attese: %1)."),
                     incongruenze);
    confrontaLettere(persona.nome, QStringView(codice).sliced(3, 3), lettereDelNome,
                     QStringLiteral("Le lettere del nome non corrispondono (attese: %1)."),
                     incongruenze);
    if (DataValida(persona.dataDiNascita) && !stessaData(codice, persona.dataDiNascita)) {
        incongruenze << QStringLiteral("La data di nascita non corrisponde al codice fiscale.");
    }
    return incongruenze;
}
