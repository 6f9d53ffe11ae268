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
    {1, 11, {}, "2517d19ae89408a0",
     "a727d068aca4f5c9186916a9f0ddcdaed63fbdcaf48af529c66fdeeacdf860fec63f2d8c5770bbbd32d2c1286392013794a56989324e9956",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=6d98b50c967169ac ini/gunimg.ini=f63587d68a277193 ini/gunsv.ini=6ec5adc1c915115d ini/teiji.img=629740c5b7650f41 ini/teiji.log=31b0cdd00799bd5e save/tei_end.log=31b0cdd00799bd5e"},
    {1, 21, {2}, "a3838e1bbd0ab770",
     "fa112f85037f85df0f4c246a425dbdd2de423eed7bd0c43b491b85d26541e15c90782b1a30fc7c595e3efd0dc7330ecdb8a33bf21befc2c6",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=8ac86867e6cae937 ini/gunimg.ini=535294458b7093fb ini/gunsv.ini=d9d15adcf21728bf ini/teiji.img=cba966665a3849a8 ini/teiji.log=e76e981172a15ea3 save/tei_end.log=e76e981172a15ea3"},
    {1, 31, {1, 4}, "e47649e4e02618d6",
     "4ffb24f14c7571c3159e9e960d189c1f68e9326acc1b14cf46d821fe2cafd2ff1aefe8522e27be591860bdd8269540b6bc6bbe8fcd53cca8",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=be1c1d9bb6e1332e ini/gunimg.ini=9e8f70ed612f6188 ini/gunsv.ini=88c6d9456f3f00df ini/teiji.img=252c77e5ab5bd2cc ini/teiji.log=f85f13cc5e94ed10 save/tei_end.log=f85f13cc5e94ed10"},
    {2, 12, {}, "732a7f8ffdb16da9",
     "4e27d266cb370fc7f2d4f9ea33ea17addddf159f31baf7a0de07cb752722e28745b9edad09963371d049ec2b161fa10413881f5d0cf1",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=e790c2e18511ca64 ini/gunimg.ini=146283abe83bc753 ini/gunsv.ini=6063c6ae60b37489 ini/teiji.img=13ed6fe9415c5fb5 ini/teiji.log=5151605ab48ad571 save/tei_end.log=5151605ab48ad571"},
    {2, 22, {3}, "07cc184714738f95",
     "6439e7c6e1b5157ddab47d0ce95cb7883d55b7d7c6977081588f8840c77b298f07c1cb8f9ee6a5355d0d86df599b460e12d614a6fdd3",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=4edb2f0f6b095137 ini/gunimg.ini=5eafe0425e5b5c46 ini/gunsv.ini=0e5739a64f5dfe84 ini/teiji.img=06c98923aaee1b93 ini/teiji.log=cfbfd26b59b9831a save/tei_end.log=cfbfd26b59b9831a"},
    {2, 32, {1, 5}, "e4444a9c72b97797",
     "a44d1b36d3c9e2eb5f563cee3f5aaf7caef68a2de677f882dca9d732e9826771a8c0fe1354f0382ebc8eb206a39c91b0f6a48ef8d061",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=e49c3cc526d09666 ini/gunimg.ini=0ea3434caaee2725 ini/gunsv.ini=eda9a7f72777672e ini/teiji.img=6ca4c58b008a71d0 ini/teiji.log=656d0e077000aebd save/tei_end.log=656d0e077000aebd"},
    {3, 13, {}, "4f5b3cc15f4b3c22",
     "e93ff3f8e9d53d72f07682f23a66a09940eb3b42a3a5c215de9511ae124e01ac66bb94b065d355aaed3cb7d3b104dc307e2488cd313f",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=1630d521f68a2062 ini/gunimg.ini=3fa4d46ea60554e3 ini/gunsv.ini=a0a7f5c3ec423ca4 ini/teiji.img=41235b01512abe63 ini/teiji.log=e5a8d25beb4080c0 save/tei_end.log=e5a8d25beb4080c0"},
    {3, 23, {4}, "a2586ee97efb6f65",
     "faa2125bb8a2532d2cbeee273484644659febc0048b7f86324340e23d1e2ba41efd50ad968192921d87c03c920f1319082e4dcdb7ca5",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=33cdf68b654caae1 ini/gunimg.ini=df3a43ec5e4c0748 ini/gunsv.ini=be6f0b9e8e395f4c ini/teiji.img=b22bd6a1596a39a7 ini/teiji.log=e91e0a529112c0e2 save/tei_end.log=e91e0a529112c0e2"},
    {3, 33, {1, 6}, "55e58270c93980c5",
     "0d2823407295d9801a7f2a54f023b12b3cf5bd9acef4da4c3fc08a957ab3241bc40c906862b2acba76b8186c99318203b7c189f3b141",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=07a972309484bbf8 ini/gunimg.ini=a98ad407921a61dc ini/gunsv.ini=b935e13dc528f1f4 ini/teiji.img=7ad10594933c0382 ini/teiji.log=8cd710eeb691650c save/tei_end.log=8cd710eeb691650c"},
    {4, 14, {}, "14e47a6579e8a1ae",
     "236b51750d8fc3b72d19c813cf0327ef85eb480fe2d98613c795266814141748726b51d04e676c6002338e56e78121024a3aa5ab912bf61a",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=bd569d1697aa1ad5 ini/gunimg.ini=00c2c480265befd4 ini/gunsv.ini=29a3891a4338fec6 ini/teiji.img=b86a424a6d7279cc ini/teiji.log=4d4f175931f271cc save/tei_end.log=4d4f175931f271cc"},
    {4, 24, {5}, "b38470fd0a2644b1",
     "b54971384a39d8cec63800d1324442766ae82e74788fe46ed0c3ff54622a66467090d0ca8e845b32e693c8470de51660fba9296daced94cb",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=7f33e102d68de1d7 ini/gunimg.ini=3bbf7957c5572454 ini/gunsv.ini=b771cef85a91f1a8 ini/teiji.img=af44ab43131a34b0 ini/teiji.log=915c2f4ded9d0136 save/tei_end.log=915c2f4ded9d0136"},
    {4, 34, {1, 7}, "abfadcd062f9eae8",
     "f918edb8462f55097a37ba84e25d731a52e726cad75d721f588167bca3bdeefa712ab2411a343559b4c4366e3693f48af9b9123f9e69c37a",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=5fc97a47b7d4ec2b ini/gunimg.ini=a9f1939e6a131eb8 ini/gunsv.ini=bbc0ffef23f5121e ini/teiji.img=9ad913d67a2dd397 ini/teiji.log=33db24875ae17dca save/tei_end.log=33db24875ae17dca"},
    {5, 15, {}, "a4e5fe6029554739",
     "73f247353276f0b2124e6d3e2bb4e83a61aa4b6668ad67ebf2af1f964c0f9c8fce00cc1b83ad1956cff01fbb60453a6b7a56eaef5549",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=b2213ddbb8d95d0f ini/gunimg.ini=e25c71709b134a15 ini/gunsv.ini=a3ec194a4d32cc62 ini/teiji.img=bd2472532fb3ff42 ini/teiji.log=538943752e13cf6b save/tei_end.log=538943752e13cf6b"},
    {5, 25, {6}, "97c9815ab0e9c98d",
     "039987d4331f8102116f91a77e9ebb60c1d49ff462dd810191ac1f83e2a79c811cfb1e34b268419985a20dc938e3d92a5d50097625a0",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=aefee0b652152a77 ini/gunimg.ini=748fd08f32d800f2 ini/gunsv.ini=92172ee115307147 ini/teiji.img=263a0328b9dbe43d ini/teiji.log=9454fbc032ee20cc save/tei_end.log=9454fbc032ee20cc"},
    {5, 35, {1, 8}, "62ae9be980dd23d5",
     "02325fbb1c9d64b6082e786a250e0b1d928aaa48d354dda1fc9b86a9101e7b6ebf99f8330154e9eef18a99457ec6e0b0d24a43e56355",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=7a53162f2b935e66 ini/gunimg.ini=938e6a40ac5c19e7 ini/gunsv.ini=1805570bf4ef8b03 ini/teiji.img=51d290d88b291908 ini/teiji.log=d908e4206fed3cc9 save/tei_end.log=d908e4206fed3cc9"},
    {6, 16, {}, "199e141e4a09e7c5",
     "ffcf1d4c36d8ea7719d82917018d56cede8e10e755c74d8c82e2c018bf1e2f2c36770c6888d3b4d241028a7dea1525a3774edb5e6230",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=293fec8a5665b36f ini/gunimg.ini=5e14581dcf7bb5c3 ini/gunsv.ini=7d3a2cb47752fdb4 ini/teiji.img=045976c19a3cfb0f ini/teiji.log=852c43246489c1cd save/tei_end.log=852c43246489c1cd"},
    {6, 26, {7}, "bc3b2f6b83ed943f",
     "1e2ce85739c4c3614e72db80e69413ec2318e002a5d7aab2133e8de74dce096eecc575d1b4d626fe127b6237d15c87aa5509f67f5907",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=28a5d06654f3c21e ini/gunimg.ini=cea6c0a87471a375 ini/gunsv.ini=28bdc6e6815bc6d2 ini/teiji.img=1f33f26c16f023c0 ini/teiji.log=ec08797979b78350 save/tei_end.log=ec08797979b78350"},
    {6, 36, {1, 9}, "123de2a945a7587e",
     "7bebc6ad988cd21f69add487c2d4cd64173ad7b285e85c973a7b6a568380c3b8f37adb1a78c6c5554922c18a47641a3732633d9ca7fc",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=99613c64df6d7c72 ini/gunimg.ini=21af1f62ad19ba46 ini/gunsv.ini=bef30e8d9d9c91d5 ini/teiji.img=3893a532b1c123c2 ini/teiji.log=69ea0820ade5c8b8 save/tei_end.log=69ea0820ade5c8b8"},
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
