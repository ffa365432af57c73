#include "FailingFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

std::size_t indexOf(FailingFileSystem::Call kind) {
    return static_cast<std::size_t>(kind);
}

}  // namespace

void FailingFileSystem::failOn(Call kind, int nth, int errorNumber) {
    rules_[indexOf(kind)] = Rule{false, nth, errorNumber, std::nullopt};
}

void FailingFileSystem::failAlways(Call kind, int errorNumber) {
    rules_[indexOf(kind)] = Rule{true, 0, errorNumber, std::nullopt};
}

void FailingFileSystem::shortWriteOn(int nth, std::size_t bytes) {
    rules_[indexOf(Call::Write)] = Rule{false, nth, 0, bytes};
}

void FailingFileSystem::clearFailures() {
    rules_ = {};
}

int FailingFileSystem::calls(Call kind) const {
    return calls_[indexOf(kind)];
}

std::optional<FailingFileSystem::Rule> FailingFileSystem::ruleFor(Call kind) {
    ++calls_[indexOf(kind)];
    std::optional<Rule>& rule = rules_[indexOf(kind)];
    if (!rule || rule->always) {
        return rule;
    }
    if (--rule->remaining > 0) {
        return std::nullopt;
    }
    return std::exchange(rule, std::nullopt);
}

bool FailingFileSystem::fails(const std::optional<Rule>& rule) {
    if (!rule || rule->shortWriteBytes) {
        return false;
    }
    errno = rule->errorNumber;
    return true;
}

int FailingFileSystem::openReadWrite(const std::string& path) {
    return fails(ruleFor(Call::Open)) ? -1 : real_.openReadWrite(path);
}

int FailingFileSystem::side(int fd) {
    if (fd >= 0) {
        side_.insert(fd);
    }
    return fd;
}

int FailingFileSystem::createExclusive(const std::string& path, mode_t mode) {
    return fails(ruleFor(Call::Create)) ? -1 : side(real_.createExclusive(path, mode));
}

int FailingFileSystem::openForReading(const std::string& path) {
    return fails(ruleFor(Call::OpenForReading)) ? -1 : side(real_.openForReading(path));
}

ssize_t FailingFileSystem::readAt(int fd, void* buffer, size_t count, off_t offset) {
    return fails(ruleFor(Call::Read)) ? -1 : real_.readAt(fd, buffer, count, offset);
}

ssize_t FailingFileSystem::writeAt(int fd, const void* buffer, size_t count, off_t offset) {
    const std::optional<Rule> rule = ruleFor(side_.count(fd) ? Call::SideWrite : Call::Write);
    if (fails(rule)) {
        return -1;
    }
    const size_t written = rule ? std::min(count, *rule->shortWriteBytes) : count;
    return real_.writeAt(fd, buffer, written, offset);
}

int FailingFileSystem::flush(int fd) {
    return fails(ruleFor(side_.count(fd) ? Call::SideFlush : Call::Flush)) ? -1 : real_.flush(fd);
}

int FailingFileSystem::truncate(int fd, off_t length) {
    return fails(ruleFor(Call::Truncate)) ? -1 : real_.truncate(fd, length);
}

off_t FailingFileSystem::size(int fd) {
    return fails(ruleFor(Call::Size)) ? -1 : real_.size(fd);
}

int FailingFileSystem::identify(int fd, FileIdentity& identity) {
    return fails(ruleFor(Call::Identify)) ? -1 : real_.identify(fd, identity);
}

int FailingFileSystem::changeMode(int fd, mode_t mode) {
    return fails(ruleFor(Call::ChangeMode)) ? -1 : real_.changeMode(fd, mode);
}

int FailingFileSystem::close(int fd) {
    side_.erase(fd);
    return fails(ruleFor(Call::Close)) ? -1 : real_.close(fd);
}

int FailingFileSystem::identifyPath(const std::string& path, FileIdentity& identity) {
    return fails(ruleFor(Call::IdentifyPath)) ? -1 : real_.identifyPath(path, identity);
}

std::string FailingFileSystem::canonicalPath(const std::string& path) {
    return fails(ruleFor(Call::Canonical)) ? std::string() : real_.canonicalPath(path);
}

int FailingFileSystem::rename(const std::string& from, const std::string& to) {
    return fails(ruleFor(Call::Rename)) ? -1 : real_.rename(from, to);
}

int FailingFileSystem::link(const std::string& from, const std::string& to) {
    return fails(ruleFor(Call::Link)) ? -1 : real_.link(from, to);
}

int FailingFileSystem::unlink(const std::string& path) {
    return fails(ruleFor(Call::Unlink)) ? -1 : real_.unlink(path);
}

int FailingFileSystem::syncFolder(const std::string& folder) {
    return fails(ruleFor(Call::SyncFolder)) ? -1 : real_.syncFolder(folder);
}

int FailingFileSystem::listFolder(const std::string& folder, std::vector<std::string>& names) {
    return fails(ruleFor(Call::ListFolder)) ? -1 : real_.listFolder(folder, names);
}
