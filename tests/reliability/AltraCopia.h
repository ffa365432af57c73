#pragma once

#include <QFile>
#include <QStringList>

#include <sys/types.h>

#include <functional>
#include <optional>

// Another running copy of the program: a child forked from the test, doing
// its job through the same core code as the screens and telling the test
// what it has done one whole line at a time. Killed, if still running, when
// this object goes. A copy started while another runs holds that one's input
// open: Termina only the last one started.
class AltraCopia {
public:
    // In the child, `lavoro` gives the exit status.
    explicit AltraCopia(const std::function<int(AltraCopia&)>& lavoro);
    ~AltraCopia();
    AltraCopia(const AltraCopia&) = delete;
    AltraCopia& operator=(const AltraCopia&) = delete;

    // Both sides: one line to the other side, in a single write, so that a
    // kill leaves the test all of it or none; the other side's next whole
    // line, waiting for it (none once the other side has ended).
    void Scrivi(const QString& riga) const;
    std::optional<QString> RigaSeguente();

    // The test: the end of the child's input and then of the child (its exit
    // status); SIGKILL wherever it is (the lines it left unread).
    int Termina();
    QStringList Uccidi();

    pid_t pid() const { return pid_; }

private:
    int Attendi();

    pid_t pid_ = -1;
    bool vivo_ = false;
    QFile leggo_;      // the end of the pipe this side reads
    int scrivo_ = -1;  // and the one it writes
};
