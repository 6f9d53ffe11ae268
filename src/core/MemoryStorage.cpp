#include "core/MemoryStorage.h"

#include "core/DiskStorage.h"

namespace tei {

namespace fs = std::filesystem;

MemoryStorage::MemoryStorage(fs::path root) : Storage(std::move(root)) {
    folders_.insert(this->root().native());
    folders_.insert((this->root() / "ini").native());
    folders_.insert((this->root() / "save").native());
}

MemoryStorage MemoryStorage::readFrom(const fs::path& root) {
    MemoryStorage memory(root);
    DiskStorage disk(root);
    for (const char* folder : {"ini", "save"}) {
        fs::path dir = root / folder;
        for (const std::string& name : disk.list(dir)) memory.put(dir / name, disk.read(dir / name).bytes);
    }
    return memory;
}

Storage::Probe MemoryStorage::probe(const fs::path& p) const {
    if (auto f = files_.find(p.native()); f != files_.end())
        return {Kind::File, {static_cast<long long>(f->second.bytes->size()), 0, f->second.serial}};
    return {folders_.count(p.native()) ? Kind::Other : Kind::Missing, {}};
}

Storage::Bytes MemoryStorage::read(const fs::path& p) const {
    auto f = files_.find(p.native());
    if (f == files_.end())
        throw FileError(folders_.count(p.native()) ? FileError::Kind::Unreadable : FileError::Kind::Missing,
                        display(p));
    return {f->second.bytes, {static_cast<long long>(f->second.bytes->size()), 0, f->second.serial}};
}

std::vector<std::string> MemoryStorage::list(const fs::path& dir) const {
    std::vector<std::string> names;
    for (const auto& [path, file] : files_) {
        fs::path p(path);
        if (p.parent_path() == dir) names.push_back(p.filename().string());
    }
    return names;
}

bool MemoryStorage::isFolder(const fs::path& dir) const { return folders_.count(dir.native()) > 0; }

// As long as on a common disk, so that a game names the same files in memory as there.
size_t MemoryStorage::longestName(const fs::path&) const { return 255; }

void MemoryStorage::replace(const std::vector<Replacement>& files, bool) {
    // A file cannot stand where a folder is: refused before anything changes.
    for (const Replacement& f : files)
        if (folders_.count(f.target.native())) throw FileError(FileError::Kind::Unwritable, display(f.target));
    for (const Replacement& f : files) put(f.target, f.bytes);
}

void MemoryStorage::put(const fs::path& p, std::shared_ptr<const std::string> bytes) {
    for (fs::path dir = p.parent_path(); !dir.empty() && dir != dir.parent_path(); dir = dir.parent_path())
        if (!folders_.insert(dir.native()).second) break;
    files_[p.native()] = File{std::move(bytes), nextSerial_++};
}

}  // namespace tei
