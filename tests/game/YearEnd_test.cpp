#include "game/YearEnd.h"

#include "MainFixture.h"

namespace tei {
namespace {

using namespace test;

class YearEndTest : public MainFixture {
protected:
    void SetUp() override {
        writeWorld({{.id = 1, .name = "甲王", .kunID = 1, .Job = Job::Ruler, .policy = 5, .charm = 3},
                    {.id = 2, .name = "甲文", .kunID = 1, .Job = Job::Civil, .policy = 4, .charm = 9},
                    {.id = 3, .name = "甲将", .kunID = 1, .Job = Job::General, .policy = 9, .charm = 8},
                    {.id = 4, .name = "乙王", .kunID = 4, .Job = Job::Ruler, .policy = 8, .charm = 6},
                    {.id = 5, .name = "丙王", .kunID = 5, .Job = Job::Ruler, .policy = 9, .charm = 9},
                    {.id = 6, .name = "浪人", .kunID = 0, .Job = Job::Staff, .policy = 1, .charm = 1}},
                   {{.id = 1, .name = "甲", .kunshuID = 1, .kessoku = 40, .tian = 50},
                    {.id = 2, .name = "乙", .kunshuID = 4, .kessoku = 95, .tian = 98},
                    {.id = 3, .name = "丙", .kunshuID = 5, .kessoku = 10, .tian = 10, .del = true}});
    }
    TemplateBook book = echoTemplates();
    MessagePages report{51, 50};
    YearEnd yearEnd{g, rng, scratch, book, report};
};

TEST_F(YearEndTest, PublicOrderRisesWithPoliticsAndAWeakOfficialsMishapIsToldEvenWithDivisorOne) {
    // 甲王 (Politics 5): +1, and a mishap roll of 5 that cannot beat 5. 甲文 (4): roll 5 > 4, divisor
    // Nearest(1.25) = 1. 甲将 is a general and does not take part. 乙王 (8): +4. 丙王's faction has
    // fallen and is skipped.
    rng.face(1, 2)
        .face(5, 6)  // 甲王
        .face(1, 2)
        .face(5, 6);  // 甲文
    yearEnd.Policy_rtn();
    FactionTable t = readFactions();
    EXPECT_EQ(t[1].tian, 51);
    EXPECT_EQ(t[2].tian, 100);  // 98 + 4, at most 100
    EXPECT_EQ(t[3].tian, 10);
    EXPECT_EQ(report.at(0), "[11:甲|甲文]\r\n");
    EXPECT_EQ(rng.reseeds(), 1);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(YearEndTest, AnOfficialWithoutPoliticsCountsAsOneForTheDivisor) {
    writeWorld({{.id = 1, .name = "甲王", .kunID = 1, .Job = Job::Ruler, .policy = 0}},
               {{.id = 1, .name = "甲", .kunshuID = 1, .tian = 50}});
    rng.face(1, 2).face(3, 6);  // r = 3 > 0: divisor 3 / 1
    yearEnd.Policy_rtn();
    EXPECT_EQ(readFactions()[1].tian, 16);
    EXPECT_EQ(report.at(0), "[11:甲|甲王]\r\n");
}

// Only Politics 0 counts as 1. A negative Politics (an edited officer) divides as it is: the divisor
// comes out 0 or below and cuts nothing, and as the faction's latest culprit it replaces an earlier
// one's divisor.
TEST_F(YearEndTest, ANegativePoliticsGivesADivisorThatCutsNothing) {
    writeWorld(
        {{.id = 1, .name = "甲王", .kunID = 1, .Job = Job::Ruler, .policy = 2},
         {.id = 2, .name = "甲文", .kunID = 1, .Job = Job::Civil, .policy = -1},
         {.id = 3, .name = "乙王", .kunID = 3, .Job = Job::Ruler, .policy = -1}},
        {{.id = 1, .name = "甲", .kunshuID = 1, .tian = 50}, {.id = 2, .name = "乙", .kunshuID = 3, .tian = 50}});
    rng.face(1, 2).face(5, 6);  // 甲王: 5 > 2, divisor Nearest(2.5) = 2
    rng.face(1, 2).face(3, 6);  // 甲文: 3 > -1, divisor Nearest(-3): replaces the 2
    rng.face(1, 2).face(1, 6);  // 乙王: 1 > -1, divisor Nearest(-1)
    yearEnd.Policy_rtn();
    EXPECT_EQ(readFactions()[1].tian, 50);
    EXPECT_EQ(readFactions()[2].tian, 50);
    EXPECT_EQ(report.at(0), "");
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(YearEndTest, CohesionTakesTheStandoutsCapacityUpTo100AndAHalvedMishapRoll) {
    rng.dice(1, 1)
        .face(1, 2)
        .face(4, 6)   // 甲王: best 3; mishap r = 4 > 3: divisor 2
        .dice(1, 1)   // 甲将 (8): 3 <= 8 + 2, best 8
        .dice(1, 1)   // 乙王 (6): best 6
        .dice(1, 1)   // 丙王 (9)
        .dice(3, 4)   // 甲: 8 > 7: +8
        .dice(2, 3);  // 乙: 6 > 5: 95 + 6
    yearEnd.Jinji_rtn();
    FactionTable t = readFactions();
    EXPECT_EQ(t[1].kessoku, 24);   // (40 + 8) / 2
    EXPECT_EQ(t[2].kessoku, 100);  // at most 100
    EXPECT_EQ(report.at(0), "[45:甲|甲将]\r\n[38:甲|甲王]\r\n[45:乙|乙王]\r\n");
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(YearEndTest, ACohesionRollOfOneDividesByZeroAndChangesNothing) {
    writeWorld({{.id = 1, .name = "甲王", .kunID = 1, .Job = Job::Ruler, .charm = 0}},
               {{.id = 1, .name = "甲", .kunshuID = 1, .kessoku = 100}});
    rng.dice(1, 1)
        .face(1, 2)
        .face(1, 6)   // best 0; r = 1 > 0 but Nearest(0.5) = 0
        .dice(1, 1);  // 0 > 2 fails
    yearEnd.Jinji_rtn();
    EXPECT_EQ(readFactions()[1].kessoku, 100);
    EXPECT_EQ(report.at(0), "");
}

}  // namespace
}  // namespace tei
