#include "ProcessoFiglio.h"

#include <QDeadlineTimer>

ProcessoFiglio::ProcessoFiglio(const QStringList& argomenti) {
    processo_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    processo_.start(QStringLiteral(PROCESSO_ELENCO), argomenti);
    processo_.waitForStarted();
}

std::optional<QString> ProcessoFiglio::RigaSeguente() {
    const QDeadlineTimer scadenza(20000);
    while (!letto_.contains('\n') && processo_.state() == QProcess::Running &&
           !scadenza.hasExpired()) {
        processo_.waitForReadyRead(static_cast<int>(scadenza.remainingTime()));
        letto_ += processo_.readAllStandardOutput();
    }
    letto_ += processo_.readAllStandardOutput();
    const qsizetype fine = letto_.indexOf('\n');
    if (fine < 0) {
        return std::nullopt;
    }
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
    if (processo_.state() != QProcess::NotRunning) {
        processo_.kill();
        processo_.waitForFinished();
    }
    QStringList righe;
    while (const std::optional<QString> riga = RigaSeguente()) {
        righe << *riga;
    }
    return righe;
}
