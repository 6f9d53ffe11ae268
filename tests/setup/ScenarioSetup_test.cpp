#include "setup/ScenarioSetup.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <utility>

#include "core/RecordFiles.h"
#include "support/ScriptedRandom.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::crlf;
using test::face;
using test::ScriptedRandom;
using test::TempGameFolder;

std::string officer(int n, const char* name, int kunID, int job, int commentID = 0) {
    return crlf({"." + std::to_string(n), std::string("\"") + name + "\"", "5,6,7,8", "4,3",
                 std::to_string(kunID) + "," + std::to_string(job), "\"face\"", std::to_string(commentID)});
}

std::string faction(int n, const char* name, int ruler) {
    return crlf({"." + std::to_string(n), name, "0," + std::to_string(ruler) + ",50,5,60,70,80,10", "\"FALSE\""});
}

std::string descriptions() {
    std::string text;
    for (int n = 21; n <= 26; ++n) text += crlf({"." + std::to_string(n), "説明" + std::to_string(n), ".."});
    return text;
}

std::string numberedNames(const char* stem, int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += std::string(stem) + std::to_string(i) + "\r\n";
    return text;
}

// Two small scenarios: scenario 1 (and 4) with rulers 1 and 2, scenario 2 with a single ruler.
class ScenarioSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmp.writeIni("bushou1.ini", kOfficers1);
        tmp.writeIni("BUSHOU1_BK.ini", officer(1, "原本", 1, 5));
        tmp.writeIni("Gunbatu1.ini", faction(1, "董卓", 1) + faction(2, "袁紹", 2));
        tmp.writeIni("bushou2.ini", officer(1, "曹操", 1, 5));
        tmp.writeIni("Gunbatu2.ini", faction(1, "曹操", 1));
        tmp.writeIni("Comment.ini", crlf({".1", "董卓", "暴君。", "."}));
        tmp.writeIni("Command.ini", descriptions());
        tmp.writeIni("sei.ini", numberedNames("姓", 170));
        tmp.writeIni("mei.ini", numberedNames("名", 150));
    }

    // Officers 1 and 2 rule, 3 and 6 serve ruler 1, 5 serves ruler 2, 4 serves nobody.
    const std::string kOfficers1 = officer(1, "董卓", 1, 5, 1) + officer(2, "袁紹", 2, 5) + officer(3, "李儒", 1, 3) +
                                   officer(4, "浪人", 0, 2) + officer(5, "顔良", 2, 4) + officer(6, "呂布", 1, 4);

    // Draws of a whole new game with every draw 0: names 姓1名1, every officer a civil official.
    void scriptPlainNewGame() {
        for (int i = 0; i < 170 * (2 + 14); ++i) rng.then(0);
    }

    // Scripts draws written "k/n k/n ...": Int(Rnd * n) = k for each, in order.
    void faces(const std::string& draws) {
        std::istringstream in(draws);
        int k = 0, n = 0;
        char slash = 0;
        while (in >> k >> slash >> n) rng.face(k, n);
    }

    OfficerTable readWorkingOfficers() {
        OfficerTable t{};
        parseOfficers(tmp.readIni("busv.ini"), 170, t);
        return t;
    }

    TempGameFolder tmp;
    GameGlobals g;
    ScriptedRandom rng;
    ScenarioSetup setup{tmp.folder(), g, rng};
};

TEST_F(ScenarioSetupTest, OpeningMakesScenarioOnesWorkingFilesAndRulerList) {
    g.scenarioNo = 3;
    ASSERT_TRUE(setup.Form_Load().ok);
    EXPECT_EQ(g.scenarioNo, 1);
    EXPECT_EQ(g.factionCount, 13);
    EXPECT_EQ(g.officerCount, 155);
    EXPECT_EQ(tmp.readIni("busv.ini"), kOfficers1);
    EXPECT_EQ(tmp.readIni("Cmtsv.ini"), tmp.readIni("Comment.ini"));
    EXPECT_EQ(tmp.readIni("gunsv.ini"), tmp.readIni("Gunbatu1.ini"));
    EXPECT_EQ(setup.description(), "説明21\r\n");
    ASSERT_EQ(setup.rows().size(), 2u);
    EXPECT_EQ(setup.rows()[1].text, "袁紹");
    EXPECT_EQ(setup.rulerOfRow(1), 2);
    EXPECT_EQ(setup.rulerOfRow(2), 0);
    EXPECT_EQ(rng.draws(), 0);
}

