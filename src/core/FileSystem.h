#pragma once

#include <sys/types.h>

#include <string>

// The few system calls through which list files are read and written. The
// list-file component goes through this interface only, so that tests can
// put a file system in its place that fails the n-th call.
// Every call returns -1 and sets errno on failure, as the system calls do.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Opens a regular file for reading and writing, creating it empty when
    // it does not exist; returns a descriptor.
    virtual int openReadWrite(const std::string& path) = 0;
    virtual ssize_t readAt(int fd, void* buffer, size_t count, off_t offset) = 0;
    virtual ssize_t writeAt(int fd, const void* buffer, size_t count, off_t offset) = 0;
    // Makes the data written so far durable on the disk.
    virtual int flush(int fd) = 0;
    virtual int truncate(int fd, off_t length) = 0;
    // The file's length in bytes, or -1.
    virtual off_t size(int fd) = 0;
    virtual int close(int fd) = 0;
};

// The real system calls (open, pread, pwrite, fdatasync, ftruncate, fstat).
class PosixFileSystem final : public FileSystem {
public:
    int openReadWrite(const std::string& path) override;
    ssize_t readAt(int fd, void* buffer, size_t count, off_t offset) override;
    ssize_t writeAt(int fd, const void* buffer, size_t count, off_t offset) override;
    int flush(int fd) override;
    int truncate(int fd, off_t length) override;
    off_t size(int fd) override;
    int close(int fd) override;

    // The one instance the program uses.
    static PosixFileSystem& instance();
};
