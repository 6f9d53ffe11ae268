#include "screens/OfficerStatus.h"

#include <gtest/gtest.h>

#include "screens/ScreensWorld.h"

namespace tei {
namespace {

TEST(OfficerStatus, ShowsTheRowsOfTheJobAndTheComment) {
    test::TempGameFolder tmp;
    test::writeWorld(tmp);
    auto s = loadOfficerStatus(tmp.folder(), test::worldGlobals(), 2);
    ASSERT_TRUE(s.found);
    EXPECT_EQ(s.officer.name, "李儒");
    EXPECT_EQ(s.job, "軍師");
    std::array<std::string, 6> labels, values;
    std::array<bool, 6> visible{};
    for (size_t r = 0; r < 6; ++r)
        labels[r] = s.rows[r].label, values[r] = s.rows[r].value, visible[r] = s.rows[r].visible;
    EXPECT_EQ(labels, (std::array<std::string, 6>{"政治", "智謀", "采配", "", "器量", "節度"}));
    EXPECT_EQ(values, (std::array<std::string, 6>{"5", "8", "5", "", "3", "4"}));
    EXPECT_EQ(visible, (std::array<bool, 6>{true, true, true, false, true, true}));
    EXPECT_EQ(s.comment, "  董卓の腹心\r\n  謀臣。\r\n");
}

TEST(OfficerStatus, FictionalOfficerShowsTheFixedTextAndAnUnknownNumberTheNobody) {
    test::TempGameFolder tmp;
    test::writeWorld(tmp);
    auto fictional = loadOfficerStatus(tmp.folder(), test::worldGlobals(), 5);
    EXPECT_EQ(fictional.comment, "この１ゲーム限りの架空の人物。");
    EXPECT_EQ(fictional.rows[0].label, "政治");
    EXPECT_FALSE(fictional.rows[1].visible);

    auto beyond = loadOfficerStatus(tmp.folder(), test::worldGlobals(), 11);  // above officerCount
    EXPECT_FALSE(beyond.found);
    EXPECT_EQ(beyond.officer.name, "何某");
    EXPECT_EQ(beyond.comment, "");
}

TEST(KeyAbilities, RowsByJob) {
    struct Row {
        int job;
        std::array<const char*, 4> keyRows;
    } rows[] = {
        {0, {"", "", "", ""}},
        {1, {"政治", "", "", ""}},
        {2, {"武勇", "", "", ""}},
        {3, {"政治", "智謀", "采配", ""}},
        {4, {"武勇", "智謀", "采配", ""}},
        {5, {"政治", "武勇", "智謀", "采配"}},
        {6, {"政治", "智謀", "采配", ""}},
        {7, {"", "", "", ""}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.job);
        auto r = abilityRows(row.job);
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(r[i] ? std::string(abilityLabel(*r[i])) : std::string(), row.keyRows[i]);
        EXPECT_EQ(abilityLabel(*r[4]), std::string("器量"));
        EXPECT_EQ(abilityLabel(*r[5]), std::string("節度"));
    }
}

}  // namespace
}  // namespace tei
