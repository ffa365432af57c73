#pragma once

#include "FileSystem.h"

// The real file calls, except that nothing is forced to the disk: the fuzzer
// tries thousands of list files a second and is not about durability.
class FileSystemSenzaAttese final : public FileSystem {
public:
    int openReadWrite(const std::string& path) override { return reale().openReadWrite(path); }
    ssize_t readAt(int fd, void* buffer, size_t count, off_t offset) override {
        return reale().readAt(fd, buffer, count, offset);
    }
    ssize_t writeAt(int fd, const void* buffer, size_t count, off_t offset) override {
        return reale().writeAt(fd, buffer, count, offset);
    }
    int flush(int) override { return 0; }
    int truncate(int fd, off_t length) override { return reale().truncate(fd, length); }
    off_t size(int fd) override { return reale().size(fd); }
    int close(int fd) override { return reale().close(fd); }

private:
    static PosixFileSystem& reale() { return PosixFileSystem::instance(); }
};
