#include "core/GameFolder.h"

#include <algorithm>
#include <system_error>

#include "core/DiskStorage.h"

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
        case Kind::BadRecord:
            message_ = "ファイル「" + path_ + "」に読めない記録があります。";
            break;
    }
}

FileError::FileError(std::string path, const std::string& detail) : FileError(Kind::BadRecord, std::move(path)) {
    message_ = "ファイル「" + path_ + "」の" + detail;
}

namespace {

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

GameFolder::GameFolder(fs::path root) : storage_(std::make_shared<DiskStorage>(std::move(root))) {}

GameFolder::GameFolder(std::shared_ptr<Storage> storage) : storage_(std::move(storage)) {}

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

// Names

fs::path GameFolder::resolve(std::string_view folder, std::string_view name) const {
    // A file this folder holds or last saw under the path a name was last found at is taken to be there
    // still: a read finds out if it is not.
    std::string asked = std::string(folder) + "/" + std::string(name);
    if (auto found = shared_->found.find(asked); found != shared_->found.end()) {
        const std::string& p = found->second.native();
        if (shared_->held.count(p) || shared_->cache.count(p)) return found->second;
    }
    fs::path dir = root() / std::string(folder);
    fs::path exact = dir / std::string(name);
    fs::path p = exact;
    if (!shared_->held.count(exact.native()) && !shared_->cache.count(exact.native())) {
        std::string wanted = lowerAscii(name);
        auto held = std::find_if(shared_->heldOrder.begin(), shared_->heldOrder.end(), [&](const fs::path& h) {
            return h.parent_path() == dir && lowerAscii(h.filename().string()) == wanted;
        });
        if (held != shared_->heldOrder.end())
            p = *held;
        else if (storage_->probe(exact).kind == Storage::Kind::Missing)
            p = findOther(exact);
    }
    shared_->found[asked] = p;
    return p;
}

fs::path GameFolder::ini(std::string_view name) const { return resolve("ini", name); }
fs::path GameFolder::save(std::string_view name) const { return resolve("save", name); }

bool GameFolder::exists(const fs::path& p) const {
    return shared_->held.count(p.native()) || storage_->probe(p).kind == Storage::Kind::File;
}

bool GameFolder::hasFolder(std::string_view folder) const { return storage_->isFolder(root() / std::string(folder)); }

std::vector<std::string> GameFolder::files(std::string_view folder) const {
    fs::path dir = root() / std::string(folder);
    std::vector<std::string> names = storage_->list(dir);
    for (const fs::path& p : shared_->heldOrder)
        if (p.parent_path() == dir && std::find(names.begin(), names.end(), p.filename().string()) == names.end())
            names.push_back(p.filename().string());
    return names;
}

std::optional<std::time_t> GameFolder::modifiedAt(const fs::path& p) const {
    Storage::Probe probe = storage_->probe(p);
    if (probe.kind != Storage::Kind::File || probe.version.stamp == 0) return std::nullopt;
    return static_cast<std::time_t>(probe.version.stamp / 1000000000LL);
}

std::optional<std::string> GameFolder::recover() const {
    shared_->cache.clear();
    return storage_->recover();
}

size_t GameFolder::longestName(std::string_view folder) const {
    fs::path dir = root() / std::string(folder);
    return storage_->longestName(storage_->isFolder(dir) ? dir : root());
}

// Reading

GameFolder::Contents& GameFolder::contentsOf(const fs::path& p) const {
    if (auto held = shared_->held.find(p.native()); held != shared_->held.end()) return held->second;
    Storage::Probe now = storage_->probe(p);
    if (now.kind != Storage::Kind::File) {
        // A file gone from under the name last seen may stand there in another case now.
        if (now.kind == Storage::Kind::Missing && shared_->cache.erase(p.native()) > 0) {
            fs::path other = findOther(p);
            if (other != p) return contentsOf(other);
        }
        shared_->cache.erase(p.native());
        throw FileError(now.kind == Storage::Kind::Missing ? FileError::Kind::Missing : FileError::Kind::Unreadable,
                        display(p));
    }
    Contents& cached = shared_->cache[p.native()];
    if (cached.bytes && cached.version == now.version) return cached;
    try {
        Storage::Bytes read = storage_->read(p);
        cached = Contents{};
        cached.bytes = std::move(read.bytes);
        cached.version = read.version;
    } catch (const FileError&) {
        shared_->cache.erase(p.native());
        throw;
    }
    return cached;
}

fs::path GameFolder::findOther(const fs::path& p) const {
    std::string wanted = lowerAscii(p.filename().string());
    for (const std::string& other : storage_->list(p.parent_path()))
        if (lowerAscii(other) == wanted) return p.parent_path() / other;
    return p;
}

GameFolder::Contents* GameFolder::knownContents(const fs::path& p) const {
    if (auto held = shared_->held.find(p.native()); held != shared_->held.end()) return &held->second;
    if (auto cached = shared_->cache.find(p.native()); cached != shared_->cache.end() && cached->second.bytes)
        return &cached->second;
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

// Writing

void GameFolder::writeText(const fs::path& p, std::string_view content, bool durable) const {
    Contents written;
    written.bytes = std::make_shared<const std::string>(content);
    if (shared_->holdDepth > 0 && !durable)
        hold(p, std::move(written));
    else
        replace({{p, std::move(written)}}, durable);
}

void GameFolder::writeTogether(const std::vector<std::pair<fs::path, std::string>>& files, bool durable) const {
    if (shared_->holdDepth > 0 && !durable) {
        for (const auto& [target, content] : files) writeText(target, content);
        return;
    }
    std::vector<std::pair<fs::path, Contents>> step;
    for (const auto& [target, content] : files) {
        Contents c;
        c.bytes = std::make_shared<const std::string>(content);
        step.emplace_back(target, std::move(c));
    }
    replace(std::move(step), durable);
}

void GameFolder::replace(std::vector<std::pair<fs::path, Contents>> files, bool durable) const {
    std::vector<Replacement> step;
    for (auto& [target, c] : files) {
        shared_->cache.erase(target.native());
        step.push_back({target, c.bytes, c.copyOf, c.version});
    }
    storage_->replace(step, durable);
    // What was written is what the files now hold: keep it, parsed forms included, under the version
    // the storage now reports, unless the file changed again meanwhile.
    for (auto& [target, c] : files) {
        Storage::Probe now = storage_->probe(target);
        if (now.kind != Storage::Kind::File || now.version.size != static_cast<long long>(c.bytes->size())) continue;
        c.copyOf.clear();
        c.version = now.version;
        shared_->cache[target.native()] = std::move(c);
    }
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
    std::vector<std::pair<fs::path, Contents>> files;
    for (const auto& p : order) files.emplace_back(p, std::move(held[p.native()]));
    folder_.replace(std::move(files), false);
}

void GameFolder::hold(const fs::path& p, Contents contents) const {
    auto [it, fresh] = shared_->held.insert_or_assign(p.native(), std::move(contents));
    if (fresh) shared_->heldOrder.push_back(p);
}

void GameFolder::copyFile(const fs::path& from, const fs::path& to, bool durable) const {
    writeText(to, readBytes(from), durable);
}

std::shared_ptr<const std::string> GameFolder::snapshotFile(const fs::path& from, const fs::path& to) const {
    Contents copy;
    const Contents& source = contentsOf(from);
    copy.bytes = source.bytes;
    // The source's version in the storage, when the bytes just read are that version's.
    if (!shared_->held.count(from.native()) && source.version.known()) {
        copy.copyOf = from;
        copy.version = source.version;
    }
    if (shared_->holdDepth == 0)
        replace({{to, copy}}, false);
    else
        hold(to, copy);
    return copy.bytes;
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
