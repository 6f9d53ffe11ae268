#include "core/DiskStorage.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <set>
#include <system_error>

namespace tei {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryPrefix = ".tmp-";
// The second name of the file a step replaces: its temporary's name and this.
constexpr std::string_view kOldSuffix = ".old";
constexpr std::string_view kJournalPrefix = ".journal-";
constexpr std::string_view kJournalHeader = "teijiroku step journal 1\n";
// The state line right after the header; rewritten in place, so both are four bytes.
constexpr std::string_view kRedo = "redo";
constexpr std::string_view kUndo = "undo";
// The second-name column of a target that did not exist (undone by removing it), and of one whose old
// file could not be given a second name (on a disk without them; it cannot be put back).
constexpr std::string_view kWasNew = "new";
constexpr std::string_view kNoSecondName = "none";
// The folders where steps write, and so where the next start looks for what a crash left.
constexpr const char* kStepFolders[] = {"ini", "save"};

FileVersion versionOf(const struct stat& st) {
    long long mtime = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return {static_cast<long long>(st.st_size), mtime, static_cast<unsigned long long>(st.st_ino)};
}

// A name no other temporary or journal has: prefix, this process's number, a counter, the tail.
std::string uniqueName(std::string_view prefix, std::string_view tail) {
    static std::atomic<unsigned long> counter{0};
    std::string name = std::string(prefix) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    if (!tail.empty()) name += "-" + std::string(tail);
    return name;
}

// The process number a temporary's or journal's name carries; 0 when it carries none.
pid_t ownerOf(std::string_view name, std::string_view prefix) {
    name.remove_prefix(prefix.size());
    long long pid = 0;
    auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (ec != std::errc() || end == name.data() || pid <= 0 || pid > 0x7fffffff) return 0;
    return static_cast<pid_t>(pid);
}

bool processRuns(pid_t pid) { return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM); }

bool isThere(const fs::path& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0;
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

// Makes the names in a folder (new, renamed and removed ones) last.
void flushFolder(const fs::path& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// FNV-1a, 64 bits.
uint64_t checksum(std::string_view bytes) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    return h;
}

std::string hex16(uint64_t v) {
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(v));
    return buf;
}

// A path a journal may name: relative to the game folder, each part a plain name.
bool plainRelative(const fs::path& p) {
    if (p.empty() || p.is_absolute()) return false;
    for (const auto& part : p)
        if (part.empty() || part == "." || part == "..") return false;
    return true;
}

bool isTemporaryName(const fs::path& p) { return p.filename().native().starts_with(kTemporaryPrefix); }

std::string recoverFailed(const std::string& journal, const std::string& file) {
    return "ファイル「" + journal + "」は前回途中で止まった書き込みの記録ですが、その書き込みを完了することも取り消す" +
           "こともできません（ファイル「" + file +
           "」を置き換えられません）。ゲームフォルダのファイルはそのまま残して" + "あります。";
}

}  // namespace

// One file of a step: its target, its temporary and the old file's second name.
struct DiskStorage::Target {
    fs::path target;
    fs::path temporary;
    fs::path old;          // empty when there is none
    bool existed = false;  // the target was there before the step
};

// A step's journal: its text, a lock held while the step runs, and the settling of what it lists.
class DiskStorage::Journal {
public:
    // One line: a temporary, the target it replaces, and the second name of the old file.
    struct Entry {
        fs::path temporary, target, old;
        bool wasNew = false;  // no old file: undone by removing the target
    };

    Journal() = default;
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;
    ~Journal() {
        if (fd_ >= 0) ::close(fd_);
    }

    // The text of a journal for these entries, paths relative to root.
    static std::string text(const std::vector<Entry>& entries, const fs::path& root) {
        std::string lines;
        for (const Entry& e : entries) {
            std::string old = e.wasNew        ? std::string(kWasNew)
                              : e.old.empty() ? std::string(kNoSecondName)
                                              : e.old.lexically_relative(root).generic_string();
            lines += e.temporary.lexically_relative(root).generic_string() + "\t" +
                     e.target.lexically_relative(root).generic_string() + "\t" + old + "\n";
        }
        std::string header(kJournalHeader);
        return header + std::string(kRedo) + "\n" + lines + "end " + hex16(checksum(header + lines)) + "\n";
    }

