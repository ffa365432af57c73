#pragma once

#include "FileSystem.h"

#include <QByteArray>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>

// A file system held in memory that can lose the power. It keeps, beside
// what the program sees, what a disk would still hold after a power cut:
// a file's bytes as of its last flush, and a folder's names as of its last
// sync (a create, rename, link or unlink is undone until then).
//
// Armed with cutAfter(n, how), the power goes, or the program is killed,
// just before the n-th call that would change or flush something: from then
// on every such call fails with EIO and changes nothing, as for a program
// that has stopped. Then restart() brings up what is left: after a kill,
// everything the program wrote (a new copy of the program runs in the same
// boot); after a power cut, what the disk held, unflushed bytes dropped or,
// with torn sectors, each 512-byte sector of them kept or dropped at random
// (a new boot, a new copy).
//
// It also plays the system around the program: the user it runs as, whose
// files it may read (the permission bits of owner, group and others) and
// remove (a folder with the sticky bit), and the copies of the program
// running in PID namespaces, whose process table may be hidden.
class PowerCutFileSystem final : public FileSystem {
public:
    static constexpr uid_t kUser = 1000;
    static constexpr gid_t kGroup = 100;

    explicit PowerCutFileSystem(unsigned seed = 1);

    // A file already on the disk; with an openError, something that is no
    // regular file, which opening refuses with that errno (ELOOP for a link,
    // ENODEV for a pipe).
    void put(const std::string& path, const QByteArray& bytes, uid_t owner = kUser,
             gid_t group = kGroup, mode_t mode = 0660, int openError = 0);
    // A file's bytes as the program sees them; nothing when it does not exist.
    std::optional<QByteArray> contents(const std::string& path) const;

    // The calls from now on are made as this user, of this group.
    void runAs(uid_t user, gid_t group) {
        user_ = user;
        group_ = group;
    }
    // In that folder only a file's owner may rename or remove it.
    void makeSticky(const std::string& folder) { sticky_.insert(folder); }
    // Another copy of the program starts in that PID namespace, with the next
    // free process id or that of one that has ended; the calls from now on
    // are its own.
    pid_t startCopy(int pidNamespace = 1, pid_t pid = 0);
    void endCopy(pid_t pid) { copies_.erase(pid); }
    // Other processes' details cannot be read (a process table mounted with
    // hidepid); whether a process id runs still can.
    void hideProcesses() { hidden_ = true; }

    enum class Cut { Power, TornSectors, Kill };
    // How many calls that change or flush something were made so far.
    int changes() const { return changes_; }
    void cutAfter(int nth, Cut how) {
        cutAt_ = changes_ + nth;
        how_ = how;
    }
    bool powerWentOff() const { return off_; }
    void restart();

    int openReadWrite(const std::string& path) override;
    int createExclusive(const std::string& path, mode_t mode) override;
    int openForReading(const std::string& path) override { return open(path, 04); }
    ssize_t readAt(int fd, void* buffer, size_t count, off_t offset) override;
    ssize_t writeAt(int fd, const void* buffer, size_t count, off_t offset) override;
    int flush(int fd) override {
        return change([&] { file(fd).durable = file(fd).data; });
    }
    int truncate(int fd, off_t length) override {
        return change([&] { file(fd).data.resize(length, '\0'); });
    }
    off_t size(int fd) override { return file(fd).data.size(); }
    int identify(int fd, FileIdentity& identity) override;
    int changeMode(int fd, mode_t mode) override {
        return change([&] { file(fd).mode = mode; });
    }
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
    std::string pidNamespace() override { return "pid:" + std::to_string(namespace_); }
    pid_t processId() override { return current_; }
    std::uint64_t processStart(pid_t pid) override;
    bool processGone(pid_t pid) override;
    uid_t effectiveUser() override { return user_; }

private:
    struct Inode {
        QByteArray data;
        QByteArray durable;
        uid_t owner = kUser;
        gid_t group = kGroup;
        mode_t mode = 0600;
        std::uint64_t number = 0;
        int openError = 0;
    };
    using Names = std::map<std::string, std::shared_ptr<Inode>>;

    // Counts and makes a change that would reach the disk: 0, or -1 with
    // errno EIO once the program has stopped.
    int change(const std::function<void()>& make);
    Inode& file(int fd) const { return *descriptors_.at(fd); }
    // The file at path, opened for reading (4) or reading and writing (6).
    int open(const std::string& path, mode_t access);
    int newDescriptor(std::shared_ptr<Inode> inode);
    // 0, or -1 with errno ENOENT when nothing has that name, or EPERM when a
    // sticky folder keeps the name from this user.
    int mayRemove(const std::string& path) const;
    QByteArray afterTheCut(const Inode& inode);
    FileIdentity identityOf(const Inode& inode) const;

    std::mt19937 random_;
    Names names_;
    Names durableNames_;
    std::map<int, std::shared_ptr<Inode>> descriptors_;
    std::set<std::string> sticky_;
    std::map<pid_t, std::pair<int, std::uint64_t>> copies_;  // PID namespace and start
    int nextDescriptor_ = 3;
    std::uint64_t nextInode_ = 1;
    std::uint64_t clock_ = 0;
    pid_t nextPid_ = 1000;
    pid_t current_ = 0;
    int namespace_ = 1;
    uid_t user_ = kUser;
    gid_t group_ = kGroup;
    bool hidden_ = false;
    int boot_ = 0;
    int changes_ = 0;
    int cutAt_ = 0;
    Cut how_ = Cut::Power;
    bool off_ = false;
};
