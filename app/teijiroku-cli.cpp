// teijiroku-cli: the game without a window, in the game folder: the current directory when it holds
// ini/, otherwise the player's own folder (see core/GameHome.h), named on stderr.
//   autoplay  plays a whole game with the computer (see --help)
//   sweep     plays many computer games in memory and tallies every faction's results
//   check     validates an ini folder

#include <unistd.h>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/GameHome.h"
#include "game/Autoplay.h"
#include "game/Sweep.h"

namespace {

// The game folder, or nothing after the reason went to stderr.
std::optional<std::filesystem::path> gameFolderRoot() {
    tei::GameHome home = tei::locateGameHome(tei::thisProcessSetting(TEIJIROKU_PROGRAM_TO_DATA));
    if (!home.ready()) {
        std::cerr << home.problem << "\n";
        return std::nullopt;
    }
    if (!home.isCurrentDir) std::cerr << "ゲームフォルダ / game folder: " << home.root.string() << "\n";
    if (!home.seeded.empty())
        std::cerr << "ゲームのデータを " << home.seeded.size() << " ファイル用意しました / seeded "
                  << home.seeded.size() << " data files\n";
    return home.root;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << tei::cliUsage();
        return args.empty() ? 2 : 0;
    }
    std::ios::sync_with_stdio(false);
    if (args[0] == "autoplay") {
        std::string error;
        auto options = tei::parseAutoplayOptions({args.begin() + 1, args.end()}, error);
        if (!options) {
            std::cerr << error << "\n" << tei::cliUsage();
            return 2;
        }
        auto root = gameFolderRoot();
        if (!root) return 2;
        return tei::runAutoplay(*options, tei::GameFolder(*root), std::cout, std::cerr);
    }
    if (args[0] == "sweep") {
        std::string error;
        auto options = tei::parseSweepOptions({args.begin() + 1, args.end()}, error);
        if (!options) {
            std::cerr << error << "\n" << tei::cliUsage();
            return 2;
        }
        auto root = gameFolderRoot();
        if (!root) return 2;
        return tei::runSweep(*options, tei::GameFolder(*root), std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
    }
    if (args[0] == "check" && args.size() == 2) return tei::runCheck(args[1], std::cout);
    if (args[0] == "check" && args.size() == 1) {
        auto root = gameFolderRoot();
        if (!root) return 2;
        return tei::runCheck(*root / "ini", std::cout);
    }
    std::cerr << "不明なコマンドです: " << args[0] << " / unknown command: " << args[0] << "\n" << tei::cliUsage();
    return 2;
}
