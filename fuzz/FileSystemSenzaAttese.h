#pragma once

#include "FileSystem.h"

// The real file calls, except that nothing is forced to the disk: the fuzzer
// tries thousands of list files a second and is not about durability.
class FileSystemSenzaAttese final : public FileSystem {
public:
    int openReadWrite(const std::string& path) override { return reale().openReadWrite(path); }
    int createExclusive(const std::string& path, mode_t mode) override {
        return reale().createExclusive(path, mode);
    }
    int openForReading(const std::string& path) override { return reale().openForReading(path); }
    ssize_t readAt(int fd, void* buffer, size_t count, off_t offset) override {
        return reale().readAt(fd, buffer, count, offset);
    }
    ssize_t writeAt(int fd, const void* buffer, size_t count, off_t offset) override {
        return reale().writeAt(fd, buffer, count, offset);
    }
    int flush(int) override { return 0; }
    int truncate(int fd, off_t length) override { return reale().truncate(fd, length); }
    off_t size(int fd) override { return reale().size(fd); }
    int identify(int fd, FileIdentity& identity) override { return reale().identify(fd, identity); }
    int changeMode(int fd, mode_t mode) override { return reale().changeMode(fd, mode); }
    int close(int fd) override { return reale().close(fd); }
    int identifyPath(const std::string& path, FileIdentity& identity) override {
        return reale().identifyPath(path, identity);
    }
    std::string canonicalPath(const std::string& path) override {
        return reale().canonicalPath(path);
    }
    int rename(const std::string& from, const std::string& to) override {
        return reale().rename(from, to);
    }
    int link(const std::string& from, const std::string& to) override {
        return reale().link(from, to);
    }
    int unlink(const std::string& path) override { return reale().unlink(path); }
    int syncFolder(const std::string&) override { return 0; }
    int listFolder(const std::string& folder, std::vector<std::string>& names) override {
        return reale().listFolder(folder, names);
    }
    std::string bootId() override { return reale().bootId(); }
    pid_t processId() override { return reale().processId(); }
    std::uint64_t processStart(pid_t pid) override { return reale().processStart(pid); }

private:
    static PosixFileSystem& reale() { return PosixFileSystem::instance(); }
};