    // Reads a whole journal: false when it is cut short or damaged (its step never began renaming).
    bool parse(std::string_view text, const fs::path& root) {
        if (!text.starts_with(kJournalHeader)) return false;
        text.remove_prefix(kJournalHeader.size());
        if (text.size() < 5 || text[4] != '\n') return false;
        std::string_view state = text.substr(0, 4);
        if (state != kRedo && state != kUndo) return false;
        undo_ = state == kUndo;
        text.remove_prefix(5);
        size_t endLine = text.rfind("end ");
        if (endLine == std::string_view::npos || (endLine > 0 && text[endLine - 1] != '\n')) return false;
        std::string_view lines = text.substr(0, endLine);
        if (text.substr(endLine) != "end " + hex16(checksum(std::string(kJournalHeader) + std::string(lines))) + "\n")
            return false;
        entries_.clear();
        while (!lines.empty()) {
            size_t nl = lines.find('\n');
            if (nl == std::string_view::npos) return false;
            std::string_view line = lines.substr(0, nl);
            lines.remove_prefix(nl + 1);
            size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
            if (t1 == std::string_view::npos || t2 == std::string_view::npos) return false;
            Entry e;
            fs::path temporary(std::string(line.substr(0, t1)));
            fs::path target(std::string(line.substr(t1 + 1, t2 - t1 - 1)));
            std::string_view old = line.substr(t2 + 1);
            if (!plainRelative(temporary) || !isTemporaryName(temporary) || !plainRelative(target)) return false;
            e.temporary = root / temporary;
            e.target = root / target;
            if (old == kWasNew) {
                e.wasNew = true;
            } else if (old != kNoSecondName) {
                fs::path second{std::string(old)};
                if (!plainRelative(second) || !isTemporaryName(second)) return false;
                e.old = root / second;
            }
            entries_.push_back(std::move(e));
        }
        return true;
    }

    // Creates the journal of a step at path, locked, and writes it; throws FileError naming it.
    void create(const fs::path& path, const std::string& text, bool flush, const std::string& display) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd_ < 0) throw FileError(FileError::Kind::Unwritable, display);
        path_ = path;
        if (::flock(fd_, LOCK_EX) != 0 || !writeAll(fd_, text) || (flush && ::fdatasync(fd_) != 0)) {
            remove();
            throw FileError(FileError::Kind::Unwritable, display);
        }
    }

    // Opens a journal a stopped run left, unless its step is still running; reads it into text.
    bool open(const fs::path& path, std::string& text) {
        path_ = path;
        fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd_ < 0) return false;
        if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) return false;
        char buf[4096];
        for (;;) {
            ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return n == 0;
            text.append(buf, static_cast<size_t>(n));
        }
    }

    void setEntries(std::vector<Entry> entries) { entries_ = std::move(entries); }
    const std::vector<Entry>& entries() const { return entries_; }
    bool undo() const { return undo_; }
    const fs::path& path() const { return path_; }

    // From here on the step is to be undone, also by the next start.
    void markUndo(bool flush) {
        undo_ = true;
        if (::pwrite(fd_, kUndo.data(), kUndo.size(), static_cast<off_t>(kJournalHeader.size())) ==
                static_cast<ssize_t>(kUndo.size()) &&
            flush)
            ::fdatasync(fd_);
    }

    // Renames the temporaries still there over their targets; false (with the failed target) when one
    // cannot be.
    bool rollForward(fs::path& failed) const {
        for (const Entry& e : entries_)
            if (isThere(e.temporary) && std::rename(e.temporary.c_str(), e.target.c_str()) != 0) {
                failed = e.target;
                return false;
            }
        return true;
    }

    // Puts back every target whose temporary was renamed over it (the temporary is gone), then removes
    // the temporaries that were not; false (with the first target that failed, and every temporary kept)
    // when a target cannot be put back.
    bool rollBack(fs::path& failed) const {
        std::vector<const Entry*> unrenamed;
        for (const Entry& e : entries_) {
            if (isThere(e.temporary)) {
                unrenamed.push_back(&e);
                continue;
            }
            bool back = e.wasNew ? removeFile(e.target)
                        : e.old.empty()
                            ? false
                            : std::rename(e.old.c_str(), e.target.c_str()) == 0 || (errno == ENOENT && !isThere(e.old));
            if (!back && failed.empty()) failed = e.target;
        }
        if (!failed.empty()) return false;
        for (const Entry* e : unrenamed) removeFile(e->temporary);
        return true;
    }

    // After the step: the second names go, then the journal.
    void finish(const std::function<void(const char*)>& instant) {
        for (const Entry& e : entries_)
            if (!e.old.empty() && isThere(e.old)) {
                removeFile(e.old);
                if (instant) instant("second name removed");
            }
        remove();
        if (instant) instant("journal removed");
    }

    void remove() {
        if (!path_.empty()) removeFile(path_);
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    // Keeps the journal (and its lock) for the next start; returns the lock's descriptor.
    int keep() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    fs::path path_;
    int fd_ = -1;
    bool undo_ = false;
    std::vector<Entry> entries_;
};

