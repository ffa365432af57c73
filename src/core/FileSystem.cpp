#include "FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Repeats a system call that a signal interrupted before it did anything.
template <class Chiamata>
auto ripetiSeInterrotta(Chiamata chiamata) {
    decltype(chiamata()) esito;
    do {
        esito = chiamata();
    } while (esito == -1 && errno == EINTR);
    return esito;
}

FileIdentity identitaDa(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev),
            static_cast<std::uint64_t>(info.st_ino),
            info.st_uid,
            info.st_gid,
            info.st_mode & 07777u,
            S_ISREG(info.st_mode)};
}

// errno for something that is not a regular file.
int erroreNonOrdinario(mode_t modo) {
    return S_ISDIR(modo) ? EISDIR : ENODEV;
}

// Opens without blocking (a pipe would wait for a writer), then keeps the
// descriptor only when it leads to a regular file, and blocking again.
int apriOrdinario(const std::string& path, int flags, mode_t mode = 0) {
    const int fd = ripetiSeInterrotta(
        [&] { return ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, mode); });
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    int errore = 0;
    if (::fstat(fd, &info) != 0) {
        errore = errno;
    } else if (!S_ISREG(info.st_mode)) {
        errore = erroreNonOrdinario(info.st_mode);
    } else if (::fcntl(fd, F_SETFL, 0) != 0) {
        errore = errno;
    }
    if (errore != 0) {
        ::close(fd);
        errno = errore;
        return -1;
    }
    return fd;
}

// A small file of the system (under /proc), whole.
std::string leggiPiccolo(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "re"), &std::fclose);
    if (!file) {
        return {};
    }
    char buffer[1024];
    const size_t letti = std::fread(buffer, 1, sizeof buffer, file.get());
    return std::string(buffer, letti);
}

}  // namespace

int PosixFileSystem::openReadWrite(const std::string& path) {
    // A name taken meanwhile (or a dangling link) makes the create fail, and
    // the name is looked at once more.
    for (int tentativo = 0; tentativo < 2; ++tentativo) {
        const int fd = apriOrdinario(path, O_RDWR);
        if (fd >= 0 || errno != ENOENT) {
            return fd;
        }
        const int nuovo = createExclusive(path, 0660);
        if (nuovo >= 0 || errno != EEXIST) {
            return nuovo;
        }
    }
    errno = ENOENT;
    return -1;
}

int PosixFileSystem::createExclusive(const std::string& path, mode_t mode) {
    return apriOrdinario(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
}

int PosixFileSystem::openForReading(const std::string& path) {
    return apriOrdinario(path, O_RDONLY | O_NOFOLLOW);
}

ssize_t PosixFileSystem::readAt(int fd, void* buffer, size_t count, off_t offset) {
    return ripetiSeInterrotta([&] { return ::pread(fd, buffer, count, offset); });
}

ssize_t PosixFileSystem::writeAt(int fd, const void* buffer, size_t count, off_t offset) {
    // A regular file takes a partial write only when it hits a limit; going
    // on makes that limit report its reason (ENOSPC, EFBIG, EDQUOT).
    const char* dati = static_cast<const char*>(buffer);
    size_t scritti = 0;
    while (scritti < count) {
        const ssize_t esito = ripetiSeInterrotta([&] {
            return ::pwrite(fd, dati + scritti, count - scritti,
                            offset + static_cast<off_t>(scritti));
        });
        if (esito < 0) {
            return -1;
        }
        if (esito == 0) {
            break;
        }
        scritti += static_cast<size_t>(esito);
    }
    return static_cast<ssize_t>(scritti);
}

int PosixFileSystem::flush(int fd) {
    return ripetiSeInterrotta([&] { return ::fdatasync(fd); });
}

int PosixFileSystem::truncate(int fd, off_t length) {
    return ripetiSeInterrotta([&] { return ::ftruncate(fd, length); });
}

off_t PosixFileSystem::size(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? info.st_size : -1;
}

int PosixFileSystem::identify(int fd, FileIdentity& identity) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return -1;
    }
    identity = identitaDa(info);
    return 0;
}

int PosixFileSystem::changeMode(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

int PosixFileSystem::close(int fd) {
    return ::close(fd);
}

int PosixFileSystem::identifyPath(const std::string& path, FileIdentity& identity) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return -1;
    }
    identity = identitaDa(info);
    return 0;
}

std::string PosixFileSystem::canonicalPath(const std::string& path) {
    char risolto[PATH_MAX];
    return ::realpath(path.c_str(), risolto) != nullptr ? std::string(risolto) : std::string();
}

int PosixFileSystem::rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}

int PosixFileSystem::link(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str());
}

int PosixFileSystem::unlink(const std::string& path) {
    return ::unlink(path.c_str());
}

int PosixFileSystem::syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    const int esito = ripetiSeInterrotta([&] { return ::fsync(fd); });
    const int errore = errno;
    ::close(fd);
    errno = errore;
    return esito;
}

int PosixFileSystem::listFolder(const std::string& folder, std::vector<std::string>& names) {
    std::unique_ptr<DIR, int (*)(DIR*)> cartella(::opendir(folder.c_str()), &::closedir);
    if (!cartella) {
        return -1;
    }
    names.clear();
    errno = 0;
    while (const dirent* voce = ::readdir(cartella.get())) {
        const std::string nome = voce->d_name;
        if (nome != "." && nome != "..") {
            names.push_back(nome);
        }
    }
    return errno == 0 ? 0 : -1;
}

std::string PosixFileSystem::bootId() {
    std::string id = leggiPiccolo("/proc/sys/kernel/random/boot_id");
    while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) {
        id.pop_back();
    }
    return id;
}

std::string PosixFileSystem::pidNamespace() {
    struct stat info {};
    if (::stat("/proc/self/ns/pid", &info) != 0) {
        return {};
    }
    return std::to_string(info.st_dev) + ':' + std::to_string(info.st_ino);
}

pid_t PosixFileSystem::processId() {
    return ::getpid();
}

std::uint64_t PosixFileSystem::processStart(pid_t pid) {
    // Field 22 of /proc/<pid>/stat; the command name before it is in
    // parentheses and may hold blanks and parentheses itself.
    const std::string stato = leggiPiccolo("/proc/" + std::to_string(pid) + "/stat");
    const size_t fine = stato.rfind(')');
    if (fine == std::string::npos) {
        return 0;
    }
    const char* campo = stato.c_str() + fine + 1;
    if (std::string(campo, std::min<size_t>(3, std::strlen(campo))) == " Z ") {
        return 0;  // it has ended; only its parent has not yet collected it
    }
    for (int n = 3; *campo != '\0'; ++n) {
        while (*campo == ' ') {
            ++campo;
        }
        if (n == 22) {
            return std::strtoull(campo, nullptr, 10);
        }
        while (*campo != ' ' && *campo != '\0') {
            ++campo;
        }
    }
    return 0;
}

bool PosixFileSystem::processGone(pid_t pid) {
    return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

uid_t PosixFileSystem::effectiveUser() {
    return ::geteuid();
}

PosixFileSystem& PosixFileSystem::instance() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}
