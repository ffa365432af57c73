#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <optional>

// Another running copy of the program, played by the child process of
// ProcessoElenco.cpp; killed, if still running, when this object goes.
class ProcessoFiglio {
public:
    explicit ProcessoFiglio(const QStringList& argomenti);
    ~ProcessoFiglio() { Uccidi(); }
    ProcessoFiglio(const ProcessoFiglio&) = delete;
    ProcessoFiglio& operator=(const ProcessoFiglio&) = delete;

    // The next whole line the child printed, waiting up to 20 s for it.
    std::optional<QString> RigaSeguente();
    void Scrivi(const QByteArray& riga);
    // Closes the child's input and waits for its end; gives its exit code.
    int Termina();
    // Ends the child with SIGKILL wherever it is; gives the whole lines it
    // printed that were not read yet.
    QStringList Uccidi();

    qint64 pid() const { return processo_.processId(); }

private:
    QProcess processo_;
    QByteArray letto_;
};
