#include "PowerCutFileSystem.h"

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

PowerCutFileSystem::PowerCutFileSystem(unsigned seed) : random_(seed) {
    startCopy();
}

void PowerCutFileSystem::put(const std::string& path, const QByteArray& bytes, uid_t owner,
                             gid_t group, mode_t mode, int openError) {
    names_[path] = durableNames_[path] =
        std::make_shared<Inode>(Inode{bytes, bytes, owner, group, mode, nextInode_++, openError});
}

std::optional<QByteArray> PowerCutFileSystem::contents(const std::string& path) const {
    const auto found = names_.find(path);
    return found == names_.end() ? std::nullopt : std::optional<QByteArray>(found->second->data);
}

pid_t PowerCutFileSystem::startCopy(int pidNamespace, pid_t pid) {
    current_ = pid != 0 ? pid : ++nextPid_;
    namespace_ = pidNamespace;
    copies_[current_] = {pidNamespace, ++clock_};
    return current_;
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
    if (how_ == Cut::Kill) {
        return inode.data;
    }
    if (how_ == Cut::Power) {
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
        // What is left when the program stopped: names as last synced, but
        // for a kill, which leaves everything as the program made it.
        const Names& left = how_ == Cut::Kill ? names_ : durableNames_;
        std::map<const Inode*, std::shared_ptr<Inode>> survivors;
        Names restarted;
        for (const auto& [path, inode] : left) {
            auto& survivor = survivors[inode.get()];
            if (!survivor) {
                survivor = std::make_shared<Inode>(*inode);
                survivor->data = survivor->durable = afterTheCut(*inode);
            }
            restarted[path] = survivor;
        }
        names_ = durableNames_ = restarted;
    }
    descriptors_.clear();
    copies_.erase(current_);
    if (!off_ || how_ != Cut::Kill) {
        ++boot_;
        copies_.clear();
    }
    off_ = false;
    cutAt_ = 0;
    startCopy(namespace_);
}

int PowerCutFileSystem::newDescriptor(std::shared_ptr<Inode> inode) {
    descriptors_[nextDescriptor_] = std::move(inode);
    return nextDescriptor_++;
}

int PowerCutFileSystem::open(const std::string& path, mode_t access) {
    const auto found = names_.find(path);
    if (found == names_.end()) {
        return fail(ENOENT);
    }
    const Inode& inode = *found->second;
    const int shift = inode.owner == user_ ? 6 : inode.group == group_ ? 3 : 0;
    if (inode.openError != 0 || ((inode.mode >> shift) & access) != access) {
        return fail(inode.openError != 0 ? inode.openError : EACCES);
    }
    return newDescriptor(found->second);
}

int PowerCutFileSystem::openReadWrite(const std::string& path) {
    return names_.count(path) == 0 ? createExclusive(path, 0660) : open(path, 06);
}

int PowerCutFileSystem::createExclusive(const std::string& path, mode_t mode) {
    if (names_.count(path) != 0) {
        return fail(EEXIST);
    }
    int fd = -1;
    change([&] {
        names_[path] = std::make_shared<Inode>(Inode{{}, {}, user_, group_, mode, nextInode_++, 0});
        fd = newDescriptor(names_[path]);
    });
    return fd;
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

FileIdentity PowerCutFileSystem::identityOf(const Inode& inode) const {
    return FileIdentity{1, inode.number, inode.owner, inode.group, inode.mode, true};
}

int PowerCutFileSystem::identify(int fd, FileIdentity& identity) {
    identity = identityOf(file(fd));
    return 0;
}

int PowerCutFileSystem::identifyPath(const std::string& path, FileIdentity& identity) {
    const auto found = names_.find(path);
    if (found == names_.end()) {
        return fail(ENOENT);
    }
    identity = identityOf(*found->second);
    return 0;
}

int PowerCutFileSystem::mayRemove(const std::string& path) const {
    const auto found = names_.find(path);
    if (found == names_.end()) {
        return fail(ENOENT);
    }
    return sticky_.count(folderOf(path)) != 0 && found->second->owner != user_ ? fail(EPERM) : 0;
}

int PowerCutFileSystem::rename(const std::string& from, const std::string& to) {
    return mayRemove(from) != 0 ? -1 : change([&] {
        names_[to] = names_.at(from);
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
    return mayRemove(path) != 0 ? -1 : change([&] { names_.erase(path); });
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

std::uint64_t PowerCutFileSystem::processStart(pid_t pid) {
    const auto found = copies_.find(pid);
    const bool seen = found != copies_.end() && !processGone(pid) && (!hidden_ || pid == current_);
    return seen ? found->second.second : 0;
}

bool PowerCutFileSystem::processGone(pid_t pid) {
    const auto found = copies_.find(pid);
    return found == copies_.end() || found->second.first != namespace_;
}
