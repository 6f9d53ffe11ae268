// 人材募集, 兵力確保, 調略 (the target's Cohesion is broken and its officers may go over), 黄巾賊退治 and
// 異民族討伐.

#include "ResolutionWorld.h"
#include "core/RecordFiles.h"

namespace tei {
namespace {

using namespace test;

// Without a winner only the last officer who failed is told of, and nobody when none failed or when he
// serves the target itself; nothing is drawn and nothing changes.
using NoWinner = CommandWorld;

TEST_F(NoWinner, OnlyTheLastOfficerWhoFailedIsTold) {
    struct Row {
        const char* name;
        Command command;
        int target, lastFailing;
        const char* told;
    };
    const Row rows[] = {
        {"recruit, nobody failed", Command::Recruit, 7, 0, ""},
        {"recruit", Command::Recruit, 7, 3, "[52:前1|関羽]\r\n"},
        {"subversion failed by the target's own officer", Command::Subversion, 2, 5, ""},
        {"subversion", Command::Subversion, 2, 3, "[23:夏侯惇|呉]\r\n"},
        {"barbarians, nobody failed", Command::Barbarians, 8, 0, ""},
        {"barbarians", Command::Barbarians, 8, 4, "[43:孫堅|前2]\r\n"},
        {"mediation, nobody failed", Command::Mediation, 0, 0, ""},
        {"mediation", Command::Mediation, 0, 4, "[58:調停|前2]\r\n"},
        {"denunciation, nobody failed", Command::Denounce, 2, 0, ""},
        {"denunciation", Command::Denounce, 2, 4, "[58:糾弾|前2]\r\n"},
    };
    const std::string factionsBefore = formatFactions(turn.records.factions, 3);
    const std::string officersBefore = formatOfficers(turn.records.officers, 8);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        turn.pages.clear_Text_rtn();
        g.textArg1 = "前1";
        g.textArg2 = "前2";
        OfferContest c = won(row.command, 0, 7, row.target, 10, 5);
        c.lastFailing = row.lastFailing;
        res.carryOut(c);
        EXPECT_EQ(story(), row.told);
    }
    EXPECT_EQ(rng.draws(), 0);
    EXPECT_EQ(formatFactions(turn.records.factions, 3), factionsBefore);
    EXPECT_EQ(formatOfficers(turn.records.officers, 8), officersBefore);
}

class Recruit : public CommandWorld {
protected:
    void SetUp() override {
        faction(1).meisei = 30;
        faction(1).ifu = 16;
    }
};

TEST_F(Recruit, WithoutAGoBetweenTheOfficerAlwaysComes) {
    rng.then(0.59f);  // x = Int(0.59 * 5 / 3) = 0
    res.recruit(won(Command::Recruit, 2, 12, 7));
    EXPECT_EQ(story(), "[48:関羽|前2]\r\n[1:荀彧|関羽が魏]\r\n");
    EXPECT_EQ(officer(7).kunID, 1);
    EXPECT_EQ(officer(7).gunID, 1);
    EXPECT_EQ(Job(officer(7).Job), Job::Military);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Recruit, ThroughAGoBetweenFame30Awe16SucceedsExactlyOnRollsUpTo7) {
    // (30 - 16) / 7 = 2 must reach roll - 5; the go-between is used from Rnd 0.6 on (x = 1).
    rng.then(0.6f).then(0.99f);
    res.recruit(won(Command::Recruit, 2, 7, 7));
    res.recruit(won(Command::Recruit, 2, 8, 5));
    EXPECT_EQ(story(), "[47:荀彧|関羽は魏]\r\n[1:荀彧|関羽が魏]\r\n[47:荀彧|周瑜は魏]\r\n[21:荀彧|周瑜]\r\n");
    EXPECT_EQ(officer(7).gunID, 1);
    EXPECT_EQ(officer(5).kunID, 4);
    EXPECT_EQ(officer(5).gunID, 2);
}

TEST_F(Recruit, ATargetWithoutARecordChangesNoEntry) {
    rng.then(0.1f).then(0.1f);
    res.recruit(won(Command::Recruit, 2, 2, 0));
    res.recruit(won(Command::Recruit, 2, 2, 150));  // beyond officerCount 8: no record either
    EXPECT_EQ(story(), "[48:何某|前2]\r\n[1:荀彧|何某が魏]\r\n[48:何某|何某が魏]\r\n[1:荀彧|何某が魏]\r\n");
    EXPECT_EQ(officer(0).kunID, 0);
    EXPECT_EQ(officer(0).gunID, 0);
    EXPECT_EQ(officer(150).kunID, 0);
    EXPECT_EQ(officer(150).gunID, 0);
}

class RaiseTroops : public CommandWorld {
protected:
    void SetUp() override {
        officer(2).policy = 10;
        faction(1).meisei = 10;
        faction(1).army = 3;
        faction(2).army = 45;
        faction(2).meisei = 198;
    }
};

// 荀彧 (Politics 10) for 魏 (Fame 10): 10 + 10 / 10 = 11 must reach difficulty + roll. The share lent is
// Int(troops * amount / 100) worked out exactly: 15 % of 820 is 123 (0.15 held in binary would give
// 122); 819 lends 122.85, so 122.
TEST_F(RaiseTroops, LendsItsShareExactlyWhenFameAndPoliticsReachDifficultyAndRoll) {
    struct Row {
        const char* name;
        int winner, roll;
        int16_t amount, lenderArmy, lenderFame, ownArmy;
        const char* story;
        int16_t lenderArmyAfter, lenderFameAfter, ownArmyAfter;
    };
    const std::string praised = "]\r\n兵を貸した呉の名声も上がった。\r\n";
    const Row rows[] = {
        {"TwentyPercentOf45Is9FameCappedAt200", 2, 6, 20, 45, 198, 3, "[2:荀彧|魏の名声により 9000が魏", 36, 200, 12},
        {"FifteenPercentOf820IsExactly123", 2, 6, 15, 820, 198, 3, "[2:荀彧|魏の名声により 123000が魏", 697, 200, 126},
        {"FifteenPercentOf819Is122", 2, 6, 15, 819, 198, 3, "[2:荀彧|魏の名声により 122000が魏", 697, 200, 125},
        {"ALenderAboveTheFameCapKeepsIt", 2, 6, 20, 45, 202, 3, "[2:荀彧|魏の名声により 9000が魏", 36, 202, 12},
        {"TroopsSaturate", 2, 2, 100, 32000, 198, 32000, "[2:荀彧|魏の名声により 32000000が魏", 0, 200, 32767},
        {"OneShortFails", 2, 7, 20, 45, 198, 3, "[22:荀彧|前2]\r\n", 45, 198, 3},
        {"TheLenderWinningItsOwnOffer", 5, 2, 20, 45, 198, 3, "[53:周瑜|前2]\r\n", 45, 198, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        turn.pages.clear_Text_rtn();
        g.textArg2 = "前2";
        faction(2).army = row.lenderArmy;
        faction(2).meisei = row.lenderFame;
        faction(1).army = row.ownArmy;
        res.raiseTroops(won(Command::RaiseTroops, row.winner, row.roll, 2, row.amount, 5));
        std::string told = row.story;
        if (told.starts_with("[2:")) told += praised;
        EXPECT_EQ(story(), told);
        EXPECT_EQ(faction(2).army, row.lenderArmyAfter);
        EXPECT_EQ(faction(2).meisei, row.lenderFameAfter);
        EXPECT_EQ(faction(1).army, row.ownArmyAfter);
        EXPECT_EQ(faction(1).meisei, 10);
    }
}

TEST_F(RaiseTroops, ALenderWithoutARecordLendsNothingAndStaysUntouched) {
    res.raiseTroops(won(Command::RaiseTroops, 2, 2, 0, 20, 0));
    res.raiseTroops(won(Command::RaiseTroops, 2, 2, 25, 20, 0));  // outside the table altogether
    const std::string once = "[2:荀彧|魏の名声により 0000が魏]\r\n兵を貸した某国の名声も上がった。\r\n";
    EXPECT_EQ(story(), once + once);
    EXPECT_EQ(faction(0).meisei, 0);
    EXPECT_EQ(faction(1).army, 3);
}

class Subvert : public CommandWorld {
protected:
    void SetUp() override { faction(2).kessoku = 50; }
    // The four defection draws of one officer: a = a1 + a2 (each 0..7), b = b1 + b2 + 2 (each 0..49).
    void defection(int a1, int a2, int b1, int b2) { rng.face(a1, 8).face(a2, 8).face(b1, 50).face(b2, 50); }
};

TEST_F(Subvert, Intellect20LeavesAFifthAndAWillingOfficerComesOver) {
    officer(2).wisdom = 20;
    defection(7, 7, 49, 49);  // 孫堅 is willing, but a ruler stays
    defection(1, 1, 30, 20);  // 周瑜: a = 2 >= 0 + 2, b = 52 > 10 * 3 / 5 + 40 = 46
    res.subvert(won(Command::Subversion, 2, 7, 2));
    EXPECT_EQ(story(), "[3:荀彧|呉陣営の結束が 10]\r\n[13:周瑜、|魏]\r\n");
    EXPECT_EQ(faction(2).kessoku, 10);
    EXPECT_EQ(officer(5).gunID, 1);
    EXPECT_EQ(officer(5).kunID, 1);
    EXPECT_EQ(rng.reseeds(), 1);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Subvert, CohesionStaysWithin0And100AndAtFullCohesionNobodyComes) {
    faction(2).kessoku = 100;
    officer(2).wisdom = 0;  // keeps all 100
    defection(7, 7, 49, 49);
    defection(7, 7, 49, 49);  // b = 100 is not above 100
    res.subvert(won(Command::Subversion, 2, 7, 2));
    EXPECT_EQ(officer(5).gunID, 2);
    officer(2).wisdom = 30;  // takes 120 of 100
    defection(0, 0, 0, 0);
    defection(0, 0, 0, 0);
    res.subvert(won(Command::Subversion, 2, 7, 2));
    EXPECT_EQ(story(), "[3:荀彧|呉陣営の結束が 100]\r\n[3:荀彧|呉陣営の結束が 0]\r\n");
    EXPECT_EQ(faction(2).kessoku, 0);
}

// The flight is told only when somebody went over; its arguments are set all the same.
TEST_F(Subvert, NobodyGoingOverTellsNoFlight) {
    officer(2).wisdom = 5;    // keeps 20 / 25 of 50 = 40
    defection(7, 7, 49, 49);  // 孫堅 would come, but a ruler stays
    defection(1, 0, 49, 49);  // 周瑜: a = 1 is one short of Restraint 0 + 2
    res.subvert(won(Command::Subversion, 2, 7, 2));
    EXPECT_EQ(story(), "[3:荀彧|呉陣営の結束が 40]\r\n");
    EXPECT_EQ(officer(5).gunID, 2);
    EXPECT_EQ(g.textArg1, "");
    EXPECT_EQ(g.textArg2, "魏");
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Subvert, TheTargetWinningItsOwnOfferChangesNothing) {
    res.subvert(won(Command::Subversion, 5, 7, 2));
    EXPECT_EQ(story(), "[33:周瑜|前2]\r\n");
    EXPECT_EQ(faction(2).kessoku, 50);
    EXPECT_EQ(rng.draws(), 0);
}

TEST_F(Subvert, ATargetWithoutARecordDrawsNoLordlessOfficerOver) {
    officer(2).wisdom = 20;
    res.subvert(won(Command::Subversion, 2, 7, 0));
    EXPECT_EQ(story(), "[3:荀彧|某国陣営の結束が 0]\r\n");
    EXPECT_EQ(officer(8).gunID, 0);  // 徐庶, of "faction 0", stays free
    EXPECT_EQ(officer(8).kunID, 0);
    EXPECT_EQ(rng.draws(), 0);
}

class Subdue : public CommandWorld {
protected:
    void SetUp() override {
        officer(8).charm = 5;  // 徐庶 leads the rebels
    }
};

TEST_F(Subdue, YellowTurbansLostBattleChangesNothingAtAll) {
    officer(3).tactics = 11;
    faction(1).meisei = 50;
    // best 10 < 6 + 5 and Leadership 11 is not above 11
    res.subdueYellowTurbans(won(Command::YellowTurbans, 3, 5, 8, 30, 6, 10));
    EXPECT_EQ(story(), "[43:夏侯惇|前2]\r\n");
    EXPECT_EQ(faction(1).meisei, 50);
    EXPECT_EQ(officer(8).gunID, 0);
    EXPECT_EQ(rng.draws(), 0);
}

TEST_F(Subdue, YellowTurbansRoutedByLeadershipWithGainsMadeOnlyBelowTheBound) {
    officer(3).tactics = 12;  // 12 > 6 + 5
    officer(1).charm = 8;     // the lord's Capacity decides the capture
    faction(1).meisei = 199;
    faction(1).ifu = 99;
    faction(1).tian = 10;
    faction(1).army = 5;
    rng.face(4, 10)
        .face(5, 10)  // s = 11: 10 + 11 >= 30 / 3
        .dice(3, 3);  // 8 + 6 >= 5 + 5: he joins
    res.subdueYellowTurbans(won(Command::YellowTurbans, 3, 5, 8, 30, 6, 10));
    EXPECT_EQ(story(), "[4:夏侯惇|前2]\r\n[14:魏| 30000が魏]\r\n[1:夏侯惇|徐庶が魏]\r\n");
    EXPECT_EQ(faction(1).meisei, 202);  // 199 + 3, then no more once at 200
    EXPECT_EQ(faction(1).ifu, 100);
    EXPECT_EQ(faction(1).army, 35);
    EXPECT_EQ(officer(8).kunID, 1);
    EXPECT_EQ(officer(8).gunID, 1);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Subdue, YellowTurbansNotRoutedAndTheLeaderHides) {
    faction(1).tian = 8;
    faction(1).army = 5;
    rng.face(0, 10)
        .face(0, 10)                                                           // s = 2: 8 + 2 falls short of 31 / 3
        .dice(1, 1);                                                           // 0 + 2 < 5 + 5
    res.subdueYellowTurbans(won(Command::YellowTurbans, 3, 5, 8, 31, 6, 11));  // best 11 >= 11
    EXPECT_EQ(story(), "[4:夏侯惇|前2]\r\n[24:魏| 31000]\r\n徐庶は身を隠したようだった。\r\n\r\n");
    EXPECT_EQ(faction(1).army, 5);
    EXPECT_EQ(faction(1).meisei, 3);
    EXPECT_EQ(faction(1).ifu, 1);
    EXPECT_EQ(officer(8).gunID, 0);
}

TEST_F(Subdue, BarbariansWonGiveEliteFameAndAweAndTheWinnersOwnCapacityCaptures) {
    officer(1).charm = 4;
    officer(1).fight = 7;
    faction(1).tian = 3;
    faction(1).meisei = 100;
    faction(1).ifu = 99;
    rng.dice(6, 6);                                                  // 4 + 12 >= 5 + 6
    res.subdueBarbarians(won(Command::Barbarians, 1, 6, 8, 10, 5));  // 7 + 4 >= 5 + 6
    EXPECT_EQ(story(), "[5:曹操|前2]\r\n[46:曹操|魏]\r\n[15:曹操| 10000が魏]\r\n[1:曹操|徐庶が魏]\r\n");
    EXPECT_EQ(faction(1).seihei, 5);  // Int(10 * 5 / 10)
    EXPECT_EQ(faction(1).tian, 0);    // 3 - 5, not below 0
    EXPECT_EQ(faction(1).meisei, 104);
    EXPECT_EQ(faction(1).ifu, 102);  // 99 + 3, then no more
    EXPECT_EQ(officer(8).gunID, 1);
}

TEST_F(Subdue, BarbariansLostBattleKeepsTheEliteAndTheUnrest) {
    officer(1).charm = 4;
    officer(1).fight = 7;
    faction(1).tian = 50;
    faction(1).ifu = 99;
    rng.dice(1, 1);                                                 // 4 + 2 < 5 + 7
    res.subdueBarbarians(won(Command::Barbarians, 1, 7, 8, 7, 5));  // 11 < 12
    EXPECT_EQ(story(), "[5:曹操|前2]\r\n[15:曹操| 7000が魏]\r\n徐庶は身を隠したようだった。\r\n\r\n");
    EXPECT_EQ(faction(1).seihei, 3);  // Int(7 * 5 / 10)
    EXPECT_EQ(faction(1).tian, 45);
    EXPECT_EQ(faction(1).meisei, 1);
    EXPECT_EQ(faction(1).ifu, 102);
}

TEST_F(Subdue, ALeaderWithoutARecordIsCapturedIntoNoEntry) {
    rng.dice(6, 6);
    res.subdueBarbarians(won(Command::Barbarians, 1, 2, 0, 10, 0));
    EXPECT_EQ(officer(0).kunID, 0);
    EXPECT_EQ(officer(0).gunID, 0);
    EXPECT_NE(story().find("[1:曹操|何某が魏]"), std::string::npos);
}

}  // namespace
}  // namespace tei
