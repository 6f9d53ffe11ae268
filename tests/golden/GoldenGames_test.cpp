// Golden games: seeded whole games of every scenario, played as teijiroku-cli autoplay plays them on
// the shipped data, with everything a player could observe digested — every page of the message
// window, every message box and question, and the bytes of every file the game leaves that differs
// from the shipped data. The digests below pin the game: a change that alters any game fails here,
// naming the game, the first year whose pages differ (with those pages) and every file that differs.
//
// A change that alters the games on purpose replaces the table in the same commit and says why:
//   TEIJIROKU_GOLDEN_PRINT=1 build/tests/engine_tests --gtest_filter='GoldenGames.*'
// prints the table as the games now play.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/Scenarios.h"
#include "game/Autoplay.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

namespace fs = std::filesystem;
using test::TempGameFolder;

// FNV-1a, 64 bits: small, fixed and the same on every machine.
uint64_t digest(std::string_view bytes) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    return h;
}

std::string hex(uint64_t v, int digits) {
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(v));
    return std::string(buf + 16 - digits);
}

struct Golden {
    int scenario;
    uint64_t seed;
    std::vector<int> players;
    const char* transcript;  // digest of everything printed
    const char* years;       // four hex digits for each year's pages and messages, in order
    const char* files;       // "name=digest" for every file that is not the shipped one, by name
};

