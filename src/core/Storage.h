#pragma once
// Where the files of a game folder are kept: on the disk (DiskStorage) or in memory (MemoryStorage,
// for playing many games at once). A storage keeps bytes under full paths beneath its root and
// replaces files only whole: one file, or several as one step that happens entirely or not at all.
// Names, their case, text checks, caching and held writes are the game folder's (GameFolder), which
// works the same on either storage; nothing above it knows which one it runs on.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/FileError.h"

namespace tei {

// Which bytes a file holds; it changes whenever the file is replaced. A size of -1 means unknown.
struct FileVersion {
    long long size = -1;
    long long stamp = 0;        // the disk's modification time in nanoseconds; 0 in memory
    unsigned long long id = 0;  // the disk's inode; a serial number in memory
    bool known() const { return size >= 0; }
    bool operator==(const FileVersion&) const = default;
};

// One file of a replace. A copy of another file may name its source and the version its bytes were
// read from: while the source is still that version, a disk may give the copy the same bytes under a
// second name instead of writing them again.
struct Replacement {
    std::filesystem::path target;
    std::shared_ptr<const std::string> bytes;
    std::filesystem::path copyOf;  // empty when not a copy
    FileVersion copyVersion;
};

class Storage {
public:
    explicit Storage(std::filesystem::path root) : root_(std::move(root)) {}
    virtual ~Storage() = default;

    const std::filesystem::path& root() const { return root_; }
    // The file's name inside the root for messages ("ini/busv.ini"); the path itself outside it.
    std::string display(const std::filesystem::path& p) const {
        std::filesystem::path rel = p.lexically_relative(root_);
        return rel.empty() || rel.native().starts_with("..") ? p.string() : rel.generic_string();
    }

    enum class Kind { Missing, File, Other, Unreadable };
    struct Probe {
        Kind kind = Kind::Missing;
        FileVersion version;  // for a File
    };
    // What stands at p: nothing, a file of some version, something else (a folder).
    virtual Probe probe(const std::filesystem::path& p) const = 0;

    struct Bytes {
        std::shared_ptr<const std::string> bytes;
        FileVersion version;  // unknown when the file changed while it was read
    };
    // The bytes of the file at p. Throws FileError (Missing, Unreadable).
    virtual Bytes read(const std::filesystem::path& p) const = 0;

    // Names of the files in the folder dir, in no particular order (none when there is no folder).
    virtual std::vector<std::string> list(const std::filesystem::path& dir) const = 0;
    virtual bool isFolder(const std::filesystem::path& dir) const = 0;
    // The longest name a file replaced in the folder dir may have: what the storage holds in a name,
    // less what it adds for the files it writes beside it while replacing.
    virtual size_t longestName(const std::filesystem::path& dir) const = 0;

    // Replaces the files as one step: afterwards every target holds its new bytes, or, when this throws
    // FileError naming the file that failed, every target holds what it held before. With durable set
    // the new bytes are on the disk when the call returns. A missing folder of a target is made.
    virtual void replace(const std::vector<Replacement>& files, bool durable) = 0;

    // Finishes or undoes a step that a run of the game stopped in the middle of (the process was killed
    // or the power failed), so that every file is whole again: called when a program starts, before
    // anything is read. A message naming what is in the way when that cannot be done; the files are
    // then left as they are.
    [[nodiscard]] virtual std::optional<std::string> recover() = 0;

private:
    std::filesystem::path root_;
};

}  // namespace tei
