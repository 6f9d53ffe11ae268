#include "support/TempGameFolder.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

#include "core/DiskStorage.h"

namespace tei::test {

namespace fs = std::filesystem;

namespace {
fs::path makeRoot() {
    static std::atomic<int> counter{0};
    fs::path p =
        fs::temp_directory_path() / ("teijiroku-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(p);
    fs::create_directories(p / "ini");
    fs::create_directories(p / "save");
    return p;
}

void writeFile(const fs::path& p, std::string_view content) {
    std::ofstream out(p, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

Files filesOf(const fs::path& root) {
    Files all;
    for (const char* sub : {"ini", "save"}) {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(root / sub, ec))
            all[std::string(sub) + "/" + e.path().filename().string()] = readFile(e.path());
    }
    return all;
}

// A throwaway folder need not outlast a power cut: its writes are not flushed unless asked.
TempGameFolder::TempGameFolder()
    : root_(makeRoot()), folder_(std::make_shared<DiskStorage>(root_, DiskStorage::Flush::WhenAsked)) {}

TempGameFolder::~TempGameFolder() {
    std::error_code ec;
    fs::permissions(root_ / "save", fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

void TempGameFolder::writeIni(std::string_view name, std::string_view content) const {
    writeFile(root_ / "ini" / std::string(name), content);
}
void TempGameFolder::writeSave(std::string_view name, std::string_view content) const {
    writeFile(root_ / "save" / std::string(name), content);
}
std::string TempGameFolder::readIni(std::string_view name) const { return readFile(root_ / "ini" / std::string(name)); }
std::string TempGameFolder::readSave(std::string_view name) const {
    return readFile(root_ / "save" / std::string(name));
}
bool TempGameFolder::hasIni(std::string_view name) const { return fs::exists(root_ / "ini" / std::string(name)); }

void TempGameFolder::copyShippedData() const {
    fs::path data = fs::path(TEIJIROKU_SOURCE_DIR) / "data" / "ini";
    for (const auto& entry : fs::directory_iterator(data))
        fs::copy_file(entry.path(), root_ / "ini" / entry.path().filename(), fs::copy_options::overwrite_existing);
}

std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (auto l : lines) out.append(l).append("\r\n");
    return out;
}

}  // namespace tei::test
