#include "core/GameHome.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/GameFolder.h"

namespace fs = std::filesystem;

namespace tei {

namespace {

// The home folder of the user running the program, from the password database: for a program started
// without HOME (a service, a cleaned environment).
std::string passwordHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return {};
    return found->pw_dir;
}

// The shipped files, in name order so the seeding is the same on every disk.
std::vector<fs::path> shippedFiles(const fs::path& dir) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) files.push_back(it->path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

// A file that opens but fails to read (a failing disk) makes the stream's buffer throw out of the
// iterator; it is named like a file that cannot be opened.
std::string seedFile(const fs::path& from, const fs::path& to) {
    const std::string unreadable = "ゲームのデータ「" + from.string() + "」を読めません。";
    std::string bytes;
    try {
        std::ifstream in(from, std::ios::binary);
        if (in.is_open()) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in.is_open() || in.bad()) return unreadable;
    } catch (const std::ios_base::failure&) {
        return unreadable;
    }
    const fs::path temporary = to.parent_path() / ("." + to.filename().string() + ".seed");
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool written = fd >= 0;
    for (size_t done = 0; written && done < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            written = false;
        else
            done += static_cast<size_t>(n);
    }
    written = written && ::fsync(fd) == 0;
    if (fd >= 0 && ::close(fd) != 0) written = false;
    std::error_code ec;
    if (written) fs::rename(temporary, to, ec);
    if (!written || ec) {
        fs::remove(temporary, ec);
        return "ゲームフォルダにファイル「" + to.string() + "」を作れません。";
    }
    return {};
}

namespace {

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

bool isEmptyFolder(const fs::path& dir) {
    std::error_code ec;
    return fs::directory_iterator(dir, ec) == fs::directory_iterator();
}

}  // namespace

fs::path playerDataHome(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute()) return xdgDataHome;
    if (home && fs::path(home).is_absolute()) return fs::path(home) / ".local" / "share";
    return {};
}

fs::path shippedDataOf(const fs::path& program, const fs::path& programToData) {
    return (program.parent_path() / programToData / "ini").lexically_normal();
}

GameHomeSetting thisProcessSetting(const fs::path& programToData) {
    GameHomeSetting s;
    std::error_code ec;
    s.currentDir = fs::current_path(ec);
    const char* home = std::getenv("HOME");
    std::string fromPasswords;
    if (!home || !*home) {
        fromPasswords = passwordHome();
        home = fromPasswords.c_str();
    }
    s.dataHome = playerDataHome(std::getenv("XDG_DATA_HOME"), home);
    fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) s.shippedData = shippedDataOf(program, programToData);
    return s;
}

GameHome locateGameHome(const GameHomeSetting& setting) {
    GameHome result;
    std::error_code ec;
    const fs::path player = setting.dataHome.empty() ? fs::path() : setting.dataHome / kGameHomeName;
    const bool inPlayerFolder = !player.empty() && sameFolder(setting.currentDir, player);
    if (!setting.currentDir.empty() && fs::is_directory(setting.currentDir / "ini", ec) && !inPlayerFolder) {
        result.root = setting.currentDir;
        result.isCurrentDir = true;
        return result;
    }
    if (player.empty()) {
        result.problem =
            "ゲームフォルダの場所を決められません。環境変数 XDG_DATA_HOME か HOME に絶対パスを設定してください。";
        return result;
    }
    result.root = player;
    result.isCurrentDir = inPlayerFolder;
    const fs::path ini = player / "ini";
    fs::create_directories(ini, ec);
    if (!ec) fs::create_directories(player / "save", ec);
    if (ec || !fs::is_directory(ini, ec) || !fs::is_directory(player / "save", ec)) {
        result.problem = "ゲームフォルダ「" + player.string() + "」を作れません。";
        return result;
    }

    if (setting.shippedData.empty() || !fs::is_directory(setting.shippedData, ec)) {
        // A folder seeded before still plays; the start check names any file it lacks.
        if (isEmptyFolder(ini))
            result.problem = setting.shippedData.empty()
                                 ? std::string("インストールされたゲームのデータが見つかりません。")
                                 : "ゲームのデータ「" + setting.shippedData.string() + "」が見つかりません。";
        return result;
    }
    for (const fs::path& from : shippedFiles(setting.shippedData)) {
        const std::string name = from.filename().string();
        if (fs::exists(findFile(ini, name), ec)) continue;
        if (std::string problem = seedFile(from, ini / name); !problem.empty()) {
            result.problem = problem;
            return result;
        }
        result.seeded.push_back(name);
    }
    return result;
}

}  // namespace tei
