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
    {1, 11, {}, "8f75d5ee45c5184f",
     "81c1d0ba77ae7c03bd79cbb551b83c2975eeb8d3d15292ae027882bdcddf11b7a534efe50acac9212bf1dd154f5f8acdc1d5718f20239956",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=3120bf081483b35e ini/gunimg.ini=f63587d68a277193 ini/gunsv.ini=6ec5adc1c915115d ini/teiji.img=1635140fdb3ba2ac ini/teiji.log=3cbf9fb00941473c save/tei_end.log=3cbf9fb00941473c"},
    {1, 21, {2}, "b003716f80544d43",
     "253bb36943a305a8dff2be408b34cb552727db67464b78d4dfa40fac0fc87dd318c55fe9033833671abc3115018c9e9c0d99d67a233bc2c6",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=b0899af86f83ef0b ini/gunimg.ini=535294458b7093fb ini/gunsv.ini=d9d15adcf21728bf ini/teiji.img=0aaab284956836a1 ini/teiji.log=004e616cf2929a06 save/tei_end.log=004e616cf2929a06"},
    {1, 31, {1, 4}, "4f086e67026ab858",
     "61d7f301813e6dfad02b09044966d84a4d5197834a832687d5261325b3275d3af50e7ed7f593986bee992c58e6832c79cafcbd6b4887cca8",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=2d8985004508adcd ini/gunimg.ini=9e8f70ed612f6188 ini/gunsv.ini=88c6d9456f3f00df ini/teiji.img=42d2342a6aa694d3 ini/teiji.log=2d9a2b6b1b5314a3 save/tei_end.log=2d9a2b6b1b5314a3"},
    {2, 12, {}, "410b22ad48623ffc",
     "6219baec8bc25437ac6c05671e59da1858da80c570e14d4a27fe3a29ad8e58addd7b3eb5b5823b0460c6c6ec218b905fb9a51993765e",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=10f80610e9b556e4 ini/gunimg.ini=3d2834f304885867 ini/gunsv.ini=842f88082b7befa8 ini/teiji.img=46d3ff665f74e2d2 ini/teiji.log=7ab76e339c4f59e9 save/tei_end.log=7ab76e339c4f59e9"},
    {2, 22, {3}, "a76d7f489db3bd58",
     "6ba43a646b8c0a357f0c85cc3510b8a1bb1dee2340cba16a262774712fb73565957b315654abe9cfc53101d2ca17bf69e32cf1e10e62",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=ae4159ec20d45b20 ini/gunimg.ini=5a1fa024d4ed22ac ini/gunsv.ini=d9828e64caa36f4f ini/teiji.img=f0c5ce4c3d8c4a41 ini/teiji.log=47178d32eac11602 save/tei_end.log=47178d32eac11602"},
    {2, 32, {1, 5}, "212facbcc53b64b9",
     "70df0eec8f52a277d2c30cf9883a3a927a122dce1f77bed9c09bb24859aa1d0818c51066bf4c7334d56243a3d42d5ddfaffc557bfbdf",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=7f464000d7c768e2 ini/gunimg.ini=ab8ee7288f1f2c57 ini/gunsv.ini=ab8ee7288f1f2c57 ini/teiji.img=360ba1100bc5c1ad ini/teiji.log=400b389d2ef41b7f save/tei_end.log=400b389d2ef41b7f"},
    {3, 13, {}, "eae73a151a7bc0c0",
     "4e7721b201205858567b0d5dae14a5c09111261073be93d8590c8b7ed77f286dc422c5c0b07c5606abe583d905d06955b9720340313f",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=46478f21cb1265cd ini/gunimg.ini=3fa4d46ea60554e3 ini/gunsv.ini=a0a7f5c3ec423ca4 ini/teiji.img=4b848026f336e110 ini/teiji.log=6f1257371b50c1b3 save/tei_end.log=6f1257371b50c1b3"},
    {3, 23, {4}, "8fc20ef7287b7703",
     "b99ab5ee24a4e908617e679b1bd23eaee50d257b122a36e2fc970e23c46d5d81816371e1d525eebb063b6d73f2294af1047ca3ed7ca5",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=b7615b073356a3bf ini/gunimg.ini=df3a43ec5e4c0748 ini/gunsv.ini=be6f0b9e8e395f4c ini/teiji.img=b36cb319a4577140 ini/teiji.log=5285af81c0a8ea85 save/tei_end.log=5285af81c0a8ea85"},
    {3, 33, {1, 6}, "cf845cd8b1599356",
     "19aa0e9915fcfd290c044c4e5d831501e0095c358eddaf60ebcf962a3bdf91f603055f55378ecf34d7c9fb1db2fc11e6fcb0a81ab141",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=d3d54520e860ee2f ini/gunimg.ini=a98ad407921a61dc ini/gunsv.ini=b935e13dc528f1f4 ini/teiji.img=4657821d8eacba2d ini/teiji.log=37eb88af36dd3567 save/tei_end.log=37eb88af36dd3567"},
    {4, 14, {}, "a5332e50e010f2b1",
     "964cb0fcacb0f56a44d8611c737cf4e5d971ce72e2d9ef39833895490391242749beaa6cb30993932cf717eedbecedad6d81e9773a6ff61a",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=f5c576873f6866bb ini/gunimg.ini=00c2c480265befd4 ini/gunsv.ini=29a3891a4338fec6 ini/teiji.img=edf856e051297b65 ini/teiji.log=3102309af7ae93e6 save/tei_end.log=3102309af7ae93e6"},
    {4, 24, {5}, "ff3d5f22a5f53fb0",
     "db18be19e875159ccd55c45e1ffb55bb2b4227adf86aacf7caf31eec321c81822d8834f0a31f7417b99a8689a8e442b164aaf353e6ff94cb",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=f16cde234d85ca9c ini/gunimg.ini=3bbf7957c5572454 ini/gunsv.ini=b771cef85a91f1a8 ini/teiji.img=5ff06f0a66b6e7f9 ini/teiji.log=80407d8463fa3975 save/tei_end.log=80407d8463fa3975"},
    {4, 34, {1, 7}, "837c1c9fcc60e9f4",
     "8b9d3a0d8118abf4505227eb3d8c0d5707b5c2db0c52bf5dd88fa990587419616a544b22bb959d0250e013585a59dfcbc94ba4b481b8c37a",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=1c486a6c076b36e6 ini/gunimg.ini=a9f1939e6a131eb8 ini/gunsv.ini=bbc0ffef23f5121e ini/teiji.img=813b9d103eaa3f02 ini/teiji.log=1c881910d1e5df50 save/tei_end.log=1c881910d1e5df50"},
    {5, 15, {}, "213046a0ee21eddf",
     "643d9ba584bc24d1f96a92f95f1dedcbda7740c0b5a23435e23b6f726e657fb9fd008a0a64fd52d8dc45885047956bbe17fd34fecf1a",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=0ba549950bed72dd ini/gunimg.ini=2b26c5d13b72beb8 ini/gunsv.ini=9b9732a703289d02 ini/teiji.img=d11ef34862eed2ef ini/teiji.log=847e5740e9923803 save/tei_end.log=847e5740e9923803"},
    {5, 25, {6}, "2435cc61f4f9f533",
     "81e2da5ec03edd692d5229864bd5dbcdb83aa8fc0a1de840d988d1b722fe1fd18889d602f3c4f85155f5c9ac81243efd3f46d0fe9ab9",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=1b132df3beef71fb ini/gunimg.ini=b774b5a3eb8df4ad ini/gunsv.ini=faae2fdde7d34fde ini/teiji.img=78487a2833a04f36 ini/teiji.log=e6333abafb7da70c save/tei_end.log=e6333abafb7da70c"},
    {5, 35, {1, 8}, "002ee4f54125399d",
     "8a5cb92ba338fed444eb7c0eb6b8781c57fdc14016e18fed021aa691eaa84e3dc48c3197d91fd635ff2a940b4d1774bd2da8d1f80870",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=2a65a081297b45dd ini/gunimg.ini=2240148f66ef0eeb ini/gunsv.ini=6079ebde45c7ddde ini/teiji.img=5c9e1542897cfa02 ini/teiji.log=e3d5862d15f546f5 save/tei_end.log=e3d5862d15f546f5"},
    {6, 16, {}, "181dc9ee8377238d",
     "3e099d57e19a07b834d4589a738d24c790b30be141d8023382e2e20656153c5e3ea7aba2e6ddb3535db78771067dea2a3ab13c786230",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=6c5b461ad7c74735 ini/gunimg.ini=5e14581dcf7bb5c3 ini/gunsv.ini=7d3a2cb47752fdb4 ini/teiji.img=54e8658082aff7a5 ini/teiji.log=34d2bf02da3517b5 save/tei_end.log=34d2bf02da3517b5"},
    {6, 26, {7}, "e8dfc23ebfd8bad3",
     "ccb3e8578bdbafae2798bafdc863f6bf2318f988c4610c4802e3dfff3ac818716b897158f9dfaf0370de580c944ceeaea26190805907",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=ea50f8c4205332f0 ini/gunimg.ini=cea6c0a87471a375 ini/gunsv.ini=28bdc6e6815bc6d2 ini/teiji.img=2fdfa35ed1a36a66 ini/teiji.log=8982cb36eff468c8 save/tei_end.log=8982cb36eff468c8"},
    {6, 36, {1, 9}, "e5e18be8855d66f8",
     "0854e537bd13ef2da2102295e9f26fbc61488cdae64d7f06d5033b059d3514a42a78512b21f0d67bee8fc75eca33c96b8182b639a7fc",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=86b34e7e6c68a3a3 ini/gunimg.ini=21af1f62ad19ba46 ini/gunsv.ini=bef30e8d9d9c91d5 ini/teiji.img=047916f607ee3ebd ini/teiji.log=7dc0d98016bb2fd8 save/tei_end.log=7dc0d98016bb2fd8"},
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
