#pragma once
// The game folder: the current directory of the game, holding ini/ (master and working files) and
// save/ (save slots). Every path of the game is built here. Names are matched without regard to case:
// an existing file is found whatever its case, a new file gets the name as the game spells it.
//
// Text files are UTF-8; readers accept CR LF or LF and a leading byte-order mark, writers write what
// they are given (the game's writers end lines with CR LF). A file is never rewritten in place: the new
// text goes to a temporary file in the same folder that is then renamed over the old one, so a failed
// write leaves the previous file whole.
//
// Three things keep the many small reads and rewrites of a year cheap. A read is served from memory
// while the file's size and modification time are those last seen. A step that rewrites one file
// many times can hold its writes back (DeferredWrites): reads see the held text, and the files are
// written once when the step ends, or left untouched when it fails. And the snapshot of a file taken
// just before it is rewritten becomes a second name of the same bytes where the disk allows it,
// instead of a second writing of them; since no file is ever rewritten in place, the two names part
// when the file is replaced. Copies of a GameFolder share all three.

#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <utility>
#include <vector>

#include "core/FileError.h"

namespace tei {

inline constexpr const char* kCrLf = "\r\n";

class GameFolder {
public:
    explicit GameFolder(std::filesystem::path root = std::filesystem::current_path());

    const std::filesystem::path& root() const { return root_; }

    // Paths of a file inside ini/ or save/, matched without regard to case.
    std::filesystem::path ini(std::string_view name) const;
    std::filesystem::path save(std::string_view name) const;

    // The file's name inside the game folder, for messages: "ini/busv.ini".
    std::string display(const std::filesystem::path& p) const;

    bool exists(const std::filesystem::path& p) const;
    // The names of the files in ini/ or save/, held ones included, in no particular order.
    std::vector<std::string> files(std::string_view folder) const;
    // When the file was last changed, in seconds since 1970; nothing when the file is missing or the
    // time is not known.
    std::optional<std::time_t> modifiedAt(const std::filesystem::path& p) const;

    // Whole text of a file with a leading BOM removed. Throws FileError when the file is missing, cannot
    // be read, or is not UTF-8 text (a NUL byte or an invalid sequence).
    std::string readText(const std::filesystem::path& p) const;

    // Replaces the file with the given bytes (temporary file and rename). With durable set the data is
    // flushed to the disk before the rename: used for save slots. Throws FileError on failure.
    void writeText(const std::filesystem::path& p, std::string_view content, bool durable = false) const;

    // Byte copy that replaces the target. Throws FileError naming the file that failed.
    void copyFile(const std::filesystem::path& from, const std::filesystem::path& to, bool durable = false) const;

    // copyFile for the snapshot taken just before 'from' is rewritten: while 'from' is unchanged on the
    // disk the snapshot becomes a second name of its bytes (where the disk allows it), and the rewrite
    // that follows parts the two names. Returns the bytes.
    std::shared_ptr<const std::string> snapshotFile(const std::filesystem::path& from,
                                                    const std::filesystem::path& to) const;

    // Replaces several files as one step: every new text is written to a temporary file beside its
    // target first, and the targets are renamed over only when all temporaries were written. When one
    // cannot be written (or a folder stands where a file should go) the temporaries are removed, every
    // target keeps its old bytes, and FileError names the file that failed. A target that cannot be
    // replaced once the renames have begun puts back the files already replaced (where the disk
    // allows a file a second name, which keeps the old bytes until the step is over).
    void writeTogether(const std::vector<std::pair<std::filesystem::path, std::string>>& files,
                       bool durable = false) const;

    // The raw bytes of a file, unchecked. Throws FileError when missing or unreadable.
    std::string readBytes(const std::filesystem::path& p) const;

    // readText without a copy: the same text object as long as the file is unchanged.
    std::shared_ptr<const std::string> readShared(const std::filesystem::path& p) const;

    // The file's text as parse(text) makes it into a T, parsed once while the file is unchanged.
    // Throws FileError as readText does.
    template <class T, class Parse>
    std::shared_ptr<const T> readParsed(const std::filesystem::path& p, Parse&& parse) const {
        Contents& c = contentsOf(p);
        std::shared_ptr<const std::string> text = textOf(c, p);
        auto& slot = c.parsed[std::type_index(typeid(T))];
        if (!slot) slot = std::make_shared<const T>(parse(std::string_view(*text)));
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
    // A version of a file on the disk, as stat tells it.
    struct Version {
        long long size = -1;
        long long mtime = 0;
        unsigned long long inode = 0;
        bool operator==(const Version&) const = default;
    };
    // A held copy's source: the file whose version on the disk holds the copy's bytes.
    struct CopySource {
        std::filesystem::path path;
        Version version;
    };
    // What is known of a file's bytes: the bytes, the text once checked, and its parsed forms.
    struct Contents {
        std::shared_ptr<const std::string> bytes;
        std::shared_ptr<const std::string> text;
        std::map<std::type_index, std::shared_ptr<const void>> parsed;
        std::shared_ptr<const CopySource> copyOf;  // held copies only
    };
    struct CachedFile {
        Contents contents;
        Version version;
    };
    // One file of a write of several together.
    struct Pending {
        std::filesystem::path target;
        std::shared_ptr<const std::string> bytes;
        std::shared_ptr<const CopySource> copyOf;
    };
    struct Shared {
        std::map<std::filesystem::path, CachedFile> cache;
        std::map<std::filesystem::path, Contents> held;
        std::vector<std::filesystem::path> heldOrder;
        int holdDepth = 0;
    };

    std::filesystem::path resolve(std::string_view folder, std::string_view name) const;
    // The held or cached contents of a file, read anew when it changed. Throws FileError.
    Contents& contentsOf(const std::filesystem::path& p) const;
    std::shared_ptr<const std::string> textOf(Contents& c, const std::filesystem::path& p) const;
    // The held or cached contents of a file as last written or read, without touching the disk.
    Contents* knownContents(const std::filesystem::path& p) const;
    // Holds the contents as what p will be written with when the hold commits.
    void hold(const std::filesystem::path& p, Contents contents) const;
    // Keeps what was just written to p as the cached contents of its new version.
    void remember(const std::filesystem::path& p, Contents contents) const;
    void writeNow(const std::filesystem::path& p, std::string_view content, bool durable,
                  const CopySource* copyOf = nullptr) const;
    void writeBatch(const std::vector<Pending>& files, bool durable) const;
    // Writes a temporary file beside p and returns its path; throws FileError naming p. A non-durable
    // copy whose source is still the version it was read from is linked to the source instead.
    std::filesystem::path writeTemporary(const std::filesystem::path& p, std::string_view content, bool durable,
                                         const CopySource* copyOf = nullptr) const;

    std::filesystem::path root_;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

// The file 'name' in the folder 'dir', matched without regard to case; dir / name when there is none.
std::filesystem::path findFile(const std::filesystem::path& dir, std::string_view name);

// True when the bytes are valid UTF-8 without NUL bytes.
bool isUtf8Text(std::string_view bytes);

}  // namespace tei
