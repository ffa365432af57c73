#include "ProveDiCrash.h"

#include "DatiDomanda.h"
#include "DomandeNumerate.h"
#include "FileElenco.h"

#include <QFile>

#include <iostream>
#include <thread>

namespace {

unsigned Seme() {
    const unsigned seme = std::random_device{}();
    std::cout << "seme delle prove: " << seme << '\n';
    return seme;
}

}  // namespace

ProveDiCrash::ProveDiCrash() : caso_(Seme()), inizio_(std::chrono::steady_clock::now()) {}

ProveDiCrash::~ProveDiCrash() {
    std::cout << "prove eseguite: " << prove_ << '\n';
    RecordProperty("prove", prove_);
}

QByteArray ProveDiCrash::Leggi(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ProveDiCrash::Riapri(const QString& percorso) {
    FileElenco elenco;
    const Result<void> aperto = elenco.ApriElenco(percorso, 1);
    EXPECT_TRUE(aperto.ok()) << aperto.error().message.toStdString();
    elenco.ChiudiElenco(1);
    return Leggi(percorso);
}

void ProveDiCrash::Scrivi(const QString& percorso, const QByteArray& contenuto) {
    QFile file(percorso);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(contenuto), contenuto.size());
}

int ProveDiCrash::PrimoRecordDiverso(const QByteArray& file, const QByteArray& attesi) {
    for (qsizetype inizio = 0; inizio < file.size(); inizio += kLunghezzaRecord) {
        if (file.mid(inizio, kLunghezzaRecord) != attesi.mid(inizio, kLunghezzaRecord)) {
            return static_cast<int>(inizio / kLunghezzaRecord) + 1;
        }
    }
    return 0;
}

std::chrono::microseconds ProveDiCrash::DurataIntera(const QStringList& argomenti) {
    const auto partenza = std::chrono::steady_clock::now();
    ProcessoFiglio figlio(argomenti);
    figlio.Termina();
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 partenza);
}

QStringList ProveDiCrash::UccidiACaso(const QStringList& argomenti,
                                      std::chrono::microseconds limite) {
    std::uniform_int_distribution<long long> attesa(0, limite.count());
    ProcessoFiglio figlio(argomenti);
    std::this_thread::sleep_for(std::chrono::microseconds(attesa(caso_)));
    return figlio.Uccidi();
}

bool ProveDiCrash::AltraProva() {
    if (prove_ >= kProve || std::chrono::steady_clock::now() - inizio_ > kTempoMassimo) {
        return false;
    }
    ++prove_;
    return true;
}
