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
    {1, 11, {}, "e56f29173777b8cc",
     "a7c9c9b8a858aac0170e4acc587d4184752bb8f6e3a6b75b3bae7b7b7583d2a342c3ae22366e33bc2aca504814c3a4d5080573b6b32bc95f",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=f554442300b45bd1 ini/gunimg.ini=197140f87ff30256 ini/gunsv.ini=1a96cf75fb14a464 ini/history.csv=1fba9a20100cebba ini/teiji.img=20bdbe320e7166cf ini/teiji.log=babee5930c02fb91 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=f554442300b45bd1 save/gunsvauto.ini=1a96cf75fb14a464 save/histauto.csv=1fba9a20100cebba save/saveauto.ini=51706b5422cec912 save/tei_end.log=babee5930c02fb91 save/teilogauto.log=babee5930c02fb91"},
    {1, 21, {2}, "6a8a57b6db7748a3",
     "b579ef2f125e4807d03d6d7f82854fa0b37d14f325051a5099c1391edebfd7f5d04ae4fd8e6d4472eca7573e0f4227ee19644b212bc84ab6",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=aa66889b4be18b1d ini/gunimg.ini=8f567781fcf021cd ini/gunsv.ini=9dd89bf6615b4f30 ini/history.csv=19fc31d29f01c50a ini/teiji.img=13067ef3cb0bfcf6 ini/teiji.log=33c92896a0cb18c2 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=aa66889b4be18b1d save/gunsvauto.ini=9dd89bf6615b4f30 save/histauto.csv=19fc31d29f01c50a save/saveauto.ini=f2e7efba0d5fc9d2 save/tei_end.log=33c92896a0cb18c2 save/teilogauto.log=33c92896a0cb18c2"},
    {1, 31, {1, 4}, "9b89be5a34069123",
     "c1c2cabceee9766a828d0c478ff0b0e131e757db8a6a8c9282311f501ca303369077a7e0263349a925392eadbb1e5d2f5e6ccacb226134cc",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=f1c1bb85531ef8fc ini/gunimg.ini=b76e30cce0878ca2 ini/gunsv.ini=7c284f5a9f6a10d1 ini/history.csv=886cbc2c4c3d98fc ini/teiji.img=f5dcb863d1baf35d ini/teiji.log=cf1594effbaf9970 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=f1c1bb85531ef8fc save/gunsvauto.ini=7c284f5a9f6a10d1 save/histauto.csv=886cbc2c4c3d98fc save/saveauto.ini=a1c016bf479d5c6c save/tei_end.log=cf1594effbaf9970 save/teilogauto.log=cf1594effbaf9970"},
    {2, 12, {}, "958ef4d3e4b7339c",
     "b0f599d3cdf4d5a8b1c0f68a91eb4461659df40e0dc190a22319397e1050c8309c0b28e640c8f5267561d3b9603276771e4146cc960a",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=54f83a1d6e881af0 ini/gunimg.ini=5ca62881c0a570ae ini/gunsv.ini=383d80b4d8a9c95c ini/history.csv=36445a7b9456cac7 ini/teiji.img=753326d7a280a997 ini/teiji.log=f696043085d1ff54 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=54f83a1d6e881af0 save/gunsvauto.ini=383d80b4d8a9c95c save/histauto.csv=36445a7b9456cac7 save/saveauto.ini=179d97da6fe3d5af save/tei_end.log=f696043085d1ff54 save/teilogauto.log=f696043085d1ff54"},
    {2, 22, {3}, "3164f281c6fa194d",
     "55f1aff4f97b38ea646db368fd6bac74c5ffc23a47e8be979056f0526f30d7ef26da5ae7917c9847eb1b7030f88cc42541397e1f419c",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=d2f44b2e5ffcd86c ini/gunimg.ini=516a2d29ed519e13 ini/gunsv.ini=c5c51fee466d7944 ini/history.csv=f4c324106c94408a ini/teiji.img=18b4af88a074b8f6 ini/teiji.log=aaacefdb96bfdf34 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=d2f44b2e5ffcd86c save/gunsvauto.ini=c5c51fee466d7944 save/histauto.csv=f4c324106c94408a save/saveauto.ini=74442336e3e8f539 save/tei_end.log=aaacefdb96bfdf34 save/teilogauto.log=aaacefdb96bfdf34"},
    {2, 32, {1, 5}, "f6c44c49d499f781",
     "4ddf8328446c7d03a4f5fcc85301a07a6b4ff79095cf5efe78f0aeeced53d982081a31926bdac293a068239bc9afe5842dc57065fa8d",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=c6229042dbab4bef ini/gunimg.ini=4320f28148d691a0 ini/gunsv.ini=50d6314ab5597fd7 ini/history.csv=11260151a8192390 ini/teiji.img=340ee6ea8cb1c054 ini/teiji.log=17df0f17f72fc6a6 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=c6229042dbab4bef save/gunsvauto.ini=50d6314ab5597fd7 save/histauto.csv=11260151a8192390 save/saveauto.ini=e71ca5778e59ab6f save/tei_end.log=17df0f17f72fc6a6 save/teilogauto.log=17df0f17f72fc6a6"},
    {3, 13, {}, "f4d9fabadc8208c0",
     "32854c2a0db1e76a2f65778f36001050c53db23903bce07a09840876097421c649c2abae44ca382f4a6c6d38e590b1950a50e1b17c43",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=c92830ef7258addc ini/gunimg.ini=5633528f6807615b ini/gunsv.ini=5633528f6807615b ini/history.csv=25856d0ae39018f8 ini/teiji.img=e0530ec0ea62ba9d ini/teiji.log=06d10136bd8d6356 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=c92830ef7258addc save/gunsvauto.ini=5633528f6807615b save/histauto.csv=25856d0ae39018f8 save/saveauto.ini=88df72be7c0f4064 save/tei_end.log=06d10136bd8d6356 save/teilogauto.log=06d10136bd8d6356"},
    {3, 23, {4}, "2e5585da8e5bc747",
     "f4763bb491026870ab447ee43797970d8fbe789007bba26f85a0fd263a4b745e2855e0a134fda3efdae985b07987232a8f9344c2fd5d",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=413a430a1c1ba403 ini/gunimg.ini=4052efd04c6b5cac ini/gunsv.ini=4372e9ba202c6be3 ini/history.csv=2698ef08cbb969f9 ini/teiji.img=d286f342df047d8e ini/teiji.log=1d7d6f085dbc68dd save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=413a430a1c1ba403 save/gunsvauto.ini=4372e9ba202c6be3 save/histauto.csv=2698ef08cbb969f9 save/saveauto.ini=ff98b079730ea2bd save/tei_end.log=1d7d6f085dbc68dd save/teilogauto.log=1d7d6f085dbc68dd"},
    {3, 33, {1, 6}, "4b2463acf38febd9",
     "2e972be2d26c7f57ab7ac87678019f0b69e29f125e0f6fe3e0a33d00a1e00b46f1a648e04e0f9518c1bc5d14e2f775cb98c33317899f",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=b3c1d0812265b08a ini/gunimg.ini=dde8539307bad8c6 ini/gunsv.ini=8d13d36f7a4f568a ini/history.csv=3396b53ec7dca41f ini/teiji.img=4166a091eae7188a ini/teiji.log=0195ff3757a7c56b save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=b3c1d0812265b08a save/gunsvauto.ini=8d13d36f7a4f568a save/histauto.csv=3396b53ec7dca41f save/saveauto.ini=c711dbe13406bee6 save/tei_end.log=0195ff3757a7c56b save/teilogauto.log=0195ff3757a7c56b"},
    {4, 14, {}, "4f53ece24c6c1bf9",
     "b627234566a4fbf7f9a36e36ab0761022597402af96ad19b4f2f67ba73415223a0e6298a1601e964dc1102a4fe9c391d6545a611456fb8ae",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=151af4a794f01a8c ini/gunimg.ini=bc5760a9c3862052 ini/gunsv.ini=e94d894af1a9e4a5 ini/history.csv=f43afad4905082c9 ini/teiji.img=57072599b0424d11 ini/teiji.log=befdcd60d9f22751 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=151af4a794f01a8c save/gunsvauto.ini=e94d894af1a9e4a5 save/histauto.csv=f43afad4905082c9 save/saveauto.ini=213f83292645b56e save/tei_end.log=befdcd60d9f22751 save/teilogauto.log=befdcd60d9f22751"},
    {4, 24, {5}, "5844736d74150e73",
     "db18be19e87588fc1733b0a629d8827d1c02818e8cbea49593fab5beb2daa24b2a1bc4f49b2ae8e6988e019fc95d2cf84998b83c50c0c613",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=e236ab8b66852fea ini/gunimg.ini=c5bddfe202f46477 ini/gunsv.ini=c5bddfe202f46477 ini/history.csv=128401143b374115 ini/teiji.img=500abd2c054148af ini/teiji.log=35e72e9eddef0343 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=e236ab8b66852fea save/gunsvauto.ini=c5bddfe202f46477 save/histauto.csv=128401143b374115 save/saveauto.ini=b40a3a06ad95a965 save/tei_end.log=35e72e9eddef0343 save/teilogauto.log=35e72e9eddef0343"},
    {4, 34, {1, 7}, "9968489aff27634f",
     "8b9d3a0d25ade82f17ee697d9d4cf304d9481310f2dfc4ce4021fd4564344dddfbec69ea43f7f6b539718d37c7a91da13c5355e9d2d3e5c4",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=88f2b42cf7905f79 ini/gunimg.ini=02813f6d95750b6a ini/gunsv.ini=206a8a106ab0ad37 ini/history.csv=26330432d5c457ac ini/teiji.img=33620acb44aac262 ini/teiji.log=0c9929588c97a145 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=88f2b42cf7905f79 save/gunsvauto.ini=206a8a106ab0ad37 save/histauto.csv=26330432d5c457ac save/saveauto.ini=dbb992c903a44de4 save/tei_end.log=0c9929588c97a145 save/teilogauto.log=0c9929588c97a145"},
    {5, 15, {}, "0a526e003a69e01d",
     "8ff99ba584bc24d1ec072ab0f677ff3c194c4883a87be20b37d1e4c5318f195a0f06e043ecfe9af768d3372afd54e242982d540fd6a3",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=fdf00c032e066e98 ini/gunimg.ini=b0157020604853eb ini/gunsv.ini=b0157020604853eb ini/history.csv=137115e0dc180f40 ini/teiji.img=effdff8d0c13b840 ini/teiji.log=89e55328e7e1da4a save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=fdf00c032e066e98 save/gunsvauto.ini=b0157020604853eb save/histauto.csv=137115e0dc180f40 save/saveauto.ini=76254a890f3c752d save/tei_end.log=89e55328e7e1da4a save/teilogauto.log=89e55328e7e1da4a"},
    {5, 25, {6}, "87b3cbe00371626c",
     "73a5f6f43ee1d69c90a1c9ce307341bcf290921d3d165f64e7099f39d0ca7298df66c136919a5719c2a557de24bc6a3ae38497a79d5a",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=0005783199780f8d ini/gunimg.ini=4edcf942fe45bfec ini/gunsv.ini=27c74cfcd9da6560 ini/history.csv=a69362fa6778392b ini/teiji.img=971682ffd7b83415 ini/teiji.log=193ca0dbae38afbe save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=0005783199780f8d save/gunsvauto.ini=27c74cfcd9da6560 save/histauto.csv=a69362fa6778392b save/saveauto.ini=04f4a9fb2cb25848 save/tei_end.log=193ca0dbae38afbe save/teilogauto.log=193ca0dbae38afbe"},
    {5, 35, {1, 8}, "857c8ee52b93ab1e",
     "0843b92b047aa0273d9d5b35c5626b9460887b9d899e820f06f43dc8c1dd3bfbcb96d8b471839ac1cfa7ca43c4f78afca689b0199ab2",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=0f0653e9bbabfe5c ini/gunimg.ini=8dd00992da063800 ini/gunsv.ini=936158989d24139a ini/history.csv=71cc9368f9d6709e ini/teiji.img=a455abc1cc012f07 ini/teiji.log=7a9388ad4e6c17a1 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=0f0653e9bbabfe5c save/gunsvauto.ini=936158989d24139a save/histauto.csv=71cc9368f9d6709e save/saveauto.ini=d1804f43bdc73e79 save/tei_end.log=7a9388ad4e6c17a1 save/teilogauto.log=7a9388ad4e6c17a1"},
    {6, 16, {}, "36e55e97181f925d",
     "8d99655c759438858f9c5cf9019788c95648f82039fea61cfa3f563346b5a2a746fe740b3df4014e27994feb7357188bd98e85419b42",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=96f225ba818cd77d ini/gunimg.ini=8166d03f50f9a8b7 ini/gunsv.ini=2ac4867c674e0978 ini/history.csv=2202c32d8f938d57 ini/teiji.img=f08f96c36ca350cd ini/teiji.log=f3ac16e7e43e70a0 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=96f225ba818cd77d save/gunsvauto.ini=2ac4867c674e0978 save/histauto.csv=2202c32d8f938d57 save/saveauto.ini=9df0362acf58ec9b save/tei_end.log=f3ac16e7e43e70a0 save/teilogauto.log=f3ac16e7e43e70a0"},
    {6, 26, {7}, "91ad0f4842e3df9f",
     "b25daabcbe3e7e1877d8e4575efec1e9aac7de57ddc088dc418d8c025a15d53699f8209db15c1851e8c0bd8fd73ff0329c6b35baad93",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=ab90711f42f636e0 ini/gunimg.ini=868c7088dcd7cb3c ini/gunsv.ini=de6c394af2e17a19 ini/history.csv=b49d1660063525c3 ini/teiji.img=e16abcfc6d3bb7ad ini/teiji.log=f05dfc896d51cf5b save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=ab90711f42f636e0 save/gunsvauto.ini=de6c394af2e17a19 save/histauto.csv=b49d1660063525c3 save/saveauto.ini=c92850c8b536b74f save/tei_end.log=f05dfc896d51cf5b save/teilogauto.log=f05dfc896d51cf5b"},
    {6, 36, {1, 9}, "3469c3d354144284",
     "7e65a81d398e4e6e4ce9bf0ec80126dfc38c02ba554671f837f0de5e5745ad877d09acc9ed9442a4fb9a4b193abb46366d3df2048ab6",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=df22059ddde44886 ini/gunimg.ini=213fc506e4181acb ini/gunsv.ini=7c56598558d166c0 ini/history.csv=dc30d76faa3ea581 ini/teiji.img=ea5a589ffdd4dd99 ini/teiji.log=21e36cd5dfae5a49 save/Cmtsvauto.ini=5baea93008981098 save/busvauto.ini=df22059ddde44886 save/gunsvauto.ini=7c56598558d166c0 save/histauto.csv=dc30d76faa3ea581 save/saveauto.ini=fe838143daa4112e save/tei_end.log=21e36cd5dfae5a49 save/teilogauto.log=21e36cd5dfae5a49"},
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
    void windowShown(MsgMode mode, const MessagePages&) override {
        if (mode == MsgMode::YearEnd) cuts.push_back(out_.str().size());
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
    GameFolder folder =
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
