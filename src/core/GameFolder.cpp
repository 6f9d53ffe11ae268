#include "core/GameFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace tei {

namespace fs = std::filesystem;

FileError::FileError(Kind kind, std::string path) : std::runtime_error(path), kind_(kind), path_(std::move(path)) {
    switch (kind_) {
        case Kind::Missing:
            message_ = "ファイル「" + path_ + "」が見つかりません。";
            break;
        case Kind::Unreadable:
            message_ = "ファイル「" + path_ + "」を読み込めません。";
            break;
        case Kind::NotText:
            message_ = "ファイル「" + path_ + "」は UTF-8 のテキストではありません。";
            break;
        case Kind::Unwritable:
            message_ = "ファイル「" + path_ + "」に書き込めません。";
            break;
        case Kind::CutShort:
            message_ = "ファイル「" + path_ + "」は記録が欠けているか、途中で切れています。";
            break;
    }
}

namespace {

long long mtimeOf(const struct stat& st) {
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

GameFolder::GameFolder(fs::path root) : root_(std::move(root)) {}

fs::path findFile(const fs::path& dir, std::string_view name) {
    fs::path exact = dir / std::string(name);
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    // Look for the same name in another case.
    std::string wanted = lowerAscii(name);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (lowerAscii(candidate) == wanted) return it->path();
    }
    return exact;
}

fs::path GameFolder::resolve(std::string_view folder, std::string_view name) const {
    fs::path dir = root_ / std::string(folder);
    fs::path exact = dir / std::string(name);
    if (shared_->held.count(exact)) return exact;
    // A file this folder last saw under exactly this name is taken to be there still: a read finds out
    // if it is not.
    if (shared_->cache.count(exact)) return exact;
    std::string wanted = lowerAscii(name);
    for (const auto& [held, text] : shared_->held)
        if (held.parent_path() == dir && lowerAscii(held.filename().string()) == wanted) return held;
    return findFile(dir, name);
}

fs::path GameFolder::ini(std::string_view name) const { return resolve("ini", name); }
fs::path GameFolder::save(std::string_view name) const { return resolve("save", name); }

std::string GameFolder::display(const fs::path& p) const {
    std::error_code ec;
    fs::path rel = p.lexically_relative(root_);
    std::string s = (rel.empty() || rel.native().starts_with("..")) ? p.string() : rel.generic_string();
    return s;
}

bool GameFolder::exists(const fs::path& p) const {
    if (shared_->held.count(p)) return true;
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

std::vector<std::string> GameFolder::files(std::string_view folder) const {
    fs::path dir = root_ / std::string(folder);
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.starts_with(".tmp-")) continue;  // a write in progress, not a file of the game
        if (it->is_regular_file(ec)) names.push_back(std::move(name));
    }
    for (const fs::path& p : shared_->heldOrder)
        if (p.parent_path() == dir && std::find(names.begin(), names.end(), p.filename().string()) == names.end())
            names.push_back(p.filename().string());
    return names;
}

std::optional<std::time_t> GameFolder::modifiedAt(const fs::path& p) const {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<std::time_t>(st.st_mtim.tv_sec);
}

GameFolder::Contents& GameFolder::contentsOf(const fs::path& p) const {
    if (auto held = shared_->held.find(p); held != shared_->held.end()) return held->second;
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) {
        // A file gone from under the name last seen may stand there in another case now.
        if (errno == ENOENT && shared_->cache.erase(p) > 0) {
            fs::path other = findFile(p.parent_path(), p.filename().string());
            if (other != p) return contentsOf(other);
        }
        shared_->cache.erase(p);
        throw FileError(errno == ENOENT || errno == ENOTDIR ? FileError::Kind::Missing : FileError::Kind::Unreadable,
                        display(p));
    }
    if (!S_ISREG(st.st_mode)) throw FileError(FileError::Kind::Unreadable, display(p));
    Version onDisk{static_cast<long long>(st.st_size), mtimeOf(st), st.st_ino};
    CachedFile& cached = shared_->cache[p];
    if (cached.contents.bytes && cached.version == onDisk) return cached.contents;
    int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        shared_->cache.erase(p);
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
    if (!ok) {
        shared_->cache.erase(p);
        throw FileError(FileError::Kind::Unreadable, display(p));
    }
    bytes.resize(got);
    cached = CachedFile{};
    cached.contents.bytes = std::make_shared<const std::string>(std::move(bytes));
    // A file that changed while it was read is not remembered as this version.
    if (got == static_cast<size_t>(st.st_size)) cached.version = onDisk;
    return cached.contents;
}

