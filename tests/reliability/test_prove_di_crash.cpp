#include "DatiDomanda.h"
#include "DomandeNumerate.h"
#include "ProveDiCrash.h"
#include "QtPrinters.h"

#include <QDir>
#include <QFileInfo>

namespace {

using namespace std::chrono_literals;

// Fails the test at the first line that is not what the child promises.
void ControllaRighe(const QStringList& righe, const QString& attesa) {
    for (const QString& riga : righe) {
        ASSERT_EQ(riga, attesa);
    }
}

TEST_F(ProveDiCrash, EveryApplicationReportedAsStoredSurvivesAKillWholeAndUnchanged) {
    const QString lista = Percorso(QStringLiteral("domande.svz"));
    QByteArray attesi;
    int registrate = 0;
    while (AltraProva()) {
        const QStringList righe = UccidiACaso({QStringLiteral("registra"), lista}, 40ms);

        for (const QString& riga : righe) {
            ASSERT_EQ(riga, QString::number(++registrate)) << "prova " << prove();
        }
        const QByteArray file = Riapri(lista);
        ASSERT_EQ(file.size() % kLunghezzaRecord, 0) << "prova " << prove();
        const int nelFile = static_cast<int>(file.size() / kLunghezzaRecord);
        // The store under way when the child was killed may have been
        // completed, unreported.
        ASSERT_GE(nelFile, registrate) << "prova " << prove();
        ASSERT_LE(nelFile, registrate + 1) << "prova " << prove();
        registrate = nelFile;
        while (attesi.size() < file.size()) {
            attesi += RecordNumerato(static_cast<int>(attesi.size() / kLunghezzaRecord) + 1);
        }
        ASSERT_EQ(PrimoRecordDiverso(file, attesi), 0) << "prova " << prove();
    }
    EXPECT_GT(registrate, 0);
}

TEST_F(ProveDiCrash, AKilledAppendLeavesTheOldListOrTheWholeAppendNeverAPart) {
    const int kPrime = 30;
    const int kSeconde = 2000;
    const QString primo = Percorso(QStringLiteral("primo.svz"));
    const QString secondo = Percorso(QStringLiteral("secondo.svz"));
    const QByteArray attesi = RecordNumerati(1, kPrime + kSeconde);
    const QByteArray originale = attesi.left(kPrime * kLunghezzaRecord);
    const QByteArray daAggiungere = attesi.mid(kPrime * kLunghezzaRecord);
    const QStringList argomenti{QStringLiteral("aggiungi"), primo, secondo};
    Scrivi(secondo, daAggiungere);
    Scrivi(primo, originale);
    const auto durata = DurataIntera(argomenti);
    ASSERT_TRUE(Leggi(primo) == attesi);

    int completate = 0;
    while (AltraProva()) {
        Scrivi(primo, originale);
        const QStringList righe = UccidiACaso(argomenti, durata + durata / 10);

        ASSERT_NO_FATAL_FAILURE(ControllaRighe(righe, QStringLiteral("FATTO")));
        // All or nothing: the old list, or the old list and every copy.
        const QByteArray file = Riapri(primo);
        if (righe.isEmpty() && file.size() == originale.size()) {
            ASSERT_TRUE(file == originale) << "prova " << prove();
        } else {
            ASSERT_EQ(file.size(), attesi.size()) << "prova " << prove();
            ASSERT_EQ(PrimoRecordDiverso(file, attesi), 0) << "prova " << prove();
            ++completate;
        }
        ASSERT_TRUE(Leggi(secondo) == daAggiungere) << "prova " << prove();
    }
    std::cout << "aggiunte complete: " << completate << '\n';
}

TEST_F(ProveDiCrash, AKilledMergeLeavesNoNewListOrAWholeOneAndNoOtherFileTakenForAList) {
    const int kPrime = 700;
    const int kSeconde = 1300;
    const QString primo = Percorso(QStringLiteral("primo.svz"));
    const QString secondo = Percorso(QStringLiteral("secondo.svz"));
    const QString nuovo = Percorso(QStringLiteral("unione.svz"));
    const QByteArray attesi = RecordNumerati(1, kPrime + kSeconde);
    const QByteArray precedente = RecordNumerati(20001, 3);
    const QStringList argomenti{QStringLiteral("unisci"), primo, secondo, nuovo};
    Scrivi(primo, attesi.left(kPrime * kLunghezzaRecord));
    Scrivi(secondo, attesi.mid(kPrime * kLunghezzaRecord));
    const auto durata = DurataIntera(argomenti);
    ASSERT_TRUE(Leggi(nuovo) == attesi);

    int completate = 0;
    while (AltraProva()) {
        // Every other trial the new list's name is already taken by a file.
        const bool esisteva = prove() % 2 == 0;
        QFile::remove(nuovo);
        if (esisteva) {
            Scrivi(nuovo, precedente);
        }
        const QStringList righe = UccidiACaso(argomenti, durata + durata / 10);

        ASSERT_NO_FATAL_FAILURE(ControllaRighe(righe, QStringLiteral("FATTO")));
        const QByteArray risultato = Leggi(nuovo);
        if (!righe.isEmpty()) {
            ASSERT_EQ(PrimoRecordDiverso(risultato, attesi), 0) << "prova " << prove();
            ASSERT_EQ(risultato.size(), attesi.size()) << "prova " << prove();
            ++completate;
        } else if (QFileInfo::exists(nuovo) && risultato != attesi) {
            ASSERT_TRUE(esisteva) << "prova " << prove();
            ASSERT_TRUE(risultato == precedente) << "prova " << prove();
        }
        ASSERT_TRUE(Leggi(primo) == attesi.left(kPrime * kLunghezzaRecord)) << "prova " << prove();
        ASSERT_TRUE(Leggi(secondo) == attesi.mid(kPrime * kLunghezzaRecord)) << "prova " << prove();
        const QStringList elenchi =
            QDir(dir_.path()).entryList({QStringLiteral("*.svz")}, QDir::Files | QDir::Hidden);
        for (const QString& elenco : elenchi) {
            ASSERT_TRUE(elenco == QLatin1String("primo.svz") ||
                        elenco == QLatin1String("secondo.svz") ||
                        elenco == QLatin1String("unione.svz"))
                << elenco.toStdString();
        }
    }
    std::cout << "unioni completate prima dell'uccisione: " << completate << '\n';
}

}  // namespace
