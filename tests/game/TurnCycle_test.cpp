#include "game/TurnCycle.h"

#include <tuple>

#include "FakeHost.h"
#include "MainFixture.h"
#include "core/HistoryFile.h"
#include "core/Numbers.h"
#include "core/Scenarios.h"
#include "messages/Chronicle.h"
#include "messages/YearBanner.h"
#include "screens/SaveSlots.h"
#include "setup/ScenarioSetup.h"

namespace tei {
namespace {

using namespace test;

class TurnCycleTest : public MainFixture {
protected:
    void SetUp() override {
        writeScenario({{1, "甲王", 1, Job::Ruler},
                       {2, "乙王", 2, Job::Ruler},
                       {3, "丙王", 3, Job::Ruler},
                       {.id = 4, .name = "甲将", .kunID = 1, .Job = Job::General},
                       {.id = 5, .name = "乙将", .kunID = 2, .Job = Job::General},
                       {.id = 6, .name = "丙将", .kunID = 3, .Job = Job::General}},
                      {{.id = 1, .name = "甲", .kunshuID = 1, .army = 50, .meisei = 50, .tian = 50},
                       {.id = 2, .name = "乙", .kunshuID = 2, .army = 40, .meisei = 40, .tian = 50},
                       {.id = 3, .name = "丙", .kunshuID = 3, .army = 30, .meisei = 30, .tian = 50}});
        tmp.writeIni("Text.ini", ".11\r\n治安\r\n..\r\n");
        g.scenarioNo = 2;
    }
    // A game of scenario 2: the officers up to 170 (free nobodies after the ones given), and the
    // factions given, then fallen ones up to the scenario's twelve, as working file and master.
    void writeScenario(std::initializer_list<OfficerSpec> officers, std::initializer_list<FactionSpec> factions) {
        writeWorld(officers, factions, kGameOfficerCount);
        std::string all = tmp.readIni("gunsv.ini");
        for (int n = 4; n <= 12; ++n)
            all += crlf({"." + std::to_string(n), "滅" + std::to_string(n), "0,0,0,0,0,0,0,0", "\"TRUE\""});
        tmp.writeIni("gunsv.ini", all);
        tmp.writeIni("Gunbatu2.ini", all);
    }
    // A world where 甲 has nobody but its ruler and too few troops, so the fall check of the first
    // year's resolution strikes it whatever it draws; 乙 is as weak but stands while 乙将 serves it.
    void writeWeakWorld() {
        writeScenario({{1, "甲王", 1, Job::Ruler},
                       {2, "乙王", 2, Job::Ruler},
                       {3, "丙王", 3, Job::Ruler},
                       {.id = 5, .name = "乙将", .kunID = 2, .Job = Job::General}},
                      {{.id = 1, .name = "甲", .kunshuID = 1, .army = 19},
                       {.id = 2, .name = "乙", .kunshuID = 2, .army = 19},
                       {.id = 3, .name = "丙", .kunshuID = 3, .army = 30}});
    }
    // Officer n serves 'lord' from the next resolution on.
    void setLord(int n, int16_t lord) {
        OfficerTable t;
        parseOfficers(tmp.readIni("busv.ini"), g.officerCount, t);
        t[n].kunID = lord;
        tmp.folder().writeText(tmp.folder().ini("busv.ini"), formatOfficers(t, g.officerCount));
    }
    // Every frame offers only 待機: the resolution carries nothing out and only the fall check acts.
    void waitOnly() {
        for (auto& offers : g.offerCommands) offers.assign(1, Command::Wait);
    }
    void player(int slot, int16_t faction, const char* name) {
        g.slotFaction[slot] = faction;
        g.slotName[slot] = name;
    }
    SeededRandom seeded{7};
    FakeHost host{g};
    TurnCycle cycle{tmp.folder(), g, seeded, host};
};

TEST_F(TurnCycleTest, AConfirmedPickIsStoredAndTheLastOneResolvesTheYear) {
    player(0, 1, "甲");
    player(1, 2, "乙");
    cycle.Form_Load();
    cycle.Command1_Click(3);  // 甲 leaves it to the computer
    ASSERT_EQ(cycle.turnSlot, 1);
    host.decide = true;
    int last = static_cast<int>(g.offerCommands[0].size()) - 1;
    int resolvedChoice = -1;
    host.onWindow = [&](const WindowPages& w) {
        if (w.mode == MsgMode::Resolution) resolvedChoice = g.factionChoice[2];
    };
    ASSERT_TRUE(cycle.Com_Lst_Click(0, last));
    EXPECT_EQ(resolvedChoice, last);
    EXPECT_EQ(cycle.yearCounter, 196);
    EXPECT_EQ(host.lines("window").front(), "window 1 195");
}

TEST_F(TurnCycleTest, OfferCaptionsTheMovingLineAndAnotherFramesOfferIsReadOnly) {
    player(0, 1, "甲");
    cycle.Form_Load();
    g.offerCommands[0] = {Command::Recruit, Command::RaiseTroops, Command::Wait, Command::YellowTurbans};
    g.offerTarget[0] = {5, 2, 0, 0};
    g.offerAmount[0] = {0, 15, 0, 12};
    g.offerDifficulty[0] = {7, 5, 0, 3};
    g.factionChoice[1] = 1;
    g.factionChoice[3] = 1;
    g.factionChoice[2] = 0;
    cycle.Com_Lst_Click(0, 0);
    EXPECT_EQ(g.msgText, "人材募集\r\n（要器量)");
    EXPECT_EQ(g.detailId, 5);
    EXPECT_EQ(g.textArg1, "乙将");
    EXPECT_EQ(g.textArg2, "乙、が動いている");
    cycle.Com_Lst_Click(0, 1);
    EXPECT_EQ(g.msgText, "兵力確保\r\n（難易度 5・要政治）");
    EXPECT_EQ(g.textArg1, "乙");
    EXPECT_EQ(g.textArg2, " 15％を借り受け、そのまま自分の物とする。\r\n甲、丙、が動いている");
    g.textArg1 = "前";
    cycle.Com_Lst_Click(0, 2);
    EXPECT_EQ(g.msgText, "待機");
    EXPECT_EQ(g.textNo, 20);
    EXPECT_EQ(g.textArg1, "前");
    cycle.Com_Lst_Click(0, 3);  // a rebel band without a known leader
    EXPECT_EQ(g.detailId, 0);
    EXPECT_EQ(g.textArg1, "何某");
    EXPECT_EQ(g.textArg2, " 12000を傘下に収める。\r\n");
    g.offerCommands[0][3] = Command::Denounce;  // a denounce offer that names no faction, as an empty frame deals it
    cycle.Com_Lst_Click(0, 3);
    EXPECT_EQ(g.textArg1, "某国");

    g.offerCommands[2] = {Command::Mediation};
    g.offerDifficulty[2] = {4};
    host.decide = true;
    cycle.Com_Lst_Click(2, 0);
    EXPECT_EQ(g.selectable, 0);
    EXPECT_EQ(g.textNo, 6);
    EXPECT_EQ(g.msgText, "調停\r\n（難易度 4・要器量、他)");
    EXPECT_TRUE(host.lines("ask").empty());
    EXPECT_EQ(cycle.yearCounter, 195);
}

TEST_F(TurnCycleTest, OfferHintsNameTheTargetAndDifficultyTheDescriptionShows) {
    player(0, 1, "甲");
    cycle.Form_Load();
    g.offerCommands[1] = {Command::Denounce, Command::Denounce, Command::Recruit, Command::JoinAlliance};
    g.offerTarget[1] = {2, 3, 5, 6};
    g.offerDifficulty[1] = {3, 8, 7, 2};
    g.offerCommands[2] = {Command::Mediation, Command::Wait, Command::YellowTurbans, Command::RaiseTroops};
    g.offerTarget[2] = {9, 0, 0, 3};
    g.offerAmount[2] = {0, 0, 12, 30};
    g.offerDifficulty[2] = {4, 0, 6, 5};
    g.textArg1 = "前";
    g.textArg2 = "後";
    g.detailId = 77;

    // Two denounce offers told apart by their targets and difficulties.
    EXPECT_EQ(cycle.offerHint(1, 0), "糾弾　対象：乙　難易度 3");
    EXPECT_EQ(cycle.offerHint(1, 1), "糾弾　対象：丙　難易度 8");
    EXPECT_EQ(cycle.offerHint(1, 2), "人材募集　対象：乙将");  // recruiting tells no difficulty
    EXPECT_EQ(cycle.offerHint(1, 3), "同盟参加　対象：丙将　難易度 2");
    EXPECT_EQ(cycle.offerHint(2, 0), "調停　難易度 4");  // acts on the own alliance: no target
    EXPECT_EQ(cycle.offerHint(2, 1), "待機");
    EXPECT_EQ(cycle.offerHint(2, 2), "黄巾賊退治　対象：何某　兵力 12000　難易度 6");
    EXPECT_EQ(cycle.offerHint(2, 3), "兵力確保　対象：丙　借用 30％　難易度 5");
    EXPECT_EQ(cycle.offerHint(2, 4), "");
    EXPECT_EQ(cycle.offerHint(4, 0), "");
    // Pointing changes none of the values the description screens are handed.
    EXPECT_EQ(std::make_tuple(g.textArg1, g.textArg2, g.detailId), std::make_tuple("前", "後", 77));
    EXPECT_TRUE(host.lines("strategy").empty());

    // The description names the same target.
    cycle.Com_Lst_Click(1, 1);
    EXPECT_EQ(g.textArg1, "丙");
    EXPECT_EQ(g.msgText, "糾弾\r\n（難易度 8・要政治）");
}

// An old game's history is emptied as the game starts; each year's rows are written with the year's
// other files, before a report about that year is shown.
TEST_F(TurnCycleTest, TheHistoryStartsEmptyAndHoldsTheYearBeforeItsReport) {
    tmp.writeIni("history.csv", "an old game's history\r\n");
    ASSERT_TRUE(cycle.Form_Load());
    EXPECT_EQ(tmp.readIni("history.csv"), emptyHistory());
    std::vector<int> atReports;
    host.onWindow = [&](const WindowPages& w) {
        if (w.mode == MsgMode::Report) atReports.push_back(parseHistory(tmp.readIni("history.csv")).rows.back().year);
    };
    ASSERT_TRUE(cycle.Command1_Click(3));
    auto rows = parseHistory(tmp.readIni("history.csv")).rows;
    ASSERT_EQ(rows.size(), 12u);  // every faction of the scenario, the fallen ones included
    EXPECT_EQ(formatHistoryRow(rows[3]), "195,4,滅4,0,0,0,0,0,0,0,0,0,0\r\n");
    while (!cycle.ended()) ASSERT_TRUE(cycle.Command1_Click(3));
    EXPECT_EQ(atReports, (std::vector<int>{210, 220}));
}

TEST_F(TurnCycleTest, ALoadedYearAddsNothingToTheHistoryUntilItIsResolved) {
    tmp.writeIni("history.csv", emptyHistory() + "199,1,甲,1,50,0,50,0,50,0,2,0,150\r\n");
    mkFristLog(tmp.folder());
    g.saveHeader = {200, 30, 40, 50, 2, 0, 0, 0};
    g.gameMode = GameMode::Continue;
    ASSERT_TRUE(cycle.Form_Load());
    host.onSaveLoad = [&] { g.dialogResult = 1; };
    ASSERT_TRUE(cycle.cmdLoad_Click());  // the same slot again: still nothing
    EXPECT_EQ(parseHistory(tmp.readIni("history.csv")).rows.size(), 1u);
    ASSERT_TRUE(cycle.Command1_Click(3));
    auto rows = parseHistory(tmp.readIni("history.csv")).rows;
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[1].year, 200);
}

TEST_F(TurnCycleTest, AHistoryThatCannotBeReadStopsTheYearWithEveryFileKept) {
    cycle.Form_Load();
    std::string factions = tmp.readIni("gunsv.ini"), chronicle = tmp.readIni("teiji.log");
    std::filesystem::remove(tmp.root() / "ini" / "history.csv");
    std::filesystem::create_directory(tmp.root() / "ini" / "history.csv");
    EXPECT_FALSE(cycle.Command1_Click(3));
    EXPECT_EQ(host.lines("error"), (std::vector<std::string>{"error ファイル「ini/history.csv」を読み込めません。"}));
    EXPECT_EQ(tmp.readIni("gunsv.ini"), factions);
    EXPECT_EQ(tmp.readIni("teiji.log"), chronicle);
}

TEST_F(TurnCycleTest, AFallenPlayerIsSkippedAndTheAllLostQuestionComesOnce) {
    writeWeakWorld();
    player(0, 1, "甲");
    player(1, 2, "乙");
    cycle.Form_Load();
    waitOnly();
    cycle.Command1_Click(3);
    cycle.Command1_Click(3);  // 195: 甲 falls
    EXPECT_EQ(cycle.yearCounter, 196);
    EXPECT_EQ(g.slotFaction[0], 0);
    EXPECT_EQ(cycle.turnSlot, 1);  // 甲 is skipped
    setLord(5, 0);                 // 乙将 leaves 乙
    waitOnly();
    cycle.Command1_Click(3);  // 196: 乙 falls, and no player is left
    EXPECT_EQ(cycle.yearCounter, 197);
    waitOnly();
    cycle.Command1_Click(3);  // nobody left: a whole year
    EXPECT_EQ(cycle.yearCounter, 198);
    EXPECT_EQ(host.lines("notify プレイヤーの軍団が滅亡しました。").size(), 2u);
    EXPECT_EQ(host.lines("ask プレイヤーの軍団が全て滅亡しました。\r\nこのまま続けますか？").size(), 1u);
    EXPECT_EQ(host.lines("ask").back(), "ask 時間を進めますか？ -> yes");
    auto lines = cycle.playerList();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].faction, 0);
    cycle.dsp_PC_Click(0);
    EXPECT_EQ(host.log.back(), "notify 甲は既に滅びています。");
}