TEST_F(ScenarioSetupTest, AMissingFileIsNamedAndChangesNothing) {
    std::filesystem::remove(tmp.root() / "ini" / "bushou2.ini");  // the opening needs scenario 1's files only
    ASSERT_TRUE(setup.Form_Load().ok);
    auto outcome = setup.chooseScenario(2);  // scenario 3: bushou.ini is missing
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "ファイル「ini/bushou.ini」が見つかりません。");
    EXPECT_EQ(g.scenarioNo, 1);
    EXPECT_EQ(g.factionCount, 13);
    EXPECT_EQ(tmp.readIni("busv.ini"), kOfficers1);
    EXPECT_EQ(setup.rows().size(), 2u);
    EXPECT_EQ(setup.description(), "説明21\r\n");

    // A new game that fails keeps the slots and the officer file.
    std::filesystem::remove(tmp.root() / "ini" / "sei.ini");
    outcome = setup.startNewGame({1});
    EXPECT_EQ(outcome.message, "ファイル「ini/sei.ini」が見つかりません。");
    EXPECT_EQ(g.slotFaction[1], 0);
    EXPECT_EQ(g.officerCount, 155);
    EXPECT_EQ(tmp.readIni("busv.ini"), kOfficers1);
}

TEST_F(ScenarioSetupTest, RulerListStopsAtTheFactionCountAndAtTwentyOneRows) {
    std::string many;
    for (int n = 1; n <= 14; ++n) many += faction(n, "国", n);
    tmp.writeIni("Gunbatu1.ini", many);
    ASSERT_TRUE(setup.Form_Load().ok);
    EXPECT_EQ(setup.rows().size(), 13u);  // stops after the record numbered 13

    std::string zeros;
    for (int n = 1; n <= 30; ++n) zeros += faction(0, "零", n);
    tmp.writeIni("Gunbatu1.ini", zeros);
    ASSERT_TRUE(setup.Form_Load().ok);
    EXPECT_EQ(setup.rows().size(), 21u);
    // Rows 0 and 20 are the first and last; one past either end has no ruler.
    const std::pair<int, int16_t> edges[] = {{-1, 0}, {0, 1}, {20, 21}, {21, 0}};
    for (auto [row, ruler] : edges) EXPECT_EQ(setup.rulerOfRow(row), ruler) << row;
}

TEST_F(ScenarioSetupTest, NewGameRefusesMastersAndNameListsItCannotWriteBack) {
    ASSERT_TRUE(setup.Form_Load().ok);
    tmp.writeIni("Gunbatu1.ini", faction(1, "董卓", 1) + faction(2, ".袁紹", 2));
    auto outcome = setup.startNewGame({0});
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message,
              "ファイル「ini/Gunbatu1.ini」の記録 .2 の名前「.袁紹」は「.」で始まるため、次の記録の見出しと読まれて"
              "しまいます。二重引用符で囲んでください（\".袁紹\"）。");
    EXPECT_EQ(rng.draws(), 0);
    EXPECT_EQ(g.slotFaction[0], 0);
    EXPECT_EQ(tmp.readIni("busv.ini"), kOfficers1);

    // Nor is a name list holding a quote used for the fictional officers.
    tmp.writeIni("Gunbatu1.ini", faction(1, "董卓", 1) + faction(2, "袁紹", 2));
    tmp.writeIni("mei.ini", "名1\r\n名\"2\r\n");
    outcome = setup.startNewGame({0});
    EXPECT_EQ(outcome.message,
              "ファイル「ini/mei.ini」の名前「名\"2」には二重引用符（\"）が入っています。架空の武将の名前は姓と名を"
              "つないで作るので、二重引用符のある名前は使えません。");
    EXPECT_EQ(rng.draws(), 0);
    EXPECT_EQ(tmp.readIni("busv.ini"), kOfficers1);
}

