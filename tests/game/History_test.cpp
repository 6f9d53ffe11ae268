#include "game/History.h"

#include <map>
#include <sstream>

#include "MainFixture.h"
#include "core/Numbers.h"
#include "core/Scenarios.h"
#include "game/Autoplay.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using namespace test;

class HistoryRowsTest : public MainFixture {};

TEST_F(HistoryRowsTest, EveryFactionIsRowedWithItsOfficersAndTheReportsScore) {
    writeWorld({{1, "甲王", 1, Job::Ruler},
                {2, "乙王", 2, Job::Ruler},
                {3, "丙王", 3, Job::Ruler},
                {.id = 4, .name = "甲将", .kunID = 1, .Job = Job::General},
                {.id = 5, .name = "甲官", .kunID = 1, .Job = Job::None},  // serves without a job
                {.id = 6, .name = "浪人", .kunID = 0, .Job = Job::General},
                {.id = 7, .name = "丙将", .kunID = 3, .Job = Job::Civil}},
               {{.id = 1,
                 .name = "甲",
                 .kunshuID = 1,
                 .army = 30,
                 .seihei = 4,
                 .meisei = 40,
                 .kessoku = 9,
                 .tian = 70,
                 .ifu = 11},
                {.id = 2, .name = "乙,国", .kunshuID = 2, .meishuID = 2, .army = 31, .meisei = 40, .tian = 70},
                {.id = 3, .name = "丙", .kunshuID = 3, .army = 12, .meisei = 50, .tian = 20, .del = true}});
    g.factionAlliance[2] = 1;
    g.allianceTroops[1] = 250;
    g.allianceCohesion[1] = 60;
    g.factionAlliance[3] = 1;  // a fallen faction scores nothing, whatever its frame says

    auto rows = historyRows(tmp.folder(), g, 195);
    ASSERT_EQ(rows.size(), 3u);
    // 甲: 30 x 120 / 150 + 80 = 104, not a leader. 乙 leads: 24.8 + 80 + 250 / 100 x 60 = 254.8.
    EXPECT_EQ(formatHistoryRow(rows[0]), "195,1,甲,1,30,4,40,11,70,9,3,0,104\r\n");
    EXPECT_EQ(formatHistoryRow(rows[1]), "195,2,\"乙,国\",1,31,0,40,0,70,0,1,2,254.8\r\n");
    EXPECT_EQ(formatHistoryRow(rows[2]), "195,3,丙,0,12,0,50,0,20,0,2,0,0\r\n");
}

// Follows a seeded whole game: after every year the history has gained one row per faction, and they
// hold what the faction file holds as the next year begins; at each report the scores it lists.
class HistoryWatch final : public AutoplayWatch {
public:
    HistoryWatch(const GameFolder& folder, int factionCount) : folder_(folder), count_(factionCount) {}

    void windowShown(MsgMode mode, const MessagePages& pages) override {
        if (mode != MsgMode::Report) return;
        // The report's list: "name score" or "name 滅亡 0", one line per faction, up to an empty line.
        std::map<std::string, std::string> listed;
        std::istringstream page(pages.at(0));
        std::string line;
        std::getline(page, line);  // the title
        while (std::getline(page, line) && line != "\r") {
            line.pop_back();  // CR
            size_t blank = line.find(' ');
            listed[line.substr(0, blank)] = line.substr(blank + 1);
        }
        HistoryText h = parseHistory(folder_.readText(folder_.ini(kHistoryFile)));
        ASSERT_GE(h.rows.size(), listed.size());
        for (size_t i = h.rows.size() - listed.size(); i < h.rows.size(); ++i) {
            const HistoryRow& r = h.rows[i];
            SCOPED_TRACE(r.name);
            EXPECT_EQ(listed[r.name], r.alive ? Str(r.score) : "滅亡 0");
        }
        ++reports;
    }

    void turnDone() override {
        ++years;
        HistoryText h = parseHistory(folder_.readText(folder_.ini(kHistoryFile)));
        ASSERT_TRUE(h.badLines.empty());
        const int count = count_;
        ASSERT_EQ(h.rows.size(), static_cast<size_t>(years * count));
        FactionTable factions;
        parseFactions(folder_.readText(folder_.ini("gunsv.ini")), count, factions);
        OfficerTable officers;
        parseOfficers(folder_.readText(folder_.ini("busv.ini")), kGameOfficerCount, officers);
        for (int f = 1; f <= count; ++f) {
            const HistoryRow& r = h.rows[static_cast<size_t>((years - 1) * count + f - 1)];
            const gun& F = factions[static_cast<size_t>(f)];
            SCOPED_TRACE(std::to_string(r.year) + " " + F.name);
            EXPECT_EQ(r.year, scenarioInfo(1).firstYear + years - 1);
            EXPECT_EQ(r.faction, f);
            EXPECT_EQ(r.name, F.name);
            EXPECT_EQ(r.alive, !F.del);
            EXPECT_EQ(r.troops, F.army);
            EXPECT_EQ(r.elite, F.seihei);
            EXPECT_EQ(r.fame, F.meisei);
            EXPECT_EQ(r.awe, F.ifu);
            EXPECT_EQ(r.order, F.tian);
            EXPECT_EQ(r.cohesion, F.kessoku);
            EXPECT_EQ(r.alliance, F.meishuID);
            int serving = 0;
            for (int o = 1; o <= kGameOfficerCount; ++o) {
                int16_t lord = officers[static_cast<size_t>(o)].kunID;
                serving += lord != 0 && lord == F.kunshuID;
            }
            EXPECT_EQ(r.officers, serving);
            if (!r.alive) {
                EXPECT_EQ(r.score, 0);
                ++fallenSeen;
            }
        }
    }

    int years = 0;
    int reports = 0;
    int fallenSeen = 0;

private:
    const GameFolder& folder_;
    int count_;
};

TEST(HistoryOfAGame, EachYearAddsTheFactionFileAsTheNextYearBeginsAndTheReportsScores) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    HistoryWatch watch(tmp.folder(), scenarioInfo(1).factionCount);
    AutoplayOptions o;
    o.seed = 11;
    o.quiet = true;
    std::ostringstream out, err;
    ASSERT_EQ(runAutoplay(o, tmp.folder(), out, err, &watch), 0) << err.str();
    EXPECT_EQ(watch.years, 27);  // 189 .. 215
    EXPECT_EQ(watch.reports, 2);
    EXPECT_GT(watch.fallenSeen, 0);  // the game has fallen factions, so their rows were checked too
}

}  // namespace
}  // namespace tei
