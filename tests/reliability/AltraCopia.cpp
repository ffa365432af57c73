#include "AltraCopia.h"

#include <QRandomGenerator>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

AltraCopia::AltraCopia(const std::function<int(AltraCopia&)>& lavoro) {
    int versoTest[2];
    int versoFiglio[2];
    if (::pipe(versoTest) != 0 || ::pipe(versoFiglio) != 0) {
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(versoTest[0]);
        ::close(versoFiglio[1]);
        leggo_.open(versoFiglio[0], QIODevice::ReadOnly | QIODevice::Unbuffered,
                    QFile::AutoCloseHandle);
        scrivo_ = versoTest[1];
        ::_exit(lavoro(*this));
    }
    // The child goes on from the test's state of the generator that private
    // file names are drawn from: the test skips the stretch the child uses,
    // so that no two copies draw the same names, as copies started apart.
    QRandomGenerator::global()->discard(1 << 16);
    ::close(versoTest[1]);
    ::close(versoFiglio[0]);
    leggo_.open(versoTest[0], QIODevice::ReadOnly | QIODevice::Unbuffered, QFile::AutoCloseHandle);
    scrivo_ = versoFiglio[1];
    vivo_ = pid_ > 0;
}

AltraCopia::~AltraCopia() {
    Uccidi();
    ::close(scrivo_);
}

std::optional<QString> AltraCopia::RigaSeguente() {
    const QByteArray riga = leggo_.readLine();
    return riga.endsWith('\n') ? std::optional(QString::fromUtf8(riga.chopped(1))) : std::nullopt;
}

void AltraCopia::Scrivi(const QString& riga) const {
    const QByteArray testo = riga.toUtf8() + '\n';
    [[maybe_unused]] const ssize_t scritti = ::write(scrivo_, testo.data(), testo.size());
}

int AltraCopia::Termina() {
    ::close(scrivo_);
    scrivo_ = -1;
    return Attendi();
}

QStringList AltraCopia::Uccidi() {
    if (vivo_) {
        ::kill(pid_, SIGKILL);
        Attendi();
    }
    QStringList righe;
    while (const std::optional<QString> riga = RigaSeguente()) {
        righe << *riga;
    }
    return righe;
}

int AltraCopia::Attendi() {
    int stato = 0;
    const bool finito = vivo_ && ::waitpid(pid_, &stato, 0) == pid_;
    vivo_ = false;
    return finito && WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}
