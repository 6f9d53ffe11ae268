// Golden games: seeded whole games of every scenario, played as teijiroku-cli autoplay plays them on
// the shipped data, with everything a player could observe digested — every page of the message
// window, every message box and question, and the bytes of every file the game leaves that differs
// from the shipped data. The digests below pin the game: a change that alters any game fails here,
// naming the game, the first year whose pages differ (with those pages) and every file that differs.
//
// The same games played in memory must be these games byte for byte: the storage a game runs on
// changes nothing a player could observe.
//
// A change that alters the games on purpose replaces the table in the same commit and says why:
//   TEIJIROKU_GOLDEN_PRINT=1 build/tests/engine_tests --gtest_filter='GoldenGames.*'
// prints the table as the games now play.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/MemoryStorage.h"
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
    {1, 11, {}, "c0ee1b56b176b222",
     "a727d068c107f5c9a18fb1c8f0ddcdaed63f780eaa78f529c66f3453cdf860fec63f2d8c73dfbbbd5e5c5c1063920137d2fb6989324e9956",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=6d98b50c967169ac ini/gunimg.ini=f63587d68a277193 ini/gunsv.ini=6ec5adc1c915115d ini/teiji.img=2229dabba31397be ini/teiji.log=2a0462639659813b save/tei_end.log=2a0462639659813b"},
    {1, 21, {2}, "015a52300f2f3502",
     "fa112f85037fc2b952d1246a425d2d995a4d3eed7bd00e25f7f5b919314be15c9078252730fcadb35e3efd0dcd3c365e0a4a3bf21befc2c6",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=8ac86867e6cae937 ini/gunimg.ini=535294458b7093fb ini/gunsv.ini=d9d15adcf21728bf ini/teiji.img=adbf29e40f395e66 ini/teiji.log=b58b95430d442b89 save/tei_end.log=b58b95430d442b89"},
    {1, 31, {1, 4}, "2e7bd6aec1870615",
     "4ffb5a52e39c71c3ff1b9e960d189c1fa38b326acc1b14cf46d821fe971235a01aefd1762e27d4dd1860bdd8277940b6bc6bbe8fcd53cca8",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=be1c1d9bb6e1332e ini/gunimg.ini=9e8f70ed612f6188 ini/gunsv.ini=88c6d9456f3f00df ini/teiji.img=8475a80c00f3b18e ini/teiji.log=81b458161dac2d76 save/tei_end.log=81b458161dac2d76"},
    {2, 12, {}, "74c74bee007da8fd",
     "4b12d2662c940fc7f2d44339bb290d09dddf159f31baf7a0de07cb7527228059bc2b4a99aa813371d049ec2bbbbca1041388c0ef0cf1",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=e790c2e18511ca64 ini/gunimg.ini=146283abe83bc753 ini/gunsv.ini=6063c6ae60b37489 ini/teiji.img=f1d38f303726c6a7 ini/teiji.log=7bb9a5344bbb87a7 save/tei_end.log=7bb9a5344bbb87a7"},
    {2, 22, {3}, "9d1beb9926e492bf",
     "6439e7c63c7f59b4dab47d0c2e63f0713d55052cc6974c04588f8840c77b298ff230cb8f9ee63a8f1277e04d599b460e12d614a6fdd3",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=4edb2f0f6b095137 ini/gunimg.ini=5eafe0425e5b5c46 ini/gunsv.ini=0e5739a64f5dfe84 ini/teiji.img=1a726c2faa145be0 ini/teiji.log=0da6e9ffc223a6cf save/tei_end.log=0da6e9ffc223a6cf"},
    {2, 32, {1, 5}, "c713c0a7cdba99d7",
     "a44d1b36d3c9e2eb5f563cee3f5aaf7c74718a2de67744c14713d732e98267714b6944e929a6382ebc8e3c8c141d91b0f6a48ef8d061",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=e49c3cc526d09666 ini/gunimg.ini=0ea3434caaee2725 ini/gunsv.ini=eda9a7f72777672e ini/teiji.img=34520d4842817165 ini/teiji.log=6857eaa8cc4a9d6a save/tei_end.log=6857eaa8cc4a9d6a"},
    {3, 13, {}, "f792f5c23963fa14",
     "d592f3f8e3dc3d72f07682f23a665b56d64d3b42a3a5c215de9511ae124e01ac66bb94b065d355aaed3cb7d3b104dc307e240022313f",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=1630d521f68a2062 ini/gunimg.ini=3fa4d46ea60554e3 ini/gunsv.ini=a0a7f5c3ec423ca4 ini/teiji.img=667513dbf5daed76 ini/teiji.log=a35d370e5f20400e save/tei_end.log=a35d370e5f20400e"},
    {3, 23, {4}, "3be69d1490cd33b5",
     "c7ef125b8980f89e2cbe0d451512644659febc0048b7c2e12434ff7793beba41efd59545321203d1442303c918e5319082e4dcdb7ca5",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=33cdf68b654caae1 ini/gunimg.ini=df3a43ec5e4c0748 ini/gunsv.ini=be6f0b9e8e395f4c ini/teiji.img=b2481fd5788a00b9 ini/teiji.log=ead242818fc15748 save/tei_end.log=ead242818fc15748"},
    {3, 33, {1, 6}, "8cf914e4773cb13e",
     "0d2823407295d9808ac62a54f023b12b2daabd9acef4da4c3fc08a957ab3241bc40c906862b2acba76b8186cde5682035eef89f3b141",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=07a972309484bbf8 ini/gunimg.ini=a98ad407921a61dc ini/gunsv.ini=b935e13dc528f1f4 ini/teiji.img=081db7cb6ca16068 ini/teiji.log=7d5a24596f526dae save/tei_end.log=7d5a24596f526dae"},
    {4, 14, {}, "2189632b22a1e2f4",
     "236b51750d8fa7d02d19c813cf0327ef85eb480f285d8613c795b22ac1771748726b51d08a1f314702332b27e781b8c30c96a5abbaa6f61a",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=bd569d1697aa1ad5 ini/gunimg.ini=00c2c480265befd4 ini/gunsv.ini=29a3891a4338fec6 ini/teiji.img=2b6ad84dc897c46d ini/teiji.log=d791e9754837f22c save/tei_end.log=d791e9754837f22c"},
    {4, 24, {5}, "5ac0dc5391cf30e8",
     "b54971384a39d8cec67d00d1324442766ae82e74788fe46e2b61ff54622a66467090d0ca8e845b32e693c8470de51660fba9296daced94cb",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=7f33e102d68de1d7 ini/gunimg.ini=3bbf7957c5572454 ini/gunsv.ini=b771cef85a91f1a8 ini/teiji.img=8ae3cbacaa4f46dd ini/teiji.log=9840c5d68cbd992f save/tei_end.log=9840c5d68cbd992f"},
    {4, 34, {1, 7}, "38f965d3753baf72",
     "6898edb8462f550991154821e25d731aab4b26ca338c721f588167bca3bdd4b4e731b24168b83559b4c4366e3693f48af9b9123f3314c37a",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=5fc97a47b7d4ec2b ini/gunimg.ini=a9f1939e6a131eb8 ini/gunsv.ini=bbc0ffef23f5121e ini/teiji.img=dba0a3f0baee5ba6 ini/teiji.log=21e01dde638a823a save/tei_end.log=21e01dde638a823a"},
    {5, 15, {}, "eb1030bba77dcaaa",
     "73f247353276f0b2124e6d3e2bb4439d61aae4fa68ad67ebf2afebcc7c3b56b5cb127d2183ad1956cff01fbb60453a6b7a56eaef5549",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=b2213ddbb8d95d0f ini/gunimg.ini=e25c71709b134a15 ini/gunsv.ini=a3ec194a4d32cc62 ini/teiji.img=f56deff1e44a355b ini/teiji.log=944afa535128c3e8 save/tei_end.log=944afa535128c3e8"},
    {5, 25, {6}, "e812564dc8cfa388",
     "eb3287d4331f8102116f5b577e9ebb60c1d49ff46d69063d91ac5c80e2a79c811cfb1e34b26841997a990dc938e3c16af644097625a0",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=aefee0b652152a77 ini/gunimg.ini=748fd08f32d800f2 ini/gunsv.ini=92172ee115307147 ini/teiji.img=78d20d833ed104be ini/teiji.log=a3309b760e466cc7 save/tei_end.log=a3309b760e466cc7"},
    {5, 35, {1, 8}, "048b48d45dbeed25",
     "02325fbb1c9d64b603db786a250e81b225a3c5fa313adda1b2c686a9c28c1258bf9990b001547480f18a99457ec6e0b070df43e56355",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=7a53162f2b935e66 ini/gunimg.ini=938e6a40ac5c19e7 ini/gunsv.ini=1805570bf4ef8b03 ini/teiji.img=60be23c54b74af20 ini/teiji.log=afe1c465d02f1491 save/tei_end.log=afe1c465d02f1491"},
    {6, 16, {}, "0547452c479f764c",
     "ffcf1d4c36d8ea7719d82917ce3098cc426d10e755c74d8c10baa049bf1eb0a936770c6888d34d35fbf98a7dea1525a3b8edcbd66230",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=293fec8a5665b36f ini/gunimg.ini=5e14581dcf7bb5c3 ini/gunsv.ini=7d3a2cb47752fdb4 ini/teiji.img=ab12f925d126b9f7 ini/teiji.log=500fed640a1d7d0c save/tei_end.log=500fed640a1d7d0c"},
    {6, 26, {7}, "4895f470e0b66038",
     "1e2ce8575580c3614e72db80e694fa7887fa0ae72658879dc864abb43414096eecc575d1b4d60aa7127b623770bb87aad0f878f35907",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=28a5d06654f3c21e ini/gunimg.ini=cea6c0a87471a375 ini/gunsv.ini=28bdc6e6815bc6d2 ini/teiji.img=f1ffd417dc8744a9 ini/teiji.log=f64f2c923fa5abb7 save/tei_end.log=f64f2c923fa5abb7"},
    {6, 36, {1, 9}, "935b4c4b7c80935a",
     "5cfea5eb988cd21f69ade519c2d4d786173ad7b285e85c973a7b4e4c25aec3b88152db1ad9bbc5559372c18a47641a3732633d9ca7fc",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=99613c64df6d7c72 ini/gunimg.ini=21af1f62ad19ba46 ini/gunsv.ini=bef30e8d9d9c91d5 ini/teiji.img=5d98f3bcee5e35ec ini/teiji.log=1395bf383f7d7246 save/tei_end.log=1395bf383f7d7246"},
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

std::string shippedBytes(const fs::path& name) {
    std::ifstream in(fs::path(TEIJIROKU_SOURCE_DIR) / "data" / "ini" / name, std::ios::binary);
    if (!in) return "(not shipped)";
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Plays the game in a fresh game folder with the shipped data, on the disk or in memory.
Played play(const Golden& game, bool inMemory) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    const GameFolder folder =
        inMemory ? GameFolder(std::make_shared<MemoryStorage>(MemoryStorage::readFrom(tmp.root()))) : tmp.folder();
    AutoplayOptions o;
    o.scenario = game.scenario;
    o.seed = game.seed;
    o.players = game.players;
    std::ostringstream out, err;
    YearCuts cuts(out);
    Played p;
    p.status = runAutoplay(o, folder, out, err, &cuts);
    std::string text = out.str();
    size_t from = 0;
    for (size_t cut : cuts.cuts) {
        p.years.push_back(text.substr(from, cut - from));
        from = cut;
    }
    p.years.push_back(text.substr(from));
    p.transcript = text + "\n[stderr]\n" + err.str();

    for (const char* sub : {"ini", "save"})
        for (const std::string& name : folder.files(sub)) {
            std::string bytes = folder.readBytes(folder.root() / sub / name);
            if (std::string(sub) == "ini" && shippedBytes(name) == bytes) continue;
            p.files[std::string(sub) + "/" + name] = std::move(bytes);
        }
    return p;
}

// Every game of the table played on the disk, once for all the tests.
const std::vector<Played>& playedOnDisk() {
    static const std::vector<Played> played = [] {
        std::vector<Played> all;
        for (const Golden& g : kGames) all.push_back(play(g, false));
        return all;
    }();
    return played;
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
    for (size_t i = 0; i < kGames.size(); ++i) {
        const Golden& g = kGames[i];
        const Played& p = playedOnDisk()[i];
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
                ADD_FAILURE() << name << " differs from the pinned bytes (" << p.files.at(name).size() << " bytes now)";
        for (const auto& [name, d] : pinned)
            if (!now.count(name)) ADD_FAILURE() << name << " is pinned but the game no longer leaves it";
    }
    if (print) std::cout << table;
}

// Where two texts first differ, with a little of each from there.
std::string firstDifference(const std::string& a, const std::string& b) {
    size_t i = std::mismatch(a.begin(), a.begin() + static_cast<long>(std::min(a.size(), b.size())), b.begin()).first -
               a.begin();
    return "at byte " + std::to_string(i) + " of " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
           ":\n  disk:   " + a.substr(i, 200) + "\n  memory: " + b.substr(i, 200);
}

TEST(GoldenGames, EveryGameInMemoryIsTheGameOnTheDisk) {
    for (size_t i = 0; i < kGames.size(); ++i) {
        SCOPED_TRACE(describe(kGames[i]));
        const Played& disk = playedOnDisk()[i];
        Played memory = play(kGames[i], true);
        EXPECT_EQ(memory.status, disk.status);
        if (memory.transcript != disk.transcript)
            ADD_FAILURE() << "the transcripts differ " << firstDifference(disk.transcript, memory.transcript);
        for (const auto& [name, bytes] : disk.files)
            if (!memory.files.count(name))
                ADD_FAILURE() << name << " is left on the disk but not in memory";
            else if (memory.files[name] != bytes)
                ADD_FAILURE() << name << " differs " << firstDifference(bytes, memory.files[name]);
        for (const auto& [name, bytes] : memory.files)
            if (!disk.files.count(name)) ADD_FAILURE() << name << " is left in memory but not on the disk";
    }
}

}  // namespace
}  // namespace tei
