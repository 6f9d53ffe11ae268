#include "core/DiskStorage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace tei {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryPrefix = ".tmp-";

FileVersion versionOf(const struct stat& st) {
    long long mtime = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return {static_cast<long long>(st.st_size), mtime, static_cast<unsigned long long>(st.st_ino)};
}

// A name no other temporary has: the prefix, this process's number, a counter and the tail.
std::string uniqueName(std::string_view prefix, std::string_view tail) {
    static std::atomic<unsigned long> counter{0};
    return std::string(prefix) + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" + std::string(tail);
}

// Removes a file; true when it is gone.
bool removeFile(const fs::path& p) { return ::unlink(p.c_str()) == 0 || errno == ENOENT; }

bool writeAll(int fd, std::string_view s) {
    while (!s.empty()) {
        ssize_t n = ::write(fd, s.data(), s.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        s.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

// One file of a step: its target, its temporary and the old file's second name.
struct DiskStorage::Target {
    fs::path target;
    fs::path temporary;
    fs::path old;          // empty when there is none
    bool existed = false;  // the target was there before the step
};

DiskStorage::DiskStorage(fs::path root) : Storage(std::move(root)) {}

// Reading

Storage::Probe DiskStorage::probe(const fs::path& p) const {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0)
        return {errno == ENOENT || errno == ENOTDIR ? Kind::Missing : Kind::Unreadable, {}};
    if (!S_ISREG(st.st_mode)) return {Kind::Other, {}};
    return {Kind::File, versionOf(st)};
}

Storage::Bytes DiskStorage::read(const fs::path& p) const {
    int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw FileError(errno == ENOENT || errno == ENOTDIR ? FileError::Kind::Missing : FileError::Kind::Unreadable,
                        display(p));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FileError(FileError::Kind::Unreadable, display(p));
    }
    std::string bytes;
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    bool ok = true;
    for (;;) {
        if (got == bytes.size()) bytes.resize(bytes.size() + 4096);  // the file grew meanwhile
        ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (!ok) throw FileError(FileError::Kind::Unreadable, display(p));
    bytes.resize(got);
    // A file that changed while it was read is not taken for the version it had when it was opened.
    FileVersion version = got == static_cast<size_t>(st.st_size) ? versionOf(st) : FileVersion{};
    return {std::make_shared<const std::string>(std::move(bytes)), version};
}

std::vector<std::string> DiskStorage::list(const fs::path& dir) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.starts_with(kTemporaryPrefix)) continue;
        if (it->is_regular_file(ec)) names.push_back(std::move(name));
    }
    return names;
}

bool DiskStorage::isFolder(const fs::path& dir) const {
    std::error_code ec;
    return fs::is_directory(dir, ec);
}

// Writing

fs::path DiskStorage::writeTemporary(const Replacement& file, bool durable) const {
    const fs::path& p = file.target;
    fs::path tmp = p.parent_path() / uniqueName(kTemporaryPrefix, p.filename().string());
    if (!file.copyOf.empty() && !durable) {
        struct stat st {};
        struct stat target {};
        // A rename between two names of one file does nothing, so a target that already is a second
        // name of the source gets its bytes written instead.
        if (::stat(file.copyOf.c_str(), &st) == 0 && S_ISREG(st.st_mode) && versionOf(st) == file.copyVersion &&
            !(::stat(p.c_str(), &target) == 0 && target.st_ino == st.st_ino && target.st_dev == st.st_dev) &&
            ::link(file.copyOf.c_str(), tmp.c_str()) == 0)
            return tmp;
        // Changed meanwhile, or a disk without second names: write the bytes.
    }
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 && errno == ENOENT) {  // the folder is not there yet
        std::error_code ec;
        fs::create_directories(p.parent_path(), ec);
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    }
    if (fd < 0) throw FileError(FileError::Kind::Unwritable, display(p));
    bool ok = writeAll(fd, *file.bytes);
    if (ok && durable && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        removeFile(tmp);
        throw FileError(FileError::Kind::Unwritable, display(p));
    }
    return tmp;
}

void DiskStorage::replace(const std::vector<Replacement>& files, bool durable) {
    // A rename cannot put a file where a folder stands: find that before anything is written.
    std::vector<Target> targets(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        targets[i].target = files[i].target;
        struct stat st {};
        if (::stat(files[i].target.c_str(), &st) == 0) {
            if (!S_ISREG(st.st_mode)) throw FileError(FileError::Kind::Unwritable, display(files[i].target));
            targets[i].existed = true;
        }
    }
    // Every temporary is there before the first rename, so a copy's source is still the old file.
    size_t written = 0;
    try {
        for (; written < files.size(); ++written) targets[written].temporary = writeTemporary(files[written], durable);
    } catch (const FileError&) {
        for (size_t i = 0; i < written; ++i) removeFile(targets[i].temporary);
        throw;
    }
    replaceSeveral(targets);
}

void DiskStorage::replaceSeveral(std::vector<Target>& targets) {
    // In a step of several files each old file gets a second name first, so that a rename failing
    // part-way (a file that cannot be replaced) can put back the files already replaced. A disk
    // without second names goes without.
    if (targets.size() > 1)
        for (Target& t : targets) {
            fs::path old = t.temporary.native() + ".old";
            if (t.existed && ::link(t.target.c_str(), old.c_str()) == 0) t.old = std::move(old);
        }
    auto removeOlds = [&] {
        for (const Target& t : targets)
            if (!t.old.empty()) removeFile(t.old);
    };
    for (size_t i = 0; i < targets.size(); ++i) {
        if (std::rename(targets[i].temporary.c_str(), targets[i].target.c_str()) == 0) continue;
        for (size_t j = i; j < targets.size(); ++j) removeFile(targets[j].temporary);
        for (size_t j = 0; j < i; ++j) {
            if (!targets[j].existed)
                removeFile(targets[j].target);
            else if (!targets[j].old.empty() && std::rename(targets[j].old.c_str(), targets[j].target.c_str()) == 0)
                targets[j].old.clear();
        }
        removeOlds();
        throw FileError(FileError::Kind::Unwritable, display(targets[i].target));
    }
    removeOlds();
}

}  // namespace tei
