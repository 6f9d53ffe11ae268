#include "screens/WorldView.h"

#include <gtest/gtest.h>

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

TEST(WorldView, LoadNamesTheMissingFile) {
    test::TempGameFolder tmp;
    tmp.writeIni("busv.ini", kWorldOfficers);
    try {
        (void)WorldView::load(tmp.folder(), test::worldGlobals());
        FAIL() << "loaded without a faction file";
    } catch (const FileError& e) {
        EXPECT_EQ(e.message(), "ファイル「ini/gunsv.ini」が見つかりません。");
    }
}

}  // namespace
}  // namespace tei
