#include "FailingFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

std::size_t indexOf(FailingFileSystem::Call kind) {
    return static_cast<std::size_t>(kind);
}

}  // namespace

std::optional<FailingFileSystem::Rule> FailingFileSystem::ruleFor(Call kind) {
    ++calls_[indexOf(kind)];
    std::optional<Rule>& rule = rules_[indexOf(kind)];
    if (!rule) {
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

int FailingFileSystem::side(int fd) {
    if (fd >= 0) {
        side_.insert(fd);
    }
    return fd;
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
    return hit(side_.count(fd) ? Call::SideFlush : Call::Flush) ? -1 : real_.flush(fd);
}

int FailingFileSystem::close(int fd) {
    side_.erase(fd);
    return hit(Call::Close) ? -1 : real_.close(fd);
}
