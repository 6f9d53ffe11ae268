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
    {1, 11, {}, "7a0abf1b634be334",
     "48e3bd3eaca4bb66186911d10bb83c29d63f0efa4b571143933a16a3062af0db84b0f8645770bbbd7c22a3d137da61adf5acceeca6fd9956",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=6d98b50c967169ac ini/gunimg.ini=f63587d68a277193 ini/gunsv.ini=6ec5adc1c915115d ini/teiji.img=dc48ac4a434cf848 ini/teiji.log=7fe88b345969e6e8 save/tei_end.log=7fe88b345969e6e8"},
    {1, 21, {2}, "9470cba74d74d8f6",
     "3192a59aa9d585dfe99235a460691db38eaea0049f8bc43b14a9dd67a4939e8cd35a2b1a92caac3aee0f7ca02676fe34d76132495ad3c2c6",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=8ac86867e6cae937 ini/gunimg.ini=535294458b7093fb ini/gunsv.ini=d9d15adcf21728bf ini/teiji.img=86156ea5e45b1a22 ini/teiji.log=60df568987a5789d save/tei_end.log=60df568987a5789d"},
    {1, 31, {1, 4}, "6d90dcbac24f641d",
     "bd511f6d649bcd97c18cffee475e9c1f5e6319b9ed4a3947a74691760a1d36454977e8522e270684e0aeb508e8690e32bc6b41f5cd53cca8",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=be1c1d9bb6e1332e ini/gunimg.ini=9e8f70ed612f6188 ini/gunsv.ini=88c6d9456f3f00df ini/teiji.img=e1e2bdadd4d98955 ini/teiji.log=6fa3ef7d40c1a389 save/tei_end.log=6fa3ef7d40c1a389"},
    {2, 12, {}, "53b47d4bdfbdb262",
     "4e270598c8f9b7db96fcf9ea8f8256fb96d9b973d5028e2bde07cd3dc2e99829a08ea9b20abca054e9f730e3b9a3a1041388bb1d0cf1",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=e790c2e18511ca64 ini/gunimg.ini=146283abe83bc753 ini/gunsv.ini=6063c6ae60b37489 ini/teiji.img=04bfad785fa1fc44 ini/teiji.log=abbdd3c8f6224718 save/tei_end.log=abbdd3c8f6224718"},
    {2, 22, {3}, "a82666fa491a857e",
     "6439e7c687995b0332eb7d0cbab17cfd9fb9dd2caab9772198a005e0bc3863c44234cb8f086c00fc4777ba85fe54e1a8fe9f14a6fdd3",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=4edb2f0f6b095137 ini/gunimg.ini=5eafe0425e5b5c46 ini/gunsv.ini=0e5739a64f5dfe84 ini/teiji.img=c2defdaba8c79568 ini/teiji.log=9e3e63949c1ac117 save/tei_end.log=9e3e63949c1ac117"},
    {2, 32, {1, 5}, "ad8a2a8d1dc980ee",
     "c8107d3bd3c946c1454dcc3ef7cf68fe9d08633ce7986cce74c1028bd5b0743354a66d26b2020de6d7e85c06a39c8ded38115f57d061",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=e49c3cc526d09666 ini/gunimg.ini=0ea3434caaee2725 ini/gunsv.ini=eda9a7f72777672e ini/teiji.img=83e68451adce295c ini/teiji.log=a1f4cdebffd274f2 save/tei_end.log=a1f4cdebffd274f2"},
    {3, 13, {}, "e15fe355333d8a38",
     "cc6b21b254b59bbed965ec4c19a2f249f334f469dfe4c215de9555ebeb4ba24023428f3ef5495bbfed3c124e957ba5f56d4f88cd313f",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=1630d521f68a2062 ini/gunimg.ini=3fa4d46ea60554e3 ini/gunsv.ini=a0a7f5c3ec423ca4 ini/teiji.img=d3dc9759107411bd ini/teiji.log=69d504376e592a0a save/tei_end.log=69d504376e592a0a"},
    {3, 23, {4}, "987563102bbe95b1",
     "99d0ccf5b8a2bf9d3ddb0156c567cddd518c1b869c6167a2df4e0e23c46d6527dbac0ad968196f2182655b904bdd746f0bf0dcdb7ca5",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=33cdf68b654caae1 ini/gunimg.ini=df3a43ec5e4c0748 ini/gunsv.ini=be6f0b9e8e395f4c ini/teiji.img=651cdb1d9fdd1127 ini/teiji.log=45344ec1ee212662 save/tei_end.log=45344ec1ee212662"},
    {3, 33, {1, 6}, "8155804d9eb2e5a0",
     "bdf27eacbdb2aaf7c7c40910f023b12be0096a62cef49fd5813e97890a61eebf0c50422f5b54bb2d61b1e40e156c820355c89ae1b141",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=07a972309484bbf8 ini/gunimg.ini=a98ad407921a61dc ini/gunsv.ini=b935e13dc528f1f4 ini/teiji.img=f68a45e1fff57e93 ini/teiji.log=c90290946af4bb2d save/tei_end.log=c90290946af4bb2d"},
    {4, 14, {}, "64018b1d5bda5b17",
     "236b9ff7474751f58ee4c813450f27ef82814c1be2d9a60604aeaa2461fe584c797e2c93c3064809c287a1ebb9bcccc2a180c92f7f9bf61a",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=bd569d1697aa1ad5 ini/gunimg.ini=00c2c480265befd4 ini/gunsv.ini=29a3891a4338fec6 ini/teiji.img=4fb48d43e1060675 ini/teiji.log=b56f5cb5d9b7ed2d save/tei_end.log=b56f5cb5d9b7ed2d"},
    {4, 24, {5}, "188655c0ee15eca4",
     "cd3ea7244a39d8ceafee1b82aa9e379f45f015f89ecde46ea45cff54f7c630dfd7c2d5437d727417689f011b83b6c8f7fba9f353cab994cb",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=7f33e102d68de1d7 ini/gunimg.ini=3bbf7957c5572454 ini/gunsv.ini=b771cef85a91f1a8 ini/teiji.img=4519093718d172f5 ini/teiji.log=3d1d701a5befd759 save/tei_end.log=3d1d701a5befd759"},
    {4, 34, {1, 7}, "743d75e702da537a",
     "8b9d7375f487abf47a37ba84089c0d57b3868c070e9172125881046dd87cddfd137dfd2f2dd7a35261fe1f8a87571551fb1bb300bef5c37a",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=5fc97a47b7d4ec2b ini/gunimg.ini=a9f1939e6a131eb8 ini/gunsv.ini=bbc0ffef23f5121e ini/teiji.img=222525f3869475d7 ini/teiji.log=0027fb8e9c25029e save/tei_end.log=0027fb8e9c25029e"},
    {5, 15, {}, "98d62c3058a719e3",
     "03e4d64bdec20f29124eacb21e45a9faa3673814281aef38881d5dcb4c0f9c8fff3f056fda6d5babc62758346045033b7a5607035549",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=b2213ddbb8d95d0f ini/gunimg.ini=e25c71709b134a15 ini/gunsv.ini=a3ec194a4d32cc62 ini/teiji.img=6e1d911b562349c2 ini/teiji.log=2186c34d7b431aed save/tei_end.log=2186c34d7b431aed"},
    {5, 25, {6}, "649bbfcc6ce9ecff",
     "997218c2e1cf0627aa2f91a77e9e1d3459fab2d91bc60067e27d9368e1cf9c8144771e34f78ca4ff85a2013738e36b42a85ed10225a0",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=aefee0b652152a77 ini/gunimg.ini=748fd08f32d800f2 ini/gunsv.ini=92172ee115307147 ini/teiji.img=f7492138534bc8fd ini/teiji.log=18a2744278a81cca save/tei_end.log=18a2744278a81cca"},
    {5, 35, {1, 8}, "bcc3e563d1161269",
     "f7c55fbb32326e3affed8289649e955ccbb25d670a6a4f8e67747662c7f07b6e9863c7757cabe389ba8e1c2798a58699edc275006355",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=7a53162f2b935e66 ini/gunimg.ini=938e6a40ac5c19e7 ini/gunsv.ini=1805570bf4ef8b03 ini/teiji.img=0e4e3bbf2b1f8711 ini/teiji.log=239374db9df3a8d7 save/tei_end.log=239374db9df3a8d7"},
    {6, 16, {}, "b7385d36005e6a2b",
     "3e0919a7e19a21dc2eb8f464738d04550d890be141d8023382e2e206e1f12f2c3ea70c6888d3495d7619aa75632d13bef47ff90e6230",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=293fec8a5665b36f ini/gunimg.ini=5e14581dcf7bb5c3 ini/gunsv.ini=7d3a2cb47752fdb4 ini/teiji.img=8a6df6c08c0dfd87 ini/teiji.log=33a2c48dcbade6df save/tei_end.log=33a2c48dcbade6df"},
    {6, 26, {7}, "65ec7a37c18dbb54",
     "8b11e857828d728342649980c027f6bf231835b3042fe0adfd76379cd938c9bc36abe148f9df26fedec55e00944ce3ab8421f67f5907",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=28a5d06654f3c21e ini/gunimg.ini=cea6c0a87471a375 ini/gunsv.ini=28bdc6e6815bc6d2 ini/teiji.img=c707eda4ac45cc9b ini/teiji.log=99afb33a97a417b7 save/tei_end.log=99afb33a97a417b7"},
    {6, 36, {1, 9}, "416d5c76b95f0678",
     "93ce9305942d7335a210d487c4266f4e47f8121a31514be2d5033b05498d14a4aff2f258462ccb4369db547c24d4ba3819c32c6da7fc",
     "ini/Cmtsv.ini=66df979d09be2d3b ini/busv.ini=99613c64df6d7c72 ini/gunimg.ini=21af1f62ad19ba46 ini/gunsv.ini=bef30e8d9d9c91d5 ini/teiji.img=684e5a3e111242a5 ini/teiji.log=014d7bfc72e054a6 save/tei_end.log=014d7bfc72e054a6"},
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
