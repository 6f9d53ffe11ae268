#pragma once
// The game folder: ini/ (master and working files) and save/ (save slots), kept by a storage: the
// disk as the programs use it, or memory for games played many at once (core/Storage.h). Every path of
// the game is built here, and nothing above knows which storage it runs on. Names are matched without
// regard to case: an existing file is found whatever its case, a new file gets the name as the game
// spells it.
//
// Text files are UTF-8; readers accept CR LF or LF and a leading byte-order mark, writers write what
// they are given (the game's writers end lines with CR LF). A file is only ever replaced whole, and the
// files of one step all together or not at all, also when the program dies half-way (see DiskStorage).
//
// Two things keep the many small reads and rewrites of a year cheap. A read is served from memory, its
// parsed forms included, while the storage says the file is still the version last seen. And a step
// that rewrites files many times can hold its writes back (DeferredWrites): reads see the held text, and
// the files are replaced together once when the step ends, or left untouched when it fails. A snapshot
// (a copy taken just before its source is rewritten) names its source, so that the disk can give it the
// same bytes under a second name instead of writing them again. Copies of a GameFolder share the
// storage, the cache and the held writes.

#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/FileError.h"
#include "core/Storage.h"

namespace tei {

inline constexpr const char* kCrLf = "\r\n";

class GameFolder {
public:
    // The game folder on the disk at root, every step flushed to the disk as the programs need it.
    explicit GameFolder(std::filesystem::path root = std::filesystem::current_path());
    // The game folder the storage keeps.
    explicit GameFolder(std::shared_ptr<Storage> storage);

    const std::filesystem::path& root() const { return storage_->root(); }

    // Paths of a file inside ini/ or save/, matched without regard to case.
    std::filesystem::path ini(std::string_view name) const;
    std::filesystem::path save(std::string_view name) const;

    // The file's name inside the game folder, for messages: "ini/busv.ini".
    std::string display(const std::filesystem::path& p) const { return storage_->display(p); }

    bool exists(const std::filesystem::path& p) const;
    // True when the game folder holds the folder "ini" or "save".
    bool hasFolder(std::string_view folder) const;
    // The names of the files in ini/ or save/, held ones included, in no particular order.
    std::vector<std::string> files(std::string_view folder) const;
    // When the file was last changed, in seconds since 1970; nothing when the file is missing or the
    // time is not known (a file in memory has none).
    std::optional<std::time_t> modifiedAt(const std::filesystem::path& p) const;

    // The longest file name the folder "ini" or "save" can take for a file this class writes there:
    // what the storage holds in a name, less what a temporary written beside it adds.
    size_t longestName(std::string_view folder) const;

    // Finishes or undoes a step of several files that a stopped run of the game left half done, so
    // that every file is whole: the programs call it when they start, before anything is read. A
    // message naming what is in the way when that cannot be done (the files are then left as they are).
    [[nodiscard]] std::optional<std::string> recover() const;

    // Whole text of a file with a leading BOM removed. Throws FileError when the file is missing, cannot
    // be read, or is not UTF-8 text (a NUL byte or an invalid sequence).
    std::string readText(const std::filesystem::path& p) const;

    // Replaces the file with the given bytes. With durable set the bytes are on the disk when it returns,
    // even on a storage that does not flush every write: used for save slots. Throws FileError on failure.
    void writeText(const std::filesystem::path& p, std::string_view content, bool durable = false) const;

    // Byte copy that replaces the target. Throws FileError naming the file that failed.
    void copyFile(const std::filesystem::path& from, const std::filesystem::path& to, bool durable = false) const;

    // copyFile for the snapshot taken just before 'from' is rewritten: while 'from' is unchanged the
    // snapshot may become a second name of its bytes (where the disk allows it), and the rewrite that
    // follows parts the two names. Returns the bytes.
    std::shared_ptr<const std::string> snapshotFile(const std::filesystem::path& from,
                                                    const std::filesystem::path& to) const;