TEST_F(TurnCycleTest, DecliningToGoOnAfterEveryPlayerFellEndsTheProgram) {
    writeWeakWorld();
    player(0, 1, "甲");
    cycle.Form_Load();
    waitOnly();
    host.answers = {true, false};
    cycle.Command1_Click(3);
    EXPECT_TRUE(cycle.ended());
    EXPECT_EQ(host.log.back(), "end");
    EXPECT_TRUE(host.lines("window 2").empty());
}

TEST_F(TurnCycleTest, QuittingAsksOnlyWhenNotSavedSinceTheLastResolution) {
    cycle.Form_Load();
    host.onSaveLoad = [&] { g.dialogResult = 1; };
    cycle.cmdSave_Click();
    EXPECT_EQ(g.saveHeader[0], 195);
    EXPECT_EQ(g.saveHeader[4], 2);
    EXPECT_EQ(g.savedFlag, 1);
    EXPECT_TRUE(cycle.exitGame_Click());
    EXPECT_TRUE(host.lines("ask").empty());
    cycle.Command1_Click(3);
    host.answers = {false};
    EXPECT_FALSE(cycle.exitGame_Click());
    EXPECT_EQ(host.log.back(), "ask セーブをしてませんがよろしいですか？ -> no");
}

// The saved alliance cohesion (50 and 55) is in place before the loaded year is dealt, drawn and
// reported, not the leaders' Fame (75 and 65) that placing the alliances starts from. Saved in 211,
// the interim report is shown again on loading and scores 甲's alliance at 80 troops x 50 / 100.
TEST_F(TurnCycleTest, ALoadedGameIsDrawnAndReportedWithTheSavedCohesion) {
    writeScenario({{1, "甲王", 1, Job::Ruler}, {2, "乙王", 2, Job::Ruler}, {3, "丙王", 3, Job::Ruler}},
                  {{.id = 1, .name = "甲", .kunshuID = 1, .meishuID = 1, .army = 50, .meisei = 75, .tian = 50},
                   {.id = 2, .name = "乙", .kunshuID = 2, .meishuID = 2, .army = 40, .meisei = 65, .tian = 50},
                   {.id = 3, .name = "丙", .kunshuID = 3, .meishuID = 1, .army = 30, .meisei = 30, .tian = 50}});
    tmp.writeIni("teiji.log", "鼎峙録の記録\r\nEOT=======\r\n");
    g.saveHeader = {211, 50, 55, 40, 2, 0, 0, 0};  // frame 3 holds no alliance: its 40 is not taken
    g.gameMode = GameMode::Continue;
    player(0, 1, "甲");
    std::string report;
    std::array<std::string, 3> summaries;
    host.onWindow = [&](const WindowPages& w) {
        if (w.mode != MsgMode::Report) return;
        report = w.pages.at(0);
        for (int k = 1; k <= 2; ++k) summaries[static_cast<size_t>(k)] = cycle.frames().summaryValue(k);
    };
    ASSERT_TRUE(cycle.Form_Load());
    EXPECT_EQ(cycle.yearCounter, 211);
    EXPECT_NE(report.find("同盟の期待できる兵力： 40000（1000で割ります）"), std::string::npos) << report;
    EXPECT_EQ(summaries[1], " 80000\r\n 50");
    EXPECT_EQ(summaries[2], " 40000\r\n 55");
    EXPECT_EQ(cycle.frames().summaryValue(1), " 80000\r\n 50");
    EXPECT_EQ(g.allianceCohesion[1], 50);
    EXPECT_EQ(g.allianceCohesion[2], 55);
    EXPECT_EQ(g.allianceCohesion[3], 0);
    EXPECT_EQ(cycle.frames().summaryValue(3), " 0000\r\n 0");
}

