#include "screens/WorldView.h"

#include <gtest/gtest.h>

#include "screens/OfficerStatus.h"
#include "screens/ScreensWorld.h"

namespace tei {
namespace {

using test::kWorldFactions;
using test::kWorldOfficers;

WorldView world() { return WorldView::parse(kWorldOfficers, kWorldFactions, test::worldGlobals()); }

std::vector<std::string> names(const std::vector<OfficerEntry>& list) {
    std::vector<std::string> out;
    for (const auto& e : list) out.push_back(std::to_string(e.id) + e.name);
    return out;
}

// A faction-list row as "number name ruler army seihei tian kessoku meisei ifu officers leader".
std::string columns(const FactionListRow& r) {
    std::string out = std::to_string(r.faction) + " " + r.name + " " + r.ruler;
    for (int v : {r.army, r.seihei, r.tian, r.kessoku, r.meisei, r.ifu}) out += " " + std::to_string(v);
    return out + " " + std::to_string(r.officers) + " " + r.leader;
}

TEST(WorldView, FactionListHasLiveFactionsOnlyWithTheirColumns) {
    // 袁紹 has fallen; 劉表's "yes" is not "TRUE". 董卓 has officers 1..5 and 10; 蔡瑁 (officer 11)
    // lies beyond the officer count.
    std::vector<std::string> rows;
    for (const auto& r : world().factionList()) rows.push_back(columns(r));
    EXPECT_EQ(rows,
              (std::vector<std::string>{"1 董卓 董卓 180 30 50 70 60 75 6 ", "2 曹操 曹操 40 15 65 85 40 20 2 曹操",
                                        "4 劉表 劉表 70 10 70 70 60 20 1 "}));
}

TEST(WorldView, OfficersOfEveryFactionListLiveFactionsInNumberOrder) {
    auto all = world().officersOfEveryFaction();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].name, "董卓");
    EXPECT_EQ(names(all[0].officers),
              (std::vector<std::string>{"1董卓", "2李儒", "3呂布", "4賈詡", "5王允", "10胡軫"}));
    EXPECT_EQ(names(all[1].officers), (std::vector<std::string>{"6曹操", "7夏侯惇"}));
    EXPECT_EQ(all[2].faction, 4);
    EXPECT_EQ(names(all[2].officers), (std::vector<std::string>{"9劉表"}));
}

TEST(WorldView, FactionDetailShowsThousandsAndPutsTheStrategistWithTheStaff) {
    auto d = world().factionDetail(1, "戦争を画策中");
    EXPECT_EQ(d.caption, "軍の内情董卓");
    std::vector<std::pair<std::string, std::string>> values = {{"総兵力", " 180000"}, {"精兵数", " 30000"},
                                                               {"名声", " 60"},       {"治安", " 50"},
                                                               {"結束力", " 70"},     {"畏怖", " 75"}};
    EXPECT_EQ(d.values, values);
    EXPECT_EQ(d.note, "戦争を画策中");
    EXPECT_TRUE(d.jobLists[1].empty());  // no military officer
    EXPECT_EQ(names(d.jobLists[2]), (std::vector<std::string>{"2李儒", "4賈詡"}));
    // 胡軫 has no job and stands in no list.

    auto none = world().factionDetail(9, "");  // no record
    EXPECT_EQ(none.caption, "軍の内情某国");
    for (const auto& list : none.jobLists) EXPECT_TRUE(list.empty());
}

TEST(WorldView, OfficerTableShowsADashWhereAnAbilityDoesNotCount) {
    auto lines = world().officerTable(1);
    ASSERT_EQ(lines.size(), 6u);
    using Cells = std::array<std::string, kOfficerTableColumns>;
    EXPECT_EQ(lines[0].cells, (Cells{"董卓", "3", "8", "6", "7", "4", "2", "君主"}));
    EXPECT_EQ(lines[2].cells, (Cells{"呂布", "-", "10", "3", "7", "3", "1", "将軍"}));
    EXPECT_EQ(lines[5].cells, (Cells{"胡軫", "-", "-", "-", "-", "0", "0", ""}));
    EXPECT_EQ(lines[5].id, 10);
}

// The six ability rows as "label value", "-" for a hidden row.
std::vector<std::string> shown(const OfficerStatus& s) {
    std::vector<std::string> out;
    for (const auto& row : s.rows) out.push_back(row.visible ? row.label + " " + row.value : "-");
    return out;
}

TEST(OfficerStatus, ShowsTheRowsOfTheJobAndTheComment) {
    test::TempGameFolder tmp;
    test::writeWorld(tmp);
    auto s = loadOfficerStatus(tmp.folder(), test::worldGlobals(), 2);
    ASSERT_TRUE(s.found);
    EXPECT_EQ(s.officer.name, "李儒");
    EXPECT_EQ(s.job, "軍師");
    EXPECT_EQ(shown(s), (std::vector<std::string>{"政治 5", "智謀 8", "采配 5", "-", "器量 3", "節度 4"}));
    EXPECT_EQ(s.comment, "  董卓の腹心\r\n  謀臣。\r\n");

    auto beyond = loadOfficerStatus(tmp.folder(), test::worldGlobals(), 11);  // above officerCount
    EXPECT_FALSE(beyond.found);
    EXPECT_EQ(beyond.officer.name, "何某");
    EXPECT_EQ(beyond.comment, "");
}

TEST(KeyAbilities, RowsByJob) {
    struct Row {
        Job job;
        std::array<const char*, 4> keyRows;
    } rows[] = {{Job::None, {"", "", "", ""}},
                {Job::Civil, {"政治", "", "", ""}},
                {Job::Military, {"武勇", "", "", ""}},
                {Job::Staff, {"政治", "智謀", "采配", ""}},
                {Job::General, {"武勇", "智謀", "采配", ""}},
                {Job::Ruler, {"政治", "武勇", "智謀", "采配"}},
                {Job::Strategist, {"政治", "智謀", "采配", ""}},
                {Job(7), {"", "", "", ""}}};  // a number that is no job
    for (const auto& row : rows) {
        SCOPED_TRACE(numberOf(row.job));
        auto r = abilityRows(row.job);
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(r[i] ? std::string(abilityLabel(*r[i])) : std::string(), row.keyRows[i]);
        EXPECT_EQ(abilityLabel(*r[4]), std::string("器量"));
        EXPECT_EQ(abilityLabel(*r[5]), std::string("節度"));
    }
}

}  // namespace
}  // namespace tei