// clang-format off
const std::vector<Golden> kGames = {
    {1, 11, {}, "706fa20cf7476ebb",
     "81c1d0ba77ae7c03bd79cbb551b83c2975eeb8d3d15292ae027882bdcddf11b7a534764e0acac9212bf1dd154f5f8acd78684b70202361bf",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=3120bf081483b35e ini/gunimg.ini=c115080952cb96ff ini/gunsv.ini=1e04a919f953daf9 ini/teiji.img=0788033c3c80beea ini/teiji.log=840394439e4e7826 save/tei_end.log=840394439e4e7826"},
    {1, 21, {2}, "702c4d9c295c80a9",
     "253bb36943a305a8dff2be408b34cb552727db67464b78d4dfa40fac0fc87dd318c5a0ad033833671abc3115018c9e9c0d99d67a233bf3cc",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=b0899af86f83ef0b ini/gunimg.ini=ad58e33681a0ffe4 ini/gunsv.ini=b0cceb74a1b90e98 ini/teiji.img=0aaab284956836a1 ini/teiji.log=004e616cf2929a06 save/tei_end.log=004e616cf2929a06"},
    {1, 31, {1, 4}, "73ad1d7f4ab3545a",
     "17f6f301813e6dfad02b09044966d84a4d5197834a832687d5261325b3275d3af50e8176f593986bee992c58e6832c79cafcbd6b48873a88",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=2d8985004508adcd ini/gunimg.ini=536d24022989bf28 ini/gunsv.ini=1dbc11753793e07f ini/teiji.img=eac197f05d166a1c ini/teiji.log=4d96661c69431c80 save/tei_end.log=4d96661c69431c80"},
    {2, 12, {}, "9613aa56ec10c09b",
     "6219baec8bc25437ac6c05671e59da1858da881370e14d4a1e08256419f558ad9a259df179d97e39e552909a77b31588496a1993b4bf",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=10f80610e9b556e4 ini/gunimg.ini=8dd1ba4753b8f070 ini/gunsv.ini=91c6a64adb81efb5 ini/teiji.img=ee433facd3b94178 ini/teiji.log=c193b8d37800cf37 save/tei_end.log=c193b8d37800cf37"},
    {2, 22, {3}, "dbc658710c8b6c65",
     "6ba43a646b8c0a357f0c85cc3510b8a1f5f19f61577ec1cb53be76e67e6f1ef9a9fc315654abc1a9f968af45dc4bcacf21ed8431f831",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=f4138e2a6d05c6a6 ini/gunimg.ini=b81092c129a7c2b8 ini/gunsv.ini=a4c2ff45af9fc59f ini/teiji.img=d73e52418bbd5eb3 ini/teiji.log=6f27cdc403791ea2 save/tei_end.log=6f27cdc403791ea2"},
    {2, 32, {1, 5}, "cfc307bdf6305a12",
     "70df0eec8f52a277d2c30cf9883a3a927a122dce1f77bed9c09bb24859aa1d08e4661066bf4c7334d56243a3d42d5ddfaffc557b34c9",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=7f464000d7c768e2 ini/gunimg.ini=cd258fb8bf0cb76b ini/gunsv.ini=cd258fb8bf0cb76b ini/teiji.img=360ba1100bc5c1ad ini/teiji.log=400b389d2ef41b7f save/tei_end.log=400b389d2ef41b7f"},
    {3, 13, {}, "854dbf8b725ff190",
     "6a8324f964a89ba8d678deabe3913a6cb3603614a19134a892bb05cae027ee8b17d49d62e578a5bb2d49cc365c7308a490de0a59e1e4",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=6dcde8327c30762b ini/gunimg.ini=aa35049d8dd85980 ini/gunsv.ini=c94a10d48bf4631b ini/teiji.img=cf57496971825ba5 ini/teiji.log=4da6c4bf96c5c54a save/tei_end.log=4da6c4bf96c5c54a"},
    {3, 23, {4}, "bb778343d540fdb1",
     "60b8714563e69534ab444663547c18418eec00e1c673e9f88478b9420c8cf9cb5fd8ef8ff7a58c78d8bb2da27c5479eab017b65a0657",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=4b4c15c84c2461bd ini/gunimg.ini=254d488225d8d625 ini/gunsv.ini=e648e5ad6e121bd1 ini/teiji.img=e32d89dd1578501a ini/teiji.log=0b77c9e5b253c06b save/tei_end.log=0b77c9e5b253c06b"},
    {3, 33, {1, 6}, "ae4a11aa18916c0d",
     "2e972a5b30e67f574bc07db9405b3ba5c691b6c25d62173b08e80e8e5c33ac718d73cd9b340446b4eafc728e6814f5d9fc686a463ad0",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=27279c55c77e421c ini/gunimg.ini=4e14975a180db4b9 ini/gunsv.ini=aa29c3be2e797717 ini/teiji.img=8df399fd9fa5d8c4 ini/teiji.log=474a39899127be83 save/tei_end.log=474a39899127be83"},
    {4, 14, {}, "f5ccbe68edcc6698",
     "964cb0fcacb0f56a44d8611c737cf4e5d971ce72e2d9ef39833895490391242749bea81fb30993932cf717eedbecedad6d81e9773a6ff61a",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=f5c576873f6866bb ini/gunimg.ini=5e91587233b28e09 ini/gunsv.ini=651db907d79b0f7f ini/teiji.img=edf856e051297b65 ini/teiji.log=3102309af7ae93e6 save/tei_end.log=3102309af7ae93e6"},
    {4, 24, {5}, "df542a5f016786cf",
     "db18be19e875159ccd55c45e1ffb55bb2b4227adf86aacf7caf31eec321c81822d88f22ea31f7417b99a8689a8e442b164aac52ce6ff85e5",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=f16cde234d85ca9c ini/gunimg.ini=b967a92174313111 ini/gunsv.ini=6998696091a1ecbd ini/teiji.img=c130ef3b494f5f92 ini/teiji.log=7c06ae746c1bb2a2 save/tei_end.log=7c06ae746c1bb2a2"},
    {4, 34, {1, 7}, "adab898cc2bd3cb5",
     "8b9d3a0d498dabf4505227eb3d8c0d57143cc2db2b3cbf5dd88f74d9b6e67e2b0441de0745559d023f049c57975b085f3621a4b4259fc14a",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=1c486a6c076b36e6 ini/gunimg.ini=3756d929b066b801 ini/gunsv.ini=8466e8ea79c05d3b ini/teiji.img=92541b163f2bbf23 ini/teiji.log=7d876b50a7856cf0 save/tei_end.log=7d876b50a7856cf0"},
    {5, 15, {}, "0128b789d95e66e6",
     "8ff99ba584bc24d1f96a92f95f1dedcbda7740c0b5a23435e23b6f726e657fb9599e8a0a64fd52d8dc45a07647956bbe17fd34fee057",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=0ba549950bed72dd ini/gunimg.ini=97fef096e697a275 ini/gunsv.ini=92d29f8a30e53af7 ini/teiji.img=94a087f782d362b9 ini/teiji.log=44552e7ea25c5271 save/tei_end.log=44552e7ea25c5271"},
    {5, 25, {6}, "2cf3c2cf4cd8f9e6",
     "81e2da5ec03edd692d5229864bd535bfb83aa8fc0a1de840d988d1b722feef02ab54d602ee7ff85155f5c9ac81243efd3f46d0fe9ab9",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=1b132df3beef71fb ini/gunimg.ini=3586994cf96ad839 ini/gunsv.ini=e4458ca47f7369e2 ini/teiji.img=d57296f210d06b90 ini/teiji.log=17ceb050b34e4946 save/tei_end.log=17ceb050b34e4946"},
    {5, 35, {1, 8}, "3d17a63a3abd610a",
     "0843b92b5e46fed437397c0eb6b896e3f2e9c6b816e1fecab72b64e839fb2d602601d8768bdce578d870d557088f43bf845ac4615e57",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=e76e72552eeee612 ini/gunimg.ini=2eadd4b8158a9449 ini/gunsv.ini=0fa769d7d9346e5d ini/teiji.img=3038e819351e7053 ini/teiji.log=8ee361d5379905cd save/tei_end.log=8ee361d5379905cd"},
    {6, 16, {}, "84310e4c258ceca2",
     "cf3211fe279d7adcc11400bf56a8ba70eaaca943603bd5941d25b858723d7af8994d74876968e90d3c135b754da7b25500b44e4e581d",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=ceb9c50ae483a6cd ini/gunimg.ini=e52a72fe4b42e4d1 ini/gunsv.ini=205e7edeee187b8a ini/teiji.img=0d13e5b14f9939d0 ini/teiji.log=a6f45fe399edec6c save/tei_end.log=a6f45fe399edec6c"},
    {6, 26, {7}, "89ac361269701c99",
     "7224aabc11ff22a72b660ff321521774b4d975fb7648689b57f7d88fd54808e09d2ded3406ef8906db75101492c74f4b92d398305fa3",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=4a0cf65d2e6e12dc ini/gunimg.ini=d1cb2ada3f81e0e4 ini/gunsv.ini=d1cb2ada3f81e0e4 ini/teiji.img=29fdb1d7a6817743 ini/teiji.log=af2d321ce5511e57 save/tei_end.log=af2d321ce5511e57"},
    {6, 36, {1, 9}, "2137df65a5410111",
     "5abe43b923a1efa96ebac5e45f3baf2cbee1e3ddf4f78614a9dd08e08ea2860fa62382286424f1413f535193a9c78d6bcb3001e7db77",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=99e601e35c7e6595 ini/gunimg.ini=871b879907913191 ini/gunsv.ini=4ad3ba53db1e517a ini/teiji.img=b35731d462fec921 ini/teiji.log=d35423d09a8b3ca8 save/tei_end.log=d35423d09a8b3ca8"},
};
// clang-format on

// What one game showed and left.
struct Played {
    int status = 0;
    std::string transcript;                    // stdout and stderr
    std::vector<std::string> years;            // the transcript cut after each year end
    std::map<std::string, std::string> files;  // "ini/busv.ini" -> bytes, only those not shipped as they are

    std::string yearPrints() const {
        std::string s;
        for (const auto& y : years) s += hex(digest(y), 4);
        return s;
    }
    std::string fileDigests() const {
        std::string s;
        for (const auto& [name, bytes] : files) s += (s.empty() ? "" : " ") + name + "=" + hex(digest(bytes), 16);
        return s;
    }
};

// Cuts the transcript after each year end's window, so that a year's part holds the players' turns,
// the story and the year end of that year (and the reports that follow the previous one).
class YearCuts final : public AutoplayWatch {
public:
    explicit YearCuts(const std::ostringstream& out) : out_(out) {}
    void windowShown(int mode, const MessagePages&) override {
        if (mode == 2) cuts.push_back(out_.str().size());
    }
    void turnDone() override {}
    std::vector<size_t> cuts;

private:
    const std::ostringstream& out_;
};

Played play(const Golden& game) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    AutoplayOptions o;
    o.scenario = game.scenario;
    o.seed = game.seed;
    o.players = game.players;
    std::ostringstream out, err;
    YearCuts cuts(out);
    Played p;
    p.status = runAutoplay(o, tmp.folder(), out, err, &cuts);
    std::string text = out.str();
    size_t from = 0;
    for (size_t cut : cuts.cuts) {
        p.years.push_back(text.substr(from, cut - from));
        from = cut;
    }
    p.years.push_back(text.substr(from));
    p.transcript = text + "\n[stderr]\n" + err.str();

    const fs::path shipped = fs::path(TEIJIROKU_SOURCE_DIR) / "data" / "ini";
    for (const char* sub : {"ini", "save"})
        for (const auto& entry : fs::directory_iterator(tmp.root() / sub)) {
            std::string bytes = tmp.folder().readBytes(entry.path());
            fs::path original = shipped / entry.path().filename();
            if (std::string(sub) == "ini" && fs::exists(original) && tmp.folder().readBytes(original) == bytes)
                continue;
            p.files[std::string(sub) + "/" + entry.path().filename().string()] = std::move(bytes);
        }
    return p;
}

std::string describe(const Golden& g) {
    std::string players;
    for (int f : g.players) players += (players.empty() ? "" : ",") + std::to_string(f);
    return "teijiroku-cli autoplay --scenario " + std::to_string(g.scenario) + " --seed " + std::to_string(g.seed) +
           (players.empty() ? "" : " --players " + players);
}

std::string tableRow(const Golden& g, const Played& p) {
    std::string players;
    for (int f : g.players) players += (players.empty() ? "" : ", ") + std::to_string(f);
    return "{" + std::to_string(g.scenario) + ", " + std::to_string(g.seed) + ", {" + players + "}, \"" +
           hex(digest(p.transcript), 16) + "\",\n \"" + p.yearPrints() + "\",\n \"" + p.fileDigests() + "\"},\n";
}

// The named files of a "name=digest name=digest" list.
std::map<std::string, std::string> splitFiles(std::string_view list) {
    std::map<std::string, std::string> out;
    while (!list.empty()) {
        size_t space = list.find(' ');
        std::string_view item = list.substr(0, space);
        size_t eq = item.find('=');
        out[std::string(item.substr(0, eq))] = std::string(item.substr(eq + 1));
        if (space == std::string_view::npos) break;
        list.remove_prefix(space + 1);
    }
    return out;
}

TEST(GoldenGames, EveryScenarioPlaysAsPinned) {
    const bool print = std::getenv("TEIJIROKU_GOLDEN_PRINT") != nullptr;
    std::string table;
    for (const Golden& g : kGames) {
        Played p = play(g);
        table += tableRow(g, p);
        if (print) continue;
        SCOPED_TRACE(describe(g));
        EXPECT_EQ(p.status, 0) << p.transcript.substr(p.transcript.rfind("[stderr]"));

        // The first year whose pages or messages differ, shown as they now are.
        std::string prints = p.yearPrints();
        std::string_view expected = g.years;
        for (size_t y = 0; y * 4 < std::max(prints.size(), expected.size()); ++y) {
            if (prints.substr(y * 4, 4) == expected.substr(std::min(y * 4, expected.size()), 4)) continue;
            std::string shown = y < p.years.size() ? p.years[y] : "(the game ended before this year)";
            ADD_FAILURE() << "the pages and messages of " << scenarioInfo(g.scenario).firstYear + static_cast<int>(y)
                          << " differ (part " << y + 1 << " of " << p.years.size() << ", " << expected.size() / 4
                          << " pinned); they now read:\n"
                          << shown.substr(0, 3000);
            break;
        }
        EXPECT_EQ(hex(digest(p.transcript), 16), g.transcript) << "the transcript differs";

        auto pinned = splitFiles(g.files);
        auto now = splitFiles(p.fileDigests());
        for (const auto& [name, d] : now)
            if (!pinned.count(name))
                ADD_FAILURE() << name << " is left by the game but not pinned";
            else if (pinned[name] != d)
                ADD_FAILURE() << name << " differs from the pinned bytes (" << p.files[name].size() << " bytes now)";
        for (const auto& [name, d] : pinned)
            if (!now.count(name)) ADD_FAILURE() << name << " is pinned but the game no longer leaves it";
    }
    if (print) std::cout << table;
}

}  // namespace
}  // namespace tei