// The reset is one step: a backup that is missing, or a working file that cannot be rebuilt, leaves the
// master as it was, and the message says nothing was reset before naming the file. The question names
// both scenarios sharing the master.
TEST_F(ScenarioSetupTest, AResetThatCannotBeCompletedChangesNothingAndSaysSo) {
    ASSERT_TRUE(setup.Form_Load().ok);
    ASSERT_TRUE(setup.chooseScenario(1).ok);
    auto outcome = setup.resetOfficers();  // BUSHOU2_BK.ini is missing
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message,
              "武将データは初期化されていません。\r\nファイル「ini/BUSHOU2_BK.ini」が見つかりません。");
    EXPECT_EQ(tmp.readIni("bushou2.ini"), officer(1, "曹操", 1, 5));

    ASSERT_TRUE(setup.chooseScenario(3).ok);  // scenario 4 uses bushou1.ini
    EXPECT_EQ(setup.resetQuestion(),
              "シナリオ 4においてエディットした武将データを全て初期化しますか？\r\n"
              "（シナリオ 1とシナリオ 4は同じ武将データを使うため、どちらのシナリオの武将も初期化されます）");
    std::filesystem::remove(tmp.root() / "ini" / "busv.ini");
    std::filesystem::create_directory(tmp.root() / "ini" / "busv.ini");  // no file can be put there
    outcome = setup.resetOfficers();
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "武将データは初期化されていません。\r\nファイル「ini/busv.ini」に書き込めません。");
    EXPECT_EQ(tmp.readIni("bushou1.ini"), kOfficers1);
}

TEST_F(ScenarioSetupTest, NewGameNeedsASelectedRowAndFillsTheSlotsAtTheRowsPositions) {
    tmp.writeIni("Gunbatu1.ini", faction(1, "董卓", 1) + faction(2, "袁紹", 2) + faction(3, "曹操", 1));
    ASSERT_TRUE(setup.Form_Load().ok);
    EXPECT_TRUE(setup.askNewGame({7, -1}).refused);  // no such rows
    EXPECT_FALSE(setup.startNewGame({}).ok);
    EXPECT_EQ(rng.draws(), 0);

    // The new game fills the slots at the selected rows' positions.
    g.gameMode = GameMode::Continue;
    g.slotFaction[1] = 9;
    g.slotRuler[1] = 9;
    g.slotName[1] = "前の";
    g.slotRuler[0] = 5;  // a selected row's ruler is completed later by the main screen
    scriptPlainNewGame();
    ASSERT_TRUE(setup.startNewGame({0, 2}).ok);
    EXPECT_EQ(rng.left(), 0u);
    EXPECT_EQ(rng.reseeds(), 2);  // names, abilities; scenario 1 deals nothing
    EXPECT_EQ(g.gameMode, GameMode::New);
    EXPECT_EQ(g.officerCount, 170);
    EXPECT_EQ(g.slotFaction[0], 1);
    EXPECT_EQ(g.slotName[0], "董卓");
    EXPECT_EQ(g.slotRuler[0], 5);
    EXPECT_EQ(g.slotFaction[1], 0);
    EXPECT_EQ(g.slotRuler[1], 0);
    EXPECT_EQ(g.slotName[1], "前の");
    EXPECT_EQ(g.slotFaction[2], 3);
    EXPECT_EQ(g.slotName[2], "曹操");
}

TEST_F(ScenarioSetupTest, FictionalAbilitiesOfEachJobFollowTheDrawOrder) {
    // Officers 1..6 get t = 2, 3, 4, 7, 9, 10; each pattern's draws are listed column by column, then
    // Restraint's three. Officers 7..170 draw only zeros.
    faces("1/10 1/2 3/4 4/5 4/5 0/5 2/5 1/5 0/5 3/5 1/5 0/4 1/4 2/4");
    faces("2/10 2/5 2/5 0/2 0/4 4/5 3/5 0/5 0/5 1/5 1/5 3/4 3/4 3/4");
    faces("3/10 2/4 3/4 4/5 0/5 0/4 0/4 1/5 1/5 2/5 3/5 0/4 0/4 0/4");
    faces("6/10 1/4 2/4 3/4 0/4 0/4 0/4 3/4 3/4 3/4 1/2 2/4 4/5 5/6 1/4 1/4 1/4");
    faces("8/10 0/4 1/4 2/4 3/4 0/4 1/4 2/4 2/4 2/4 1/4 0/4 0/4 3/4 3/4 2/4 2/4 1/4 0/4");
    faces("9/10 2/3 3/4 1/4 2/4 0/3 0/4 1/3 1/4 0/5 0/6 3/4 2/4 1/4");
    for (int i = 0; i < 164 * 14; ++i) rng.then(0);
    setup.mk_Abl_rtn();
    EXPECT_EQ(rng.left(), 0u);
    EXPECT_EQ(rng.reseeds(), 1);

    // Job, policy, fight, wisdom, tactics, charm, Setu.
    const std::array<int, 7> expected[] = {
        {1, 10, 9, 3, 2, 5, 4},   // civil official
        {2, 5, 6, 8, 1, 3, 10},   // military officer
        {3, 9, 5, 4, 3, 6, 1},    // staff officer
        {4, 7, 1, 10, 9, 10, 4},  // general
        {5, 4, 5, 7, 2, 9, 4},    // ruler
        {6, 10, 4, 5, 7, 1, 7},   // chief strategist
        {1, 6, 1, 1, 1, 1, 1},    // every draw 0
    };
    for (int i = 1; i <= 7; ++i) {
        SCOPED_TRACE(i);
        const Bushou& b = setup.officers()[i];
        EXPECT_EQ((std::array<int, 7>{b.Job, b.policy, b.fight, b.wisdom, b.tactics, b.charm, b.Setu}),
                  expected[i - 1]);
        EXPECT_EQ(b.kunID, 0);
        EXPECT_EQ(b.commentID, 200);
        EXPECT_EQ(b.jpg, "");
    }
}

