#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

// Which file a name or a descriptor leads to, and whose it is.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;  // permission bits only
    bool regular = false;

    bool sameFile(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
};

// Every system call through which the program touches list files, their
// locks, journals and temporary files, and the folders that hold them. The
// storage layer goes through this interface only, so that tests can put in
// its place a file system that fails the n-th call or loses the power.
// Every call returns -1 (or an empty result) and sets errno on failure, as
// the system calls do; paths are in the system's encoding.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Opens an existing regular file for reading and writing, following
    // links; a missing one is created (mode 0660 before the umask) by an
    // exclusive create that follows no link. Anything that is not a regular
    // file (a folder, a device, a pipe) is refused without blocking.
    virtual int openReadWrite(const std::string& path) = 0;
    // Creates a file that does not exist yet, for reading and writing, with
    // these permission bits; a link already at the name counts as a file.
    virtual int createExclusive(const std::string& path, mode_t mode) = 0;
    // Opens an existing regular file for reading without following a link
    // and without blocking (ELOOP for a link, ENODEV for a pipe or device).
    virtual int openForReading(const std::string& path) = 0;

    virtual ssize_t readAt(int fd, void* buffer, size_t count, off_t offset) = 0;
    // Writes all of it unless the system refuses: a short count only when
    // the system stops for a limit.
    virtual ssize_t writeAt(int fd, const void* buffer, size_t count, off_t offset) = 0;
    // Makes the data written so far durable on the disk.
    virtual int flush(int fd) = 0;
    virtual int truncate(int fd, off_t length) = 0;
    // The file's length in bytes, or -1.
    virtual off_t size(int fd) = 0;
    virtual int identify(int fd, FileIdentity& identity) = 0;
    // Sets the file's permission bits.
    virtual int changeMode(int fd, mode_t mode) = 0;
    virtual int close(int fd) = 0;

    // The file a path leads to, following links.
    virtual int identifyPath(const std::string& path, FileIdentity& identity) = 0;
    // The path with every link and "." or ".." resolved; empty when it
    // does not exist.
    virtual std::string canonicalPath(const std::string& path) = 0;
    virtual int rename(const std::string& from, const std::string& to) = 0;
    // A second name for a file; fails with EEXIST when the name is taken.
    virtual int link(const std::string& from, const std::string& to) = 0;
    virtual int unlink(const std::string& path) = 0;
    // Makes the folder's entries (files created, renamed, removed in it)
    // durable on the disk.
    virtual int syncFolder(const std::string& folder) = 0;
    // The names in a folder, without "." and "..".
    virtual int listFolder(const std::string& folder, std::vector<std::string>& names) = 0;

    // This computer's boot: it changes at every start of the system.
    virtual std::string bootId() = 0;
    // The PID namespace this process runs in: process ids name the same
    // process only within one. Empty when it cannot be told.
    virtual std::string pidNamespace() = 0;
    virtual pid_t processId() = 0;
    // When the process started, in the system's own units since the boot;
    // 0 when that cannot be read (no such process, one that has ended, or a
    // process table hidden from this user).
    virtual std::uint64_t processStart(pid_t pid) = 0;
    // True only when the system says that no process of that id runs in
    // this namespace; a process of another user still runs.
    virtual bool processGone(pid_t pid) = 0;
    // The user the program runs as.
    virtual uid_t effectiveUser() = 0;
};

// The real system calls.
class PosixFileSystem : public FileSystem {
public:
    int openReadWrite(const std::string& path) override;
    int createExclusive(const std::string& path, mode_t mode) override;
    int openForReading(const std::string& path) override;
    ssize_t readAt(int fd, void* buffer, size_t count, off_t offset) override;
    ssize_t writeAt(int fd, const void* buffer, size_t count, off_t offset) override;
    int flush(int fd) override;
    int truncate(int fd, off_t length) override;
    off_t size(int fd) override;
    int identify(int fd, FileIdentity& identity) override;
    int changeMode(int fd, mode_t mode) override;
    int close(int fd) override;
    int identifyPath(const std::string& path, FileIdentity& identity) override;
    std::string canonicalPath(const std::string& path) override;
    int rename(const std::string& from, const std::string& to) override;
    int link(const std::string& from, const std::string& to) override;
    int unlink(const std::string& path) override;
    int syncFolder(const std::string& folder) override;
    int listFolder(const std::string& folder, std::vector<std::string>& names) override;
    std::string bootId() override;
    std::string pidNamespace() override;
    pid_t processId() override;
    std::uint64_t processStart(pid_t pid) override;
    bool processGone(pid_t pid) override;
    uid_t effectiveUser() override;

    // The one instance the program uses.
    static PosixFileSystem& instance();
};
