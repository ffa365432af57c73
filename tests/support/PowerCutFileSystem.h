#pragma once

#include "FileSystem.h"

#include <QByteArray>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>

// A file system held in memory that can lose the power. It keeps, beside
// what the program sees, what a disk would still hold after a power cut:
// a file's bytes as of its last flush, and a folder's names as of its last
// sync (a create, rename, link or unlink is undone until then).
//
// Armed with cutAfter(n), the power goes just before the n-th call that
// would change or flush something: from then on every such call fails with
// EIO and changes nothing, as for a program whose computer has stopped. Then
// restart() brings up what the disk held: unflushed bytes dropped, or, with
// torn sectors, each 512-byte sector of them kept or dropped at random.
// A restart is a new boot with a new process id.
class PowerCutFileSystem final : public FileSystem {
public:
    explicit PowerCutFileSystem(unsigned seed = 1);

    // A file already on the disk.
    void put(const std::string& path, const QByteArray& bytes);
    // A file's bytes as the program sees them; nothing when it does not exist.
    std::optional<QByteArray> contents(const std::string& path) const;

    // How many calls that change or flush something were made so far.
    int changes() const { return changes_; }
    void cutAfter(int nth, bool tornSectors);
    bool powerWentOff() const { return off_; }
    void restart();

    int openReadWrite(const std::string& path) override;
    int createExclusive(const std::string& path, mode_t mode) override;
    int openForReading(const std::string& path) override;
    ssize_t readAt(int fd, void* buffer, size_t count, off_t offset) override;
    ssize_t writeAt(int fd, const void* buffer, size_t count, off_t offset) override;
    int flush(int fd) override;
    int truncate(int fd, off_t length) override;
    off_t size(int fd) override { return file(fd).data.size(); }
    int identify(int fd, FileIdentity& identity) override;
    int changeMode(int fd, mode_t mode) override;
    int close(int fd) override { return descriptors_.erase(fd) == 1 ? 0 : -1; }
    int identifyPath(const std::string& path, FileIdentity& identity) override;
    // The paths of the trials are canonical, their folders there from the start.
    std::string canonicalPath(const std::string& path) override { return path; }
    int rename(const std::string& from, const std::string& to) override;
    int link(const std::string& from, const std::string& to) override;
    int unlink(const std::string& path) override;
    int syncFolder(const std::string& folder) override;
    int listFolder(const std::string& folder, std::vector<std::string>& names) override;
    std::string bootId() override { return "boot-" + std::to_string(boot_); }
    pid_t processId() override { return 1000 + boot_; }
    std::uint64_t processStart(pid_t pid) override { return pid == processId() ? 1 : 0; }

private:
    struct Inode {
        QByteArray data;
        QByteArray durable;
        mode_t mode = 0600;
        std::uint64_t number = 0;
    };
    using Names = std::map<std::string, std::shared_ptr<Inode>>;

    // Counts and makes a change that would reach the disk: 0, or -1 with
    // errno EIO once the power is off.
    int change(const std::function<void()>& make);
    Inode& file(int fd) const { return *descriptors_.at(fd); }
    int newDescriptor(std::shared_ptr<Inode> inode);
    QByteArray afterTheCut(const Inode& inode);

    std::mt19937 random_;
    Names names_;
    Names durableNames_;
    std::map<int, std::shared_ptr<Inode>> descriptors_;
    int nextDescriptor_ = 3;
    std::uint64_t nextInode_ = 1;
    int boot_ = 0;
    int changes_ = 0;
    int cutAt_ = 0;
    bool torn_ = false;
    bool off_ = false;
};
