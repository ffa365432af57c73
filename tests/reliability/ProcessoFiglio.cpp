#include "ProcessoFiglio.h"

#include <QDeadlineTimer>

ProcessoFiglio::ProcessoFiglio(const QStringList& argomenti) {
    processo_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    processo_.start(QStringLiteral(PROCESSO_ELENCO), argomenti);
    processo_.waitForStarted();
}

ProcessoFiglio::~ProcessoFiglio() {
    if (processo_.state() != QProcess::NotRunning) {
        processo_.kill();
        processo_.waitForFinished();
    }
}

std::optional<QString> ProcessoFiglio::RigaSeguente(int attesaMs) {
    const QDeadlineTimer scadenza(attesaMs);
    while (!letto_.contains('\n')) {
        if (processo_.state() == QProcess::NotRunning) {
            letto_ += processo_.readAllStandardOutput();
            if (!letto_.contains('\n')) {
                return std::nullopt;
            }
            break;
        }
        if (scadenza.hasExpired()) {
            return std::nullopt;
        }
        processo_.waitForReadyRead(static_cast<int>(scadenza.remainingTime()));
        letto_ += processo_.readAllStandardOutput();
    }
    const qsizetype fine = letto_.indexOf('\n');
    const QString riga = QString::fromUtf8(letto_.left(fine));
    letto_.remove(0, fine + 1);
    return riga;
}

void ProcessoFiglio::Scrivi(const QByteArray& riga) {
    processo_.write(riga + '\n');
    processo_.waitForBytesWritten();
}

int ProcessoFiglio::Termina() {
    processo_.closeWriteChannel();
    processo_.waitForFinished();
    return processo_.exitCode();
}

QStringList ProcessoFiglio::Uccidi() {
    processo_.kill();
    processo_.waitForFinished();
    letto_ += processo_.readAllStandardOutput();
    return RigheIntere();
}

QStringList ProcessoFiglio::RigheIntere() {
    QStringList righe;
    for (qsizetype fine = letto_.indexOf('\n'); fine >= 0; fine = letto_.indexOf('\n')) {
        righe << QString::fromUtf8(letto_.left(fine));
        letto_.remove(0, fine + 1);
    }
    return righe;
}