DiskStorage::DiskStorage(fs::path root, Flush flush) : Storage(std::move(root)), flush_(flush) {}

DiskStorage::~DiskStorage() {
    if (brokenStepLock_ >= 0) ::close(brokenStepLock_);
}

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
        if (name.starts_with(kTemporaryPrefix) || name.starts_with(kJournalPrefix)) continue;
        if (it->is_regular_file(ec)) names.push_back(std::move(name));
    }
    return names;
}

bool DiskStorage::isFolder(const fs::path& dir) const {
    std::error_code ec;
    return fs::is_directory(dir, ec);
}

size_t DiskStorage::longestName(const fs::path& dir) const {
    long most = ::pathconf(dir.c_str(), _PC_NAME_MAX);
    if (most <= 0) most = 255;
    // The longest temporary beside a file adds, with the second name of the old file in a step.
    const size_t extra = kTemporaryPrefix.size() + std::to_string(std::numeric_limits<pid_t>::max()).size() + 1 +
                         std::to_string(std::numeric_limits<unsigned long>::max()).size() + 1 + kOldSuffix.size();
    return static_cast<size_t>(most) > extra ? static_cast<size_t>(most) - extra : 0;
}

// Writing

fs::path DiskStorage::writeTemporary(const Replacement& file, bool durable, bool flush) const {
    const fs::path& p = file.target;
    fs::path tmp = p.parent_path() / uniqueName(kTemporaryPrefix, p.filename().string());
    if (!file.copyOf.empty() && !durable) {
        struct stat st {};
        struct stat target {};
        // A rename between two names of one file does nothing, so a target that already is a second
        // name of the source gets its bytes written instead. The source's bytes are on the disk since
        // the step that wrote them.
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
    if (ok && flush && ::fdatasync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        removeFile(tmp);
        throw FileError(FileError::Kind::Unwritable, display(p));
    }
    return tmp;
}

void DiskStorage::replace(const std::vector<Replacement>& files, bool durable) {
    if (brokenStep_) throw FileError(FileError::Kind::Unwritable, display(*brokenStep_));
    if (files.empty()) return;
    const bool flush = durable || flush_ == Flush::Always;
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
        for (; written < files.size(); ++written) {
            targets[written].temporary = writeTemporary(files[written], durable, flush);
            instant("temporary");
        }
    } catch (const FileError&) {
        for (size_t i = 0; i < written; ++i) removeFile(targets[i].temporary);
        throw;
    }
    if (targets.size() == 1)
        replaceOne(targets[0], flush);
    else
        replaceSeveral(targets, flush);
}

void DiskStorage::replaceOne(Target& t, bool flush) {
    if (std::rename(t.temporary.c_str(), t.target.c_str()) != 0) {
        removeFile(t.temporary);
        throw FileError(FileError::Kind::Unwritable, display(t.target));
    }
    instant("rename");
    if (flush) flushFolder(t.target.parent_path());
}