GameFolder::Contents* GameFolder::knownContents(const fs::path& p) const {
    if (auto held = shared_->held.find(p); held != shared_->held.end()) return &held->second;
    if (auto cached = shared_->cache.find(p); cached != shared_->cache.end() && cached->second.contents.bytes)
        return &cached->second.contents;
    return nullptr;
}

std::shared_ptr<const std::string> GameFolder::textOf(Contents& c, const fs::path& p) const {
    if (c.text) return c.text;
    std::string_view bytes = *c.bytes;
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (!isUtf8Text(bytes)) throw FileError(FileError::Kind::NotText, display(p));
    c.text = bytes.size() == c.bytes->size() ? c.bytes : std::make_shared<const std::string>(bytes);
    return c.text;
}

std::string GameFolder::readBytes(const fs::path& p) const { return *contentsOf(p).bytes; }

std::shared_ptr<const std::string> GameFolder::readShared(const fs::path& p) const { return textOf(contentsOf(p), p); }

std::string GameFolder::readText(const fs::path& p) const { return *readShared(p); }

void GameFolder::writeText(const fs::path& p, std::string_view content, bool durable) const {
    if (shared_->holdDepth > 0 && !durable) {
        Contents held;
        held.bytes = std::make_shared<const std::string>(content);
        hold(p, std::move(held));
        return;
    }
    writeNow(p, content, durable);
}

fs::path GameFolder::writeTemporary(const fs::path& p, std::string_view content, bool durable,
                                    const CopySource* copyOf) const {
    static std::atomic<unsigned> counter{0};
    std::error_code ec;
    fs::path tmp = p.parent_path() / (".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                                      p.filename().string());
    if (copyOf && !durable) {
        struct stat st {};
        struct stat target {};
        // A rename between two names of one file does nothing, so a target that already is a second
        // name of the source gets its bytes written instead.
        if (::stat(copyOf->path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            Version{static_cast<long long>(st.st_size), mtimeOf(st), st.st_ino} == copyOf->version &&
            !(::stat(p.c_str(), &target) == 0 && target.st_ino == st.st_ino && target.st_dev == st.st_dev) &&
            ::link(copyOf->path.c_str(), tmp.c_str()) == 0)
            return tmp;
        // Changed meanwhile, or a disk without second names: write the bytes.
    }
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 && errno == ENOENT) {  // the folder is not there yet
        fs::create_directories(p.parent_path(), ec);
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    }
    if (fd < 0) throw FileError(FileError::Kind::Unwritable, display(p));
    const char* data = content.data();
    size_t left = content.size();
    bool ok = true;
    while (left > 0) {
        ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        data += n;
        left -= static_cast<size_t>(n);
    }
    if (ok && durable && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        fs::remove(tmp, ec);
        throw FileError(FileError::Kind::Unwritable, display(p));
    }
    return tmp;
}

void GameFolder::writeNow(const fs::path& p, std::string_view content, bool durable, const CopySource* copyOf) const {
    shared_->cache.erase(p);
    fs::path tmp = writeTemporary(p, content, durable, copyOf);
    if (std::rename(tmp.c_str(), p.c_str()) != 0) {
        std::error_code ec;
        fs::remove(tmp, ec);
        throw FileError(FileError::Kind::Unwritable, display(p));
    }
    Contents written;
    written.bytes = std::make_shared<const std::string>(content);
    remember(p, std::move(written));
}

void GameFolder::writeTogether(const std::vector<std::pair<fs::path, std::string>>& files, bool durable) const {
    if (shared_->holdDepth > 0 && !durable) {
        for (const auto& [target, content] : files) writeText(target, content);
        return;
    }
    std::vector<Pending> pending;
    for (const auto& [target, content] : files)
        pending.push_back({target, std::make_shared<const std::string>(content), nullptr});
    writeBatch(pending, durable);
}

void GameFolder::writeBatch(const std::vector<Pending>& files, bool durable) const {
    std::error_code ec;
    // A rename cannot put a file where a folder stands: find that before anything is written.
    std::vector<bool> existed(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        fs::file_status st = fs::status(files[i].target, ec);
        if (fs::exists(st) && !fs::is_regular_file(st))
            throw FileError(FileError::Kind::Unwritable, display(files[i].target));
        existed[i] = fs::exists(st);
    }
    // Every temporary is there before the first rename, so a copy's source is still the old file.
    std::vector<fs::path> temporaries;
    auto removeTemporaries = [&](size_t from) {
        for (size_t i = from; i < temporaries.size(); ++i) fs::remove(temporaries[i], ec);
    };
    try {
        for (const auto& f : files) temporaries.push_back(writeTemporary(f.target, *f.bytes, durable, f.copyOf.get()));
    } catch (const FileError&) {
        removeTemporaries(0);
        throw;
    }
    // In a step of several files each old file gets a second name first, so that a rename failing
    // part-way (a file that cannot be replaced) can put back the files already replaced. A disk
    // without second names goes without.
    std::vector<fs::path> olds(files.size());
    if (files.size() > 1)
        for (size_t i = 0; i < files.size(); ++i) {
            fs::path old = temporaries[i].native() + ".old";
            if (existed[i] && ::link(files[i].target.c_str(), old.c_str()) == 0) olds[i] = std::move(old);
        }
    auto removeOlds = [&] {
        for (const auto& old : olds)
            if (!old.empty()) ::unlink(old.c_str());
    };
    for (size_t i = 0; i < files.size(); ++i) {
        shared_->cache.erase(files[i].target);
        if (std::rename(temporaries[i].c_str(), files[i].target.c_str()) == 0) continue;
        removeTemporaries(i);
        for (size_t j = 0; j < i; ++j) {
            if (!existed[j])
                ::unlink(files[j].target.c_str());
            else if (!olds[j].empty() && ::rename(olds[j].c_str(), files[j].target.c_str()) == 0)
                olds[j].clear();
            shared_->cache.erase(files[j].target);
        }
        removeOlds();
        throw FileError(FileError::Kind::Unwritable, display(files[i].target));
    }
    removeOlds();
}

GameFolder::DeferredWrites::DeferredWrites(const GameFolder& folder) : folder_(folder) { ++folder_.shared_->holdDepth; }

GameFolder::DeferredWrites::~DeferredWrites() {
    if (done_) return;
    auto& s = *folder_.shared_;
    if (--s.holdDepth == 0) {
        s.held.clear();
        s.heldOrder.clear();
    }
}

void GameFolder::DeferredWrites::commit() {
    auto& s = *folder_.shared_;
    done_ = true;
    if (--s.holdDepth > 0) return;
    auto held = std::move(s.held);
    auto order = std::move(s.heldOrder);
    s.held.clear();
    s.heldOrder.clear();
    std::vector<Pending> files;
    for (const auto& p : order) files.push_back({p, held[p].bytes, held[p].copyOf});
    folder_.writeBatch(files, false);
    // What was held is what the files now hold: keep it, parsed forms included.
    for (const auto& p : order) {
        held[p].copyOf.reset();
        folder_.remember(p, std::move(held[p]));
    }
}

void GameFolder::hold(const fs::path& p, Contents contents) const {
    auto [it, fresh] = shared_->held.insert_or_assign(p, std::move(contents));
    if (fresh) shared_->heldOrder.push_back(p);
}

void GameFolder::remember(const fs::path& p, Contents contents) const {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<size_t>(st.st_size) != contents.bytes->size())
        return;
    CachedFile& cached = shared_->cache[p];
    cached.contents = std::move(contents);
    cached.version = Version{static_cast<long long>(st.st_size), mtimeOf(st), st.st_ino};
}

