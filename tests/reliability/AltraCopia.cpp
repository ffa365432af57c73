#include "AltraCopia.h"

#include <QDeadlineTimer>
#include <QRandomGenerator>

#include <poll.h>
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
        leggo_ = versoFiglio[0];
        scrivo_ = versoTest[1];
        ::_exit(lavoro(*this));
    }
    // The child goes on from the test's state of the generator that private
    // file names are drawn from: the test skips the stretch the child uses,
    // so that no two copies draw the same names, as copies started apart.
    QRandomGenerator::global()->discard(1 << 16);
    ::close(versoTest[1]);
    ::close(versoFiglio[0]);
    leggo_ = versoTest[0];
    scrivo_ = versoFiglio[1];
    vivo_ = pid_ > 0;
}

AltraCopia::~AltraCopia() {
    Uccidi();
    ::close(leggo_);
    ::close(scrivo_);
}

std::optional<QString> AltraCopia::RigaSeguente() {
    const QDeadlineTimer scadenza(20000);
    pollfd attesa{leggo_, POLLIN, 0};
    while (!letto_.contains('\n') && ::poll(&attesa, 1, int(scadenza.remainingTime())) > 0) {
        char blocco[4096];
        const ssize_t letti = ::read(leggo_, blocco, sizeof blocco);
        if (letti <= 0) {
            break;
        }
        letto_.append(blocco, letti);
    }
    const qsizetype fine = letto_.indexOf('\n');
    if (fine < 0) {
        return std::nullopt;
    }
    const QString riga = QString::fromUtf8(letto_.left(fine));
    letto_.remove(0, fine + 1);
    return riga;
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
