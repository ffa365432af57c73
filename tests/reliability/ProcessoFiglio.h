#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <optional>

// The reliability tests' child process (see ProcessoElenco.cpp), started
// with its arguments and ended, killed if need be, when this object goes.
class ProcessoFiglio {
public:
    explicit ProcessoFiglio(const QStringList& argomenti);
    ~ProcessoFiglio();
    ProcessoFiglio(const ProcessoFiglio&) = delete;
    ProcessoFiglio& operator=(const ProcessoFiglio&) = delete;

    // The next whole line the child printed, waiting for it up to a limit.
    std::optional<QString> RigaSeguente(int attesaMs = 20000);
    void Scrivi(const QByteArray& riga);
    // Closes the child's input and waits for its end; gives its exit code.
    int Termina();
    // Ends the child with SIGKILL, wherever it is, and gives every whole
    // line it printed that was not read yet.
    QStringList Uccidi();

    qint64 pid() const { return processo_.processId(); }

private:
    QStringList RigheIntere();

    QProcess processo_;
    QByteArray letto_;
};
