#include "FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

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

// errno for a path that names a folder or anything else that is not a
// regular file (a device, a pipe, a socket).
int erroreNonOrdinario(mode_t modo) {
    return S_ISDIR(modo) ? EISDIR : ENODEV;
}

bool ordinario(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        errno = erroreNonOrdinario(info.st_mode);
        return false;
    }
    return true;
}

}  // namespace

int PosixFileSystem::openReadWrite(const std::string& path) {
    // A device is refused before it is opened, so that opening it has no
    // effect; the check on the open descriptor closes the race in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        errno = erroreNonOrdinario(info.st_mode);
        return -1;
    }
    const int fd = ripetiSeInterrotta([&] {
        return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    });
    if (fd < 0) {
        return -1;
    }
    if (!ordinario(fd) || ::fcntl(fd, F_SETFL, 0) != 0) {
        const int errore = errno;
        ::close(fd);
        errno = errore;
        return -1;
    }
    return fd;
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
    if (::fstat(fd, &info) != 0) {
        return -1;
    }
    return info.st_size;
}

int PosixFileSystem::close(int fd) {
    return ::close(fd);
}

PosixFileSystem& PosixFileSystem::instance() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}