void DiskStorage::replaceSeveral(std::vector<Target>& targets, bool flush) {
    std::set<fs::path> folders;
    for (const Target& t : targets) folders.insert(t.target.parent_path());
    // Each old file gets a second name, from which a step that cannot finish puts it back. A disk
    // without second names goes without; a crash there is rolled forward all the same.
    std::vector<Journal::Entry> entries;
    for (Target& t : targets) {
        Journal::Entry e{t.temporary, t.target, {}, !t.existed};
        if (t.existed) {
            fs::path old = t.temporary.native() + std::string(kOldSuffix);
            if (::link(t.target.c_str(), old.c_str()) == 0) {
                t.old = e.old = old;
                instant("second name");
            }
        }
        entries.push_back(std::move(e));
    }
    Journal journal;
    journal.setEntries(entries);
    const fs::path journalPath = targets.front().target.parent_path() / uniqueName(kJournalPrefix, "");
    try {
        journal.create(journalPath, Journal::text(entries, root()), flush, display(journalPath));
    } catch (const FileError&) {
        for (const Target& t : targets) {
            removeFile(t.temporary);
            if (!t.old.empty()) removeFile(t.old);
        }
        throw;
    }
    if (flush)
        for (const fs::path& dir : folders) flushFolder(dir);
    instant("journal");

    for (size_t i = 0; i < targets.size(); ++i) {
        if (std::rename(targets[i].temporary.c_str(), targets[i].target.c_str()) == 0) {
            instant("rename");
            continue;
        }
        // This target cannot be replaced: every target goes back to what it was.
        journal.markUndo(flush);
        fs::path failed;
        bool whole = journal.rollBack(failed);
        if (flush)
            for (const fs::path& dir : folders) flushFolder(dir);
        if (whole) {
            journal.finish(nullptr);
        } else {
            brokenStep_ = journal.path();
            brokenStepLock_ = journal.keep();
        }
        throw FileError(FileError::Kind::Unwritable, display(targets[i].target));
    }
    if (flush)
        for (const fs::path& dir : folders) flushFolder(dir);
    journal.finish(instantHook_);
}

// Recovery

std::optional<std::string> DiskStorage::settle(const fs::path& path) {
    Journal journal;
    std::string text;
    if (!journal.open(path, text)) {
        if (errno == EWOULDBLOCK || errno == ENOENT) return std::nullopt;  // still running, or settled meanwhile
        return "ファイル「" + display(path) + "」は前回途中で止まった書き込みの記録ですが、読み込めません。";
    }
    pid_t owner = ownerOf(path.filename().native(), kJournalPrefix);
    if (!journal.parse(text, root())) {
        // Not whole, so no target was touched: the journal goes, and its temporaries with the stray ones.
        // One a running program is writing right now is left to it.
        if (owner != ::getpid() && processRuns(owner)) return std::nullopt;
        journal.remove();
        return std::nullopt;
    }
    fs::path unreplaced, unrestored;
    if (!journal.undo() && !journal.rollForward(unreplaced)) journal.markUndo(true);
    // A step that can be neither finished nor undone keeps its journal and second names.
    if (journal.undo() && !journal.rollBack(unrestored)) return recoverFailed(display(path), display(unrestored));
    std::set<fs::path> folders;
    for (const auto& e : journal.entries()) folders.insert(e.target.parent_path());
    for (const fs::path& dir : folders) flushFolder(dir);
    journal.finish(nullptr);
    return std::nullopt;
}

std::optional<std::string> DiskStorage::recover() {
    // The journals first: they need the temporaries they list.
    for (const char* folder : kStepFolders) {
        std::error_code ec;
        std::vector<fs::path> journals;
        for (fs::directory_iterator it(root() / folder, ec), end; !ec && it != end; it.increment(ec))
            if (it->path().filename().native().starts_with(kJournalPrefix)) journals.push_back(it->path());
        for (const fs::path& j : journals)
            if (auto problem = settle(j)) return problem;
    }
    // Then the temporaries and second names of processes that are gone.
    for (const char* folder : kStepFolders) {
        std::error_code ec;
        std::vector<fs::path> stray;
        for (fs::directory_iterator it(root() / folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name = it->path().filename().string();
            if (!name.starts_with(kTemporaryPrefix)) continue;
            pid_t owner = ownerOf(name, kTemporaryPrefix);
            if (owner == 0 || owner == ::getpid() || !processRuns(owner)) stray.push_back(it->path());
        }
        for (const fs::path& p : stray)
            if (!removeFile(p))
                return "ファイル「" + display(p) +
                       "」は前回途中で止まった書き込みの一時ファイルですが、削除できません。";
    }
    return std::nullopt;
}

}  // namespace tei