// In the window: the autosave equals a save made as the year's turns begin, and a load of it starts
// that year as a load of that save does.
TEST(Autosave, EqualsASaveMadeAsTheTurnsBeginAndLoadsAsOne) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    GameGlobals g;
    SeededRandom rng{3};
    ScenarioSetup title(tmp.folder(), g, rng);
    ASSERT_TRUE(title.Form_Load().ok);
    ASSERT_TRUE(title.chooseScenario(0).ok);
    ASSERT_TRUE(title.startNewGame({0, 2}).ok);
    test::FakeHost host(g);
    host.onSaveLoad = [&] {
        SaveSlots slots(tmp.folder(), g);
        ASSERT_TRUE((g.gameMode == GameMode::Save ? slots.save_rtn("1") : slots.load_rtn(kAutoSlot)).ok);
    };
    TurnCycle cycle(tmp.folder(), g, rng, host);
    ASSERT_TRUE(cycle.Form_Load());
    for (int year = 0; year < 2; ++year) {
        SCOPED_TRACE(year);
        cycle.cmdSave_Click();
        const auto saved = SaveSlots::slotFileNames("1"), autosaved = SaveSlots::slotFileNames(kAutoSlot);
        for (size_t k = 0; k < saved.size(); ++k) EXPECT_EQ(tmp.readSave(autosaved[k]), tmp.readSave(saved[k]));
        const int16_t playing = cycle.yearCounter;
        while (cycle.yearCounter == playing) ASSERT_TRUE(cycle.Command1_Click(3));
    }
    const std::string info = tmp.readSave("saveauto.ini");
    const auto slotNames = g.slotName;
    g.slotName.fill("");
    ASSERT_TRUE(cycle.cmdLoad_Click());
    EXPECT_EQ(cycle.yearCounter, 191);
    EXPECT_EQ(g.slotName, slotNames);
    EXPECT_EQ(tmp.readSave("saveauto.ini"), info);  // the loaded game is the autosave again
}

}  // namespace
}  // namespace tei
