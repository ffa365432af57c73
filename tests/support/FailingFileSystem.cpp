#include "FailingFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <utility>

std::optional<FailingFileSystem::Rule> FailingFileSystem::ruleFor(Call kind) {
    ++calls_[static_cast<std::size_t>(kind)];
    std::optional<Rule>& hitting = rule(kind);
    return hitting && --hitting->remaining <= 0 ? std::exchange(hitting, std::nullopt)
                                                : std::nullopt;
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
    return Real::writeAt(fd, buffer, written, offset);
}

int FailingFileSystem::flush(int fd) {
    return hit(side_.count(fd) ? Call::SideFlush : Call::Flush) ? -1 : Real::flush(fd);
}

// As on Linux, a close that fails still frees the descriptor.
int FailingFileSystem::close(int fd) {
    side_.erase(fd);
    return std::min(Real::close(fd), hit(Call::Close) ? -1 : 0);
}