// A fictional officer's name is family name Int(Rnd * 166) + 1 and given name Int(Rnd * 150) + 1 of the
// lists, taken round again when a list is shorter. Names are items: an empty item ("甲,,丙", or a blank
// line) is an empty name that keeps its number; an officer whose two names are both empty is "何某".
TEST_F(ScenarioSetupTest, NamesAreDrawnFromTheListsByNumber) {
    struct Row {
        const char* name;
        const char* sei;  // null: the 170 names of the fixture
        const char* mei;
        const char* draws;  // then every draw 'rest'
        float rest;
        std::vector<std::string> names;
    };
    const Row rows[] = {
        // The highest draw still stops at family name 166.
        {"the first 166",
         nullptr,
         nullptr,
         "165/166 149/150 0/166 1/150",
         0.9999f,
         {"姓166名150", "姓1名2", "姓166名150"}},
        {"empty items",
         "甲,,丙\r\n",
         "一\r\n\r\n二\r\n",
         "0/166 0/150 1/166 1/150 2/166 2/150 1/166 2/150",
         0,
         {"甲一", "何某", "丙二", "二"}},
        // Family name 166 of 4 is the second again, 5 the first; the blank line is name 3.
        {"short lists", "甲,\"乙\"\r\n\r\n丙\r\n", "", "165/166 0/150 4/166 0/150", 0, {"乙", "甲"}},
        {"empty lists", "\r\n", "", "", 0, {"何某"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.sei) tmp.writeIni("sei.ini", row.sei);
        if (row.mei) tmp.writeIni("mei.ini", row.mei);
        faces(row.draws);
        while (rng.left() < 170 * 2) rng.then(row.rest);
        setup.mk_Name_rtn();
        EXPECT_EQ(rng.left(), 0u);
        for (size_t i = 0; i < row.names.size(); ++i) EXPECT_EQ(setup.officers()[i + 1].name, row.names[i]) << i + 1;
    }
    std::filesystem::remove(tmp.root() / "ini" / "mei.ini");
    EXPECT_THROW(setup.mk_Name_rtn(), FileError);
}

TEST_F(ScenarioSetupTest, WhatIfDealKeepsRulersAndDealsOnlyToListedRulers) {
    ASSERT_TRUE(setup.Form_Load().ok);
    ASSERT_TRUE(setup.chooseScenario(3).ok);  // scenario 4: the masters of scenario 1, two rows
    ASSERT_EQ(setup.rows().size(), 2u);
    // Officers 1 and 2 rule and draw nothing; 3..6 draw r = 2 (the last row), 1, 3 (one past the
    // rows) and 40; every later officer draws r = 1.
    rng.face(1, 40).face(0, 40).face(2, 40).face(39, 40);
    for (int i = 7; i <= 170; ++i) rng.face(0, 40);
    setup.mk_Busv_rtn();
    EXPECT_EQ(rng.left(), 0u);
    EXPECT_EQ(rng.reseeds(), 1);
    OfficerTable t = readWorkingOfficers();
    std::vector<int> kunIDs;
    for (int i : {1, 2, 3, 4, 5, 6, 7, 170}) kunIDs.push_back(t[i].kunID);
    EXPECT_EQ(kunIDs, (std::vector<int>{1, 2, 2, 1, 0, 0, 1, 1}));
}

}  // namespace
}  // namespace tei
