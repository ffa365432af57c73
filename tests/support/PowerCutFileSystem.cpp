#include "PowerCutFileSystem.h"

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr qsizetype kSector = 512;

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

int fail(int error) {
    errno = error;
    return -1;
}

}  // namespace

PowerCutFileSystem::PowerCutFileSystem(unsigned seed) : random_(seed) {}

void PowerCutFileSystem::put(const std::string& path, const QByteArray& bytes) {
    auto inode = std::make_shared<Inode>(Inode{bytes, bytes, 0660, nextInode_++});
    names_[path] = inode;
    durableNames_[path] = inode;
}

std::optional<QByteArray> PowerCutFileSystem::contents(const std::string& path) const {
    const auto found = names_.find(path);
    return found == names_.end() ? std::nullopt : std::optional<QByteArray>(found->second->data);
}

void PowerCutFileSystem::cutAfter(int nth, bool tornSectors) {
    cutAt_ = changes_ + nth;
    torn_ = tornSectors;
}

int PowerCutFileSystem::change(const std::function<void()>& make) {
    off_ = off_ || (cutAt_ > 0 && changes_ + 1 >= cutAt_);
    if (off_) {
        return fail(EIO);
    }
    ++changes_;
    make();
    return 0;
}

QByteArray PowerCutFileSystem::afterTheCut(const Inode& inode) {
    if (!torn_) {
        return inode.durable;
    }
    // Each sector of the unflushed bytes reached the disk or did not, and so
    // did the new length.
    const QByteArray& before = inode.durable;
    const QByteArray& after = inode.data;
    QByteArray disk = random_() % 2 ? after : before;
    for (qsizetype at = 0; at < disk.size(); at += kSector) {
        const QByteArray& source = random_() % 2 ? after : before;
        const QByteArray sector = source.mid(at, kSector);
        disk.replace(at, sector.size(), sector);
    }
    return disk;
}

void PowerCutFileSystem::restart() {
    if (off_) {
        // What the disk held when the power went, names as last synced.
        std::map<const Inode*, std::shared_ptr<Inode>> survivors;
        names_.clear();
        for (const auto& [path, inode] : durableNames_) {
            auto& survivor = survivors[inode.get()];
            if (!survivor) {
                survivor = std::make_shared<Inode>(*inode);
                survivor->data = survivor->durable = afterTheCut(*inode);
            }
            names_[path] = survivor;
        }
        durableNames_ = names_;
    }
    descriptors_.clear();
    off_ = false;
    cutAt_ = 0;
    ++boot_;
}

int PowerCutFileSystem::newDescriptor(std::shared_ptr<Inode> inode) {
    descriptors_[nextDescriptor_] = std::move(inode);
    return nextDescriptor_++;
}

int PowerCutFileSystem::openReadWrite(const std::string& path) {
    const auto found = names_.find(path);
    return found == names_.end() ? createExclusive(path, 0660) : newDescriptor(found->second);
}

int PowerCutFileSystem::createExclusive(const std::string& path, mode_t mode) {
    if (names_.count(path) != 0) {
        return fail(EEXIST);
    }
    int fd = -1;
    change([&] {
        names_[path] = std::make_shared<Inode>(Inode{{}, {}, mode, nextInode_++});
        fd = newDescriptor(names_[path]);
    });
    return fd;
}

int PowerCutFileSystem::openForReading(const std::string& path) {
    const auto found = names_.find(path);
    return found == names_.end() ? fail(ENOENT) : newDescriptor(found->second);
}

ssize_t PowerCutFileSystem::readAt(int fd, void* buffer, size_t count, off_t offset) {
    const QByteArray bytes = file(fd).data.mid(offset, static_cast<qsizetype>(count));
    std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
    return bytes.size();
}

ssize_t PowerCutFileSystem::writeAt(int fd, const void* buffer, size_t count, off_t offset) {
    const auto length = static_cast<qsizetype>(count);
    QByteArray& data = file(fd).data;
    const int made = change([&] {
        data.resize(std::max(data.size(), offset + length), '\0');
        data.replace(offset, length, static_cast<const char*>(buffer), length);
    });
    return made == 0 ? length : -1;
}

int PowerCutFileSystem::flush(int fd) {
    return change([&] { file(fd).durable = file(fd).data; });
}

int PowerCutFileSystem::truncate(int fd, off_t length) {
    return change([&] { file(fd).data.resize(length, '\0'); });
}

int PowerCutFileSystem::identify(int fd, FileIdentity& identity) {
    identity = FileIdentity{1, file(fd).number, ::geteuid(), file(fd).mode, true};
    return 0;
}

int PowerCutFileSystem::changeMode(int fd, mode_t mode) {
    return change([&] { file(fd).mode = mode; });
}

int PowerCutFileSystem::identifyPath(const std::string& path, FileIdentity& identity) {
    const auto found = names_.find(path);
    if (found == names_.end()) {
        return fail(ENOENT);
    }
    identity = FileIdentity{1, found->second->number, ::geteuid(), found->second->mode, true};
    return 0;
}

int PowerCutFileSystem::rename(const std::string& from, const std::string& to) {
    const auto found = names_.find(from);
    if (found == names_.end()) {
        return fail(ENOENT);
    }
    return change([&] {
        names_[to] = found->second;
        names_.erase(from);
    });
}

int PowerCutFileSystem::link(const std::string& from, const std::string& to) {
    const auto found = names_.find(from);
    if (found == names_.end() || names_.count(to) != 0) {
        return fail(found == names_.end() ? ENOENT : EEXIST);
    }
    return change([&] { names_[to] = found->second; });
}

int PowerCutFileSystem::unlink(const std::string& path) {
    return names_.count(path) == 0 ? fail(ENOENT) : change([&] { names_.erase(path); });
}

int PowerCutFileSystem::syncFolder(const std::string& folder) {
    return change([&] {
        std::erase_if(durableNames_,
                      [&](const auto& entry) { return folderOf(entry.first) == folder; });
        for (const auto& [path, inode] : names_) {
            if (folderOf(path) == folder) {
                durableNames_[path] = inode;
            }
        }
    });
}

int PowerCutFileSystem::listFolder(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    for (const auto& [path, inode] : names_) {
        if (folderOf(path) == folder) {
            names.push_back(path.substr(folder.size() + 1));
        }
    }
    return 0;
}