void GameFolder::copyFile(const fs::path& from, const fs::path& to, bool durable) const {
    writeText(to, readBytes(from), durable);
}

std::shared_ptr<const std::string> GameFolder::snapshotFile(const fs::path& from, const fs::path& to) const {
    std::shared_ptr<const std::string> bytes = contentsOf(from).bytes;
    // The source's version on the disk, when the bytes just read are that version's.
    std::shared_ptr<const CopySource> source;
    if (!shared_->held.count(from))
        if (auto c = shared_->cache.find(from);
            c != shared_->cache.end() && c->second.contents.bytes == bytes && c->second.version.size >= 0)
            source = std::make_shared<const CopySource>(CopySource{from, c->second.version});
    if (shared_->holdDepth == 0) {
        writeNow(to, *bytes, false, source.get());
        return bytes;
    }
    Contents copy;
    copy.bytes = bytes;
    copy.copyOf = std::move(source);
    hold(to, std::move(copy));
    return bytes;
}

bool isUtf8Text(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c == 0) return false;
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        uint32_t cp;
        if ((c & 0xE0) == 0xC0)
            extra = 1, cp = c & 0x1F;
        else if ((c & 0xF0) == 0xE0)
            extra = 2, cp = c & 0x0F;
        else if ((c & 0xF8) == 0xF0)
            extra = 3, cp = c & 0x07;
        else
            return false;
        if (i + extra >= s.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values above U+10FFFF are not text.
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace tei
