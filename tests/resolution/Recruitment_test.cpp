// 人材募集 and 兵力確保.

#include "ResolutionWorld.h"

namespace tei {
namespace {

using namespace test;

class Recruit : public ResolutionWorld {
protected:
    void SetUp() override {
        faction(1).meisei = 30;
        faction(1).ifu = 16;
        g.textArg1 = "前1";
        g.textArg2 = "前2";
    }
};

TEST_F(Recruit, WithoutAGoBetweenTheOfficerAlwaysComes) {
    rng.then(0.59f);  // x = Int(0.59 * 5 / 3) = 0
    res.recruit(won(1, 2, 12, 7));
    EXPECT_EQ(story(), "[48:関羽|前2]\r\n[1:荀彧|関羽が魏]\r\n");
    EXPECT_EQ(officer(7).kunID, 1);
    EXPECT_EQ(officer(7).gunID, 1);
    EXPECT_EQ(officer(7).Job, Job::Military);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Recruit, ThroughAGoBetweenFame30Awe16SucceedsExactlyOnRollsUpTo7) {
    // (30 - 16) / 7 = 2 must reach roll - 5; the go-between is used from Rnd 0.6 on (x = 1).
    rng.then(0.6f).then(0.99f);
    res.recruit(won(1, 2, 7, 7));
    res.recruit(won(1, 2, 8, 5));
    EXPECT_EQ(story(), "[47:荀彧|関羽は魏]\r\n[1:荀彧|関羽が魏]\r\n[47:荀彧|周瑜は魏]\r\n[21:荀彧|周瑜]\r\n");
    EXPECT_EQ(officer(7).gunID, 1);
    EXPECT_EQ(officer(5).kunID, 4);
    EXPECT_EQ(officer(5).gunID, 2);
}

TEST_F(Recruit, WithoutAWinnerOnlyAFailedOfficerIsTold) {
    OfferContest c = won(1, 0, 7, 7);
    res.recruit(c);
    EXPECT_EQ(story(), "");
    c.lastFailing = 3;
    res.recruit(c);
    EXPECT_EQ(story(), "[52:前1|関羽]\r\n");
    EXPECT_EQ(rng.draws(), 0);
}

TEST_F(Recruit, ATargetWithoutARecordChangesNoEntry) {
    rng.then(0.1f).then(0.1f);
    res.recruit(won(1, 2, 2, 0));
    res.recruit(won(1, 2, 2, 150));  // beyond officerCount 8: no record either
    EXPECT_EQ(story(), "[48:何某|前2]\r\n[1:荀彧|何某が魏]\r\n[48:何某|何某が魏]\r\n[1:荀彧|何某が魏]\r\n");
    EXPECT_EQ(officer(0).kunID, 0);
    EXPECT_EQ(officer(0).gunID, 0);
    EXPECT_EQ(officer(150).kunID, 0);
    EXPECT_EQ(officer(150).gunID, 0);
}

class RaiseTroops : public ResolutionWorld {
protected:
    void SetUp() override {
        officer(2).policy = 10;
        faction(1).meisei = 10;
        faction(1).army = 3;
        faction(2).army = 45;
        faction(2).meisei = 198;
        g.textArg2 = "前2";
    }
};

TEST_F(RaiseTroops, TwentyPercentOf45Is9AndTheLendersFameIsCappedAt200) {
    // 10 + 10 / 10 = 11 >= 5 + 6
    res.raiseTroops(won(2, 2, 6, 2, 20, 5));
    EXPECT_EQ(story(), "[2:荀彧|魏の名声により 9000が魏]\r\n兵を貸した呉の名声も上がった。\r\n");
    EXPECT_EQ(faction(2).army, 36);
    EXPECT_EQ(faction(2).meisei, 200);
    EXPECT_EQ(faction(1).army, 12);
    EXPECT_EQ(faction(1).meisei, 10);
}

TEST_F(RaiseTroops, FailsWhenFameAndPoliticsFallShortOfDifficultyAndRoll) {
    res.raiseTroops(won(2, 2, 7, 2, 20, 5));
    EXPECT_EQ(story(), "[22:荀彧|前2]\r\n");
    EXPECT_EQ(faction(2).army, 45);
    EXPECT_EQ(faction(1).army, 3);
}

TEST_F(RaiseTroops, TheLenderWinningItsOwnOfferChangesNothing) {
    res.raiseTroops(won(2, 5, 2, 2, 20, 0));
    EXPECT_EQ(story(), "[53:周瑜|前2]\r\n");
    EXPECT_EQ(faction(2).army, 45);
    EXPECT_EQ(faction(2).meisei, 198);
}

TEST_F(RaiseTroops, ALenderWithoutARecordLendsNothingAndStaysUntouched) {
    res.raiseTroops(won(2, 2, 2, 0, 20, 0));
    res.raiseTroops(won(2, 2, 2, 25, 20, 0));  // outside the table altogether
    const std::string once = "[2:荀彧|魏の名声により 0000が魏]\r\n兵を貸した某国の名声も上がった。\r\n";
    EXPECT_EQ(story(), once + once);
    EXPECT_EQ(faction(0).meisei, 0);
    EXPECT_EQ(faction(1).army, 3);
}

TEST_F(RaiseTroops, TroopsSaturateInsteadOfOverflowing) {
    faction(1).army = 32000;
    faction(2).army = 32000;
    res.raiseTroops(won(2, 2, 2, 2, 100, 0));
    EXPECT_EQ(faction(1).army, 32767);
    EXPECT_EQ(faction(2).army, 0);
}

}  // namespace
}  // namespace tei
