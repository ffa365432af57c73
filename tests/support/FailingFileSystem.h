#pragma once

#include "FileSystem.h"

#include <array>
#include <cstddef>
#include <optional>
#include <set>

// A file system that passes every call to the real one, except the calls it
// has been told to fail. Calls are counted per kind from the moment a rule
// is given: failOn(Call::Write, 1, ENOSPC) fails the next write to a list.
// Writes and flushes of the files created beside a list (its lock, its
// journal) are kinds of their own: SideWrite and SideFlush.
class FailingFileSystem final : public PosixFileSystem {
    using Real = PosixFileSystem;

public:
    // clang-format off
    enum class Call {
        Open, Read, Write, Flush, Truncate, Size, Close, Create, OpenForReading, Identify,
        ChangeMode, IdentifyPath, Canonical, Rename, Link, Unlink, SyncFolder, ListFolder,
        SideWrite, SideFlush  // the last kind
    };
    // clang-format on
    static constexpr std::size_t kKinds = static_cast<std::size_t>(Call::SideFlush) + 1;

    // The nth call of that kind from now fails with errorNumber and changes
    // nothing; the calls before and after it go through.
    void failOn(Call kind, int nth, int errorNumber) { rule(kind) = Rule{nth, errorNumber, {}}; }
    // The nth write from now writes only its first `bytes` bytes and reports
    // that count, as a write cut short by the system does.
    void shortWriteOn(int nth, std::size_t bytes) { rule(Call::Write) = Rule{nth, 0, bytes}; }
    // Every call goes through again.
    void clearFailures() { rules_ = {}; }

    // How many calls of that kind were made since construction.
    int calls(Call kind) const { return calls_[static_cast<std::size_t>(kind)]; }

    int openReadWrite(const std::string& path) override {
        return hit(Call::Open) ? -1 : Real::openReadWrite(path);
    }
    int createExclusive(const std::string& path, mode_t mode) override {
        return hit(Call::Create) ? -1 : side(Real::createExclusive(path, mode));
    }
    int openForReading(const std::string& path) override {
        return hit(Call::OpenForReading) ? -1 : side(Real::openForReading(path));
    }
    ssize_t readAt(int fd, void* buffer, size_t count, off_t offset) override {
        return hit(Call::Read) ? -1 : Real::readAt(fd, buffer, count, offset);
    }
    ssize_t writeAt(int fd, const void* buffer, size_t count, off_t offset) override;
    int flush(int fd) override;
    int truncate(int fd, off_t length) override {
        return hit(Call::Truncate) ? -1 : Real::truncate(fd, length);
    }
    off_t size(int fd) override { return hit(Call::Size) ? -1 : Real::size(fd); }
    int identify(int fd, FileIdentity& identity) override {
        return hit(Call::Identify) ? -1 : Real::identify(fd, identity);
    }
    int changeMode(int fd, mode_t mode) override {
        return hit(Call::ChangeMode) ? -1 : Real::changeMode(fd, mode);
    }
    int close(int fd) override;
    int identifyPath(const std::string& path, FileIdentity& identity) override {
        return hit(Call::IdentifyPath) ? -1 : Real::identifyPath(path, identity);
    }
    std::string canonicalPath(const std::string& path) override {
        return hit(Call::Canonical) ? std::string() : Real::canonicalPath(path);
    }
    int rename(const std::string& from, const std::string& to) override {
        return hit(Call::Rename) ? -1 : Real::rename(from, to);
    }
    int link(const std::string& from, const std::string& to) override {
        return hit(Call::Link) ? -1 : Real::link(from, to);
    }
    int unlink(const std::string& path) override {
        return hit(Call::Unlink) ? -1 : Real::unlink(path);
    }
    int syncFolder(const std::string& folder) override {
        return hit(Call::SyncFolder) ? -1 : Real::syncFolder(folder);
    }
    int listFolder(const std::string& folder, std::vector<std::string>& names) override {
        return hit(Call::ListFolder) ? -1 : Real::listFolder(folder, names);
    }

private:
    struct Rule {
        int remaining = 0;  // calls left up to and including the one it hits
        int errorNumber = 0;
        std::optional<std::size_t> shortWriteBytes;
    };

    std::optional<Rule>& rule(Call kind) { return rules_[static_cast<std::size_t>(kind)]; }
    // Counts the call and gives the rule that hits it, if any.
    std::optional<Rule> ruleFor(Call kind);
    // Counts the call; true, with errno set, when a rule makes it fail.
    bool hit(Call kind) { return fails(ruleFor(kind)); }
    // True, with errno set, when the rule makes the call fail.
    static bool fails(const std::optional<Rule>& rule);

    // Descriptors of files created or read beside a list.
    int side(int fd);

    std::set<int> side_;
    std::array<std::optional<Rule>, kKinds> rules_{};
    std::array<int, kKinds> calls_{};
};
