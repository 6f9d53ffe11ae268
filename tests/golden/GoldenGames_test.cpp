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
    {1, 11, {}, "7a60d1c74d81d876",
     "a7c9b20c24a2d4ffcecc91d4bb152aadf642705d47d3f846d7342469f08a5661f5c9188a397373216a89cf7bb924baf3c2d0d29c5d174f9c",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=002bf47e12fba95d ini/gunimg.ini=f0eeced3d0a80260 ini/gunsv.ini=ebb9357bc7d0f85a ini/history.csv=0ad393d092136b89 ini/teiji.img=75ce711f7eb646c5 ini/teiji.log=26a0b28242394547 save/tei_end.log=26a0b28242394547"},
    {1, 21, {2}, "d90141a965a39708",
     "b5798d61e49cc750247170a1e3c4c1b5b75a83e6e3aa183a10161409eb2101805cf4452d7b19e86d8ead304801c491e1ea42ece7f924dabe",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=44d61d49d8e58532 ini/gunimg.ini=918f3b99ebda03cf ini/gunsv.ini=7f6a7d3928d78733 ini/history.csv=a59cd1fad48d95ff ini/teiji.img=fb72b7e824c89a71 ini/teiji.log=d7e1fd8477f3f9b0 save/tei_end.log=d7e1fd8477f3f9b0"},
    {1, 31, {1, 4}, "feaab08e248c159d",
     "c1c2cabcd7f06dc1929a75585dc51e21c95194edf47fbdde292cd29a5d4a210b936f35b7fd0658232da97109874bc129bf11c06f569e1e14",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=b6a17ed35ca03c4e ini/gunimg.ini=d3a81883c074a015 ini/gunsv.ini=e13e5e0794cf2ddd ini/history.csv=21469b74602b4baa ini/teiji.img=64aa41eda4459580 ini/teiji.log=a8ba95de1fef3da6 save/tei_end.log=a8ba95de1fef3da6"},
    {2, 12, {}, "4b92b439bff86277",
     "b0f54f588bc25437ac6c05677dc3c8314d043468fbf4ca972ffbd4c2b983c575502526f5ac286e17cd7042b7f16dae1e998479bf5078",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=969553f82139a4c6 ini/gunimg.ini=f65dde61641f1f99 ini/gunsv.ini=eca12ec1df206d20 ini/history.csv=0705e0a47dc49c9c ini/teiji.img=2bad572d27f53592 ini/teiji.log=991a4225afe13653 save/tei_end.log=991a4225afe13653"},
    {2, 22, {3}, "386a0f2f39917e71",
     "6ba43a64be50ab5c7f0cb79de9fc24b41a687eccddf343850822e784100de9545c80d15884dd9fc69750a891dbac0e93b3a9028e89cd",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=003f4b97255fdf71 ini/gunimg.ini=25cf3c37fe43fc8d ini/gunsv.ini=8978f355e508ce51 ini/history.csv=473995e820f1ed03 ini/teiji.img=8ebbcdc15b75f251 ini/teiji.log=8534c23c3ff39e8c save/tei_end.log=8534c23c3ff39e8c"},
    {2, 32, {1, 5}, "3ee152aeed3529b3",
     "4ddf8328446ccd6b40a79049a8057726a7a1637f5a305b603c278eca4f9ff98bd88b53bc79129b5c18e9ae23bac8b46653d155d7fef6",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=17bcf427db439631 ini/gunimg.ini=ee0ec114c445474a ini/gunsv.ini=0bb28e65957220eb ini/history.csv=c605d55330d48ad9 ini/teiji.img=3e569aef7832021d ini/teiji.log=98fef59991b93b9b save/tei_end.log=98fef59991b93b9b"},
    {3, 13, {}, "ea2f1327af17d2d9",
     "04ed99ab64a8777fd678deaba291a5dfb3608f7ae8f334a80dcd3046da199124d218a53ce578a5bb2d49cc361ef6033786620a59eaf2",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=cfefbaf422e4b6b7 ini/gunimg.ini=e70f8f905604dc33 ini/gunsv.ini=76374cbd8a203028 ini/history.csv=b76dadf8387954f7 ini/teiji.img=3f6e7e5957b822fc ini/teiji.log=615665e9035a03ab save/tei_end.log=615665e9035a03ab"},
    {3, 23, {4}, "1adde699d974469b",
     "f4763bb491026870ab447ee455b06e706f2300e1c67377ab84786c74a1d0394bafac2cab59de85495ba2199d8c1ae5bc460e8fa4ad83",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=aafed0c111bfc59b ini/gunimg.ini=3e8818021396e3ad ini/gunsv.ini=bb5b4de65ec76852 ini/history.csv=06736f57623a7c1f ini/teiji.img=d4b3e7878dd3c488 ini/teiji.log=d3a1d581517f6989 save/tei_end.log=d3a1d581517f6989"},
    {3, 33, {1, 6}, "102a2611deb0e537",
     "2e972be2d26c7f57ab7ac876405b9587c691da555d62173b08e80e8e5c33ac718d730d7321149ab738ac26bd158c772fb161d9a239ae",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=e24073e4886423f2 ini/gunimg.ini=4d5e573a59a86c83 ini/gunsv.ini=741ba579ebaff630 ini/history.csv=2f0e4005726e6a79 ini/teiji.img=abd2ab0c9d7d133c ini/teiji.log=203d8641184709ab save/tei_end.log=203d8641184709ab"},
    {4, 14, {}, "3edcb8c95bf1bf7e",
     "964cab9db24f686e13c2326beff37cd4c7a0b3faf53abf480971aa9a8bcf4aaa45b294907233e4e09ea1028b23be4e7442199b9d3edf4353",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=972285761d3a180c ini/gunimg.ini=eb49ca28080eeb80 ini/gunsv.ini=17d1a6c757168fbd ini/history.csv=7a7b5d7b9bcfe067 ini/teiji.img=628424fa6ab40a1d ini/teiji.log=59f15a7010b10519 save/tei_end.log=59f15a7010b10519"},
    {4, 24, {5}, "a00c0db8b1b99286",
     "db18be19e875354aab24d2da710a30739321e4cf55d847416d563e826ffc0c8849dd0f7d115e65817baa07d1f5b7013780c6dda866a097f3",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=5be9235b0e39433f ini/gunimg.ini=85e1a6ff1eda173e ini/gunsv.ini=24cb9e4c894682d8 ini/history.csv=6dd5f2ba9c0d4c6d ini/teiji.img=9ef4cb7f47ea5d4b ini/teiji.log=9abfa9f6aeb46d62 save/tei_end.log=9abfa9f6aeb46d62"},
    {4, 34, {1, 7}, "4df8567e752347b3",
     "8b9d3a0d498dabf4505293403d8c0d57143cc2db54bee7fb8dea89fa698f93562949640f57c07082529f1de79af685b1646f30a43d432a88",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=b996debc953487e9 ini/gunimg.ini=812994b49931661f ini/gunsv.ini=812994b49931661f ini/history.csv=024e644996637a39 ini/teiji.img=cc7be708bd40b6d8 ini/teiji.log=469982f1003432e5 save/tei_end.log=469982f1003432e5"},
    {5, 15, {}, "d83d496f13f4a5dd",
     "8ff99ba584bc24d1f96a92f9fc7c04fb43f640c04c4c3435e23b6f726e657fb9599ed2f508fe52d852e10f046b595d940b64a5a4cabd",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=df4605a852a73532 ini/gunimg.ini=ac35bde012646cce ini/gunsv.ini=ebba742681569b5f ini/history.csv=3ccbb7bebe03e5ae ini/teiji.img=8f3a4e454adaf116 ini/teiji.log=eac04864c2dc956d save/tei_end.log=eac04864c2dc956d"},
    {5, 25, {6}, "dcf6885e87903a6a",
     "73a5f6f4f2e209fb84ee880babb993530cabd50306ac3298c2c318cb171fe08e8b2faa72b51e316c0474195dafc35ee3878a5b63810b",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=c32f0184700a415a ini/gunimg.ini=826563152510f5ed ini/gunsv.ini=70a343c58510a975 ini/history.csv=c3054945bfef009f ini/teiji.img=aa0dd8cd0321aba3 ini/teiji.log=12a14eea24a4267b save/tei_end.log=12a14eea24a4267b"},
    {5, 35, {1, 8}, "ff57e87b88f89c31",
     "0843b92b047aa0273d9d5b35c5626b946088dbdd642da4d93fff866db1a4436cb3043617706ce108213ff0c442acb7b12664918e68e8",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=2362f426f4230454 ini/gunimg.ini=d3412b01c046dfd8 ini/gunsv.ini=cbba708bdef25c77 ini/history.csv=6e3c9eaa782000b3 ini/teiji.img=3a8a04b991e4baee ini/teiji.log=061714cbaeae4865 save/tei_end.log=061714cbaeae4865"},
    {6, 16, {}, "bee11eba87749e0e",
     "a0ec11feed626a2153cad6154597b1638d1cf209bdc1acfcba0ed832f61b790fa41e69092c66f77bb7337c3aa5a217dae6944447c20a",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=5d614fbbeffd35de ini/gunimg.ini=d94d89613026383e ini/gunsv.ini=df867df5ad0c8def ini/history.csv=d1e728d3ef632add ini/teiji.img=4d6ad0ea34fbd8ed ini/teiji.log=4c4cf6226140c852 save/tei_end.log=4c4cf6226140c852"},
    {6, 26, {7}, "68d34d1b39f6e105",
     "b25daabcb0d807773a070c86e384faa869eb55733d0dc99851c5f6496a805e01b6556c0638b820dc136d9a15c56256c14cdb13a88c5f",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=849a97aa83056ffd ini/gunimg.ini=67871425b5e37061 ini/gunsv.ini=591d71852a6ef953 ini/history.csv=72c852dcecc4ec93 ini/teiji.img=321adcd861ad7ffe ini/teiji.log=6a7f964e34effe2e save/tei_end.log=6a7f964e34effe2e"},
    {6, 36, {1, 9}, "024c58384d34660b",
     "7e65a81d398e4e6e4ce9bf0ec801fc4120c3f8d712ee085e2e40555123a5c82c9de9d358116ac5eb5f77cf29352e34ad43460fc843a7",
     "ini/Cmtsv.ini=5baea93008981098 ini/busv.ini=20ee6595c830f62c ini/gunimg.ini=f0880921e1e4d044 ini/gunsv.ini=d0fe32e08e3f4057 ini/history.csv=5c6f0a80b26a48c0 ini/teiji.img=66aa167834350bc3 ini/teiji.log=75968c462dd562ac save/tei_end.log=75968c462dd562ac"},
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
