// teijiroku-cli: the game without a window, in the current directory.
//   autoplay  plays a whole game with the computer (see --help)
//   check     validates an ini folder

#include <iostream>
#include <string>
#include <vector>

#include "game/Autoplay.h"

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
        return tei::runAutoplay(*options, tei::GameFolder(), std::cout, std::cerr);
    }
    if (args[0] == "check" && args.size() <= 2) return tei::runCheck(args.size() == 2 ? args[1] : "ini", std::cout);
    std::cerr << "不明なコマンドです: " << args[0] << " / unknown command: " << args[0] << "\n" << tei::cliUsage();
    return 2;
}