    // Replaces several files as one step: all of them, or, when one cannot be written or replaced (or a
    // folder stands where a file should go), none, and FileError names the file that failed.
    void writeTogether(const std::vector<std::pair<std::filesystem::path, std::string>>& files,
                       bool durable = false) const;

    // The raw bytes of a file, unchecked. Throws FileError when missing or unreadable.
    std::string readBytes(const std::filesystem::path& p) const;

    // readText without a copy: the same text object as long as the file is unchanged.
    std::shared_ptr<const std::string> readShared(const std::filesystem::path& p) const;

    // The file's text as parse(text) makes it into a T, parsed once while the file is unchanged (the
    // text checked then). Throws FileError as readText does.
    template <class T, class Parse>
    std::shared_ptr<const T> readParsed(const std::filesystem::path& p, Parse&& parse) const {
        Contents& c = contentsOf(p);
        auto& slot = c.parsed[std::type_index(typeid(T))];
        if (!slot) slot = std::make_shared<const T>(parse(std::string_view(*textOf(c, p))));
        return std::static_pointer_cast<const T>(slot);
    }

    // writeText, and the text's parsed form as readParsed<T> would make it from those bytes: the writer
    // that built both saves the next reader a parse. The caller answers for the two agreeing.
    template <class T>
    void writeParsed(const std::filesystem::path& p, std::string_view content, std::shared_ptr<const T> parsed) const {
        writeText(p, content);
        if (Contents* c = knownContents(p); c && *c->bytes == content)
            c->parsed[std::type_index(typeid(T))] = std::move(parsed);
    }

    // Holds back the folder's writes while it lives (durable writes go through at once). commit()
    // writes the held files together (as writeTogether does); without it nothing is written. Nested
    // holds write when the outermost one commits.
    class DeferredWrites {
    public:
        explicit DeferredWrites(const GameFolder& folder);
        ~DeferredWrites();
        DeferredWrites(const DeferredWrites&) = delete;
        DeferredWrites& operator=(const DeferredWrites&) = delete;
        void commit();

    private:
        const GameFolder& folder_;
        bool done_ = false;
    };

private:
    // What is known of a file's bytes: the bytes, the text once checked, and its parsed forms.
    struct Contents {
        std::shared_ptr<const std::string> bytes;
        std::shared_ptr<const std::string> text;
        std::map<std::type_index, std::shared_ptr<const void>> parsed;
        FileVersion version;           // cached: the version the bytes are; a held copy: its source's
        std::filesystem::path copyOf;  // a held copy's source
    };
    // By the path's text: paths are built in one place, so one file has one text.
    struct Shared {
        std::unordered_map<std::string, Contents> cache;  // as last read or written
        std::unordered_map<std::string, Contents> held;
        std::vector<std::filesystem::path> heldOrder;  // the held files, in the order first written
        int holdDepth = 0;
        std::unordered_map<std::string, std::filesystem::path> found;  // "ini/name" as asked -> its path
    };

    std::filesystem::path resolve(std::string_view folder, std::string_view name) const;
    // The held or cached contents of a file, read anew when it changed. Throws FileError.
    Contents& contentsOf(const std::filesystem::path& p) const;
    std::shared_ptr<const std::string> textOf(Contents& c, const std::filesystem::path& p) const;
    // The held or cached contents of a file as last written or read, without asking the storage.
    Contents* knownContents(const std::filesystem::path& p) const;
    // The file of p's name in another case, p when there is none.
    std::filesystem::path findOther(const std::filesystem::path& p) const;
    // Holds the contents as what p will be written with when the hold commits.
    void hold(const std::filesystem::path& p, Contents contents) const;
    // Replaces the files as one step and keeps what was written as their cached contents.
    void replace(std::vector<std::pair<std::filesystem::path, Contents>> files, bool durable) const;

    std::shared_ptr<Storage> storage_;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

// The file 'name' in the folder 'dir', matched without regard to case; dir / name when there is none.
std::filesystem::path findFile(const std::filesystem::path& dir, std::string_view name);

// True when the bytes are valid UTF-8 without NUL bytes.
bool isUtf8Text(std::string_view bytes);

}  // namespace tei
