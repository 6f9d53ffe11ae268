#include "screens/OfficerStatus.h"

#include <gtest/gtest.h>

#include "screens/ScreensWorld.h"

namespace tei {
namespace {

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
