#include "screens/SaveSlots.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "core/HistoryFile.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::TempGameFolder;

class SaveSlotsTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeWorking("A");
        g.saveHeader = {195, 80, -3, 55, 2, 9, 0, 0};
        for (int t = 0; t < kSlotCount; ++t) {
            g.slotName[t] = "名" + std::to_string(t);
            g.slotRuler[t] = static_cast<int16_t>(100 + t);
            g.slotFaction[t] = static_cast<int16_t>(t % 13);
            g.slotLeader[t] = static_cast<int16_t>(t % 3);
        }
    }

    void writeWorking(const std::string& tag) {
        tmp.writeIni("busv.ini", "officers " + tag + "\r\n");
        tmp.writeIni("gunsv.ini", "factions " + tag + "\r\n");
        tmp.writeIni("Cmtsv.ini", "comments " + tag + "\r\n");
        tmp.writeIni("teiji.log", "鼎峙録の記録\r\n" + tag + "\r\nEOT=======\r\n");
    }

    std::string working() {
        return tmp.readIni("busv.ini") + tmp.readIni("gunsv.ini") + tmp.readIni("Cmtsv.ini") + tmp.readIni("teiji.log");
    }

    TempGameFolder tmp;
    GameGlobals g;
    SaveSlots slots{tmp.folder(), g};
};

TEST_F(SaveSlotsTest, LoadRestoresHeaderAndSlotsZeroToFifteen) {
    ASSERT_TRUE(slots.save_rtn("3").ok);
    std::string saved = working();

    writeWorking("B");
    g.dialogResult = 0;
    g.saveHeader = {1, 2, 3, 4, 5, 6, 7, 8};
    g.slotName.fill("後");
    g.slotRuler.fill(0);
    g.slotFaction.fill(0);
    g.slotLeader.fill(0);
    ASSERT_TRUE(slots.load_rtn("3").ok);
    EXPECT_EQ(working(), saved);
    EXPECT_EQ(g.dialogResult, 1);
    EXPECT_EQ(g.saveHeader, (std::array<int16_t, 8>{195, 80, -3, 55, 2, 6, 7, 8}));  // the reserved ones are not read
    EXPECT_EQ(std::make_tuple(g.slotName[15], g.slotRuler[15], g.slotFaction[15], g.slotLeader[15]),
              std::make_tuple("名15", 115, 2, 0));
    EXPECT_EQ(std::make_tuple(g.slotName[16], g.slotRuler[16]), std::make_tuple("後", 0));  // not in a save
}

TEST_F(SaveSlotsTest, SevenAndZeroSevenAreDifferentSlots) {
    g.saveHeader[0] = 190;
    ASSERT_TRUE(slots.save_rtn("7").ok);
    g.saveHeader[0] = 200;
    ASSERT_TRUE(slots.save_rtn("07").ok);
    EXPECT_EQ(slots.Rinload_rtn("7").text, "シナリオ 2名0 190年");
    EXPECT_EQ(slots.Rinload_rtn("07").text, "シナリオ 2名0 200年");
    EXPECT_TRUE(std::filesystem::exists(tmp.root() / "save" / "busv07.ini"));
    ASSERT_TRUE(slots.save_rtn("").ok);  // an empty number is a slot of its own
    EXPECT_TRUE(std::filesystem::exists(tmp.root() / "save" / "save.ini"));
    EXPECT_TRUE(std::filesystem::exists(tmp.root() / "save" / "teilog.log"));
}

TEST_F(SaveSlotsTest, SummaryTakesTheFirstNamedSlotUpToFourteen) {
    g.slotName.fill("");
    g.slotName[1] = "0";
    g.slotName[2] = "劉備";
    ASSERT_TRUE(slots.save_rtn("1").ok);
    auto summary = slots.Rinload_rtn("1");
    EXPECT_TRUE(summary.ok);
    EXPECT_EQ(summary.text, "シナリオ 2劉備 195年");

    g.slotName.fill("");
    g.slotName[15] = "十五";
    ASSERT_TRUE(slots.save_rtn("2").ok);
    EXPECT_EQ(slots.Rinload_rtn("2").text, "シナリオ 2 195年");

    auto missing = slots.Rinload_rtn("9");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.text, "ファイルが見つかりません");
}

TEST_F(SaveSlotsTest, TheHistoryTravelsWithTheSlotAndAnOlderSlotLoadsWithAnEmptyOne) {
    const std::string history = emptyHistory() + "195,1,甲,1,50,0,50,0,50,0,2,0,150\r\n";
    tmp.writeIni("history.csv", history);
    ASSERT_TRUE(slots.save_rtn("8").ok);
    EXPECT_EQ(tmp.readSave("hist8.csv"), history);
    const std::string saved = working();

    writeWorking("B");
    tmp.writeIni("history.csv", "later\r\n");
    ASSERT_TRUE(slots.load_rtn("8").ok);
    EXPECT_EQ(tmp.readIni("history.csv"), history);

    // A slot saved before the game kept a history: the game loads, with a history of no rows.
    std::filesystem::remove(tmp.root() / "save" / "hist8.csv");
    writeWorking("B");
    ASSERT_TRUE(slots.load_rtn("8").ok);
    EXPECT_EQ(working(), saved);
    EXPECT_EQ(tmp.readIni("history.csv"), emptyHistory());

    // A game begun before it saves an empty one.
    std::filesystem::remove(tmp.root() / "ini" / "history.csv");
    ASSERT_TRUE(slots.save_rtn("9").ok);
    EXPECT_EQ(tmp.readSave("hist9.csv"), emptyHistory());

    // A history copy that is no text is refused as any other copy is.
    tmp.writeSave("hist9.csv", std::string("\0", 1));
    writeWorking("C");
    auto result = slots.load_rtn("9");
    EXPECT_EQ(result.text, "ファイルが見つかりません\r\nファイル「save/hist9.csv」は UTF-8 のテキストではありません。");
    EXPECT_FALSE(tmp.hasIni("history.csv"));
    EXPECT_EQ(tmp.readIni("busv.ini"), "officers C\r\n");
}

// A slot number may be as long as the file system lets its files be named: the longest such number
// saves and loads back (its files and their temporaries fit), one digit more is refused by name.
TEST_F(SaveSlotsTest, SlotNumbersOfAnyLengthTheFileSystemCanName) {
    const size_t longest = slots.longestSlotNumber();
    ASSERT_GT(longest, 100u);  // 255 bytes a name on the usual disks, less the longest file's frame
    for (const std::string& slot : {std::string("123456789012"), std::string(longest, '7')}) {
        SCOPED_TRACE(slot.size());
        EXPECT_FALSE(slots.slotProblem(slot));
        ASSERT_TRUE(slots.save_rtn(slot).ok);
        EXPECT_EQ(tmp.readSave("teilog" + slot + ".log"), tmp.readIni("teiji.log"));
        writeWorking("B");
        ASSERT_TRUE(slots.load_rtn(slot).ok);
        EXPECT_EQ(tmp.readIni("busv.ini"), "officers A\r\n");
        writeWorking("A");
    }
    const std::string tooLong(longest + 1, '7');
    EXPECT_EQ(slots.slotProblem(tooLong),
              "セーブ番号「" + tooLong + "」は長すぎます（" + std::to_string(longest) + "桁まで）。");
    EXPECT_EQ(slots.save_rtn(tooLong).text, *slots.slotProblem(tooLong));
    EXPECT_FALSE(slots.load_rtn(tooLong).ok);
    EXPECT_EQ(slots.save_rtn("../7").text, "セーブ番号「../7」には数字だけを使ってください。");

    SlotNumber typed;
    EXPECT_EQ(typed.label(), "save");
    for (int d : {0, 7, 1}) EXPECT_FALSE(typed.type(d, 3));
    EXPECT_EQ(typed.label(), "save071");
    EXPECT_EQ(typed.type(9, 3), "セーブ番号は3桁までです。");
    EXPECT_EQ(typed.digits(), "071");
}

// The local time of a file's last change, set exactly.
void touch(const std::filesystem::path& p, int year, int month, int day, int hour, int minute) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = 59;  // the minute's last second: a second too many shows the next minute
    local.tm_isdst = -1;
    const timespec when[2] = {{std::mktime(&local), 0}, {std::mktime(&local), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), when, 0), 0) << p;
}

TEST_F(SaveSlotsTest, TheListHoldsEverySlotThatCanBeTypedInNumberOrder) {
    for (const char* slot : {"10", "07", "", "7", "2"}) {
        g.saveHeader[0] = static_cast<int16_t>(190 + std::string(slot).size());
        ASSERT_TRUE(slots.save_rtn(slot).ok) << slot;
    }
    // Not slots the pad can name, or no information file: not listed. A long number is a slot.
    tmp.writeSave("saveauto.ini", tmp.readSave("save7.ini"));
    tmp.writeSave("save12x.ini", tmp.readSave("save7.ini"));
    tmp.writeSave("save0123456789012345678.ini", tmp.readSave("save7.ini"));
    tmp.writeSave("busv3.ini", "officers");
    tmp.writeSave("save.ini.bak", "old");
    // An information file cut short is listed, unreadable; one named in capitals is found.
    tmp.writeSave("save4.ini", "同盟結束力\r\n");
    std::filesystem::rename(tmp.root() / "save" / "save2.ini", tmp.root() / "save" / "SAVE2.INI");
    touch(tmp.root() / "save" / "save07.ini", 2024, 6, 1, 9, 5);

    std::vector<SlotEntry> list = slots.list();
    std::vector<std::string> labels;
    for (const auto& e : list) labels.push_back(e.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"save", "save2", "save4", "save7", "save07", "save10",
                                                "save0123456789012345678"}));
    ASSERT_EQ(list.size(), 7u);
    EXPECT_EQ(list[1].slot, "2");
    EXPECT_EQ(list[1].summary, "シナリオ 2名0 191年");
    EXPECT_TRUE(list[1].readable);
    EXPECT_EQ(list[2].summary, "（読み込めません）");
    EXPECT_FALSE(list[2].readable);
    EXPECT_EQ(list[4].summary, "シナリオ 2名0 192年");
    EXPECT_EQ(list[4].when, "2024/06/01 09:05");
    EXPECT_EQ(list[0].when.size(), 16u);  // written just now, to the minute
}

TEST_F(SaveSlotsTest, OverwritingASlotThatHoldsAGameNamesWhatIsThere) {
    EXPECT_FALSE(slots.overwriteQuestion("5"));
    ASSERT_TRUE(slots.save_rtn("5").ok);
    EXPECT_EQ(slots.overwriteQuestion("5"), "save5 には シナリオ 2名0 195年 のデータがあります。上書きしますか？");
    EXPECT_FALSE(slots.overwriteQuestion("05"));
    // Any one of a slot's files is a game that a save would replace.
    tmp.writeSave("teilog8.log", "log");
    EXPECT_EQ(slots.overwriteQuestion("8"), "save8 には既にデータがあります。上書きしますか？");
}

TEST(SaveInfo, ReadsLfLinesAndKeepsCommasInNames) {
    std::string slots = "甲,乙\n5\n6,7\n";
    for (int t = 1; t < 16; ++t) slots += "\n0\n0,0\n";
    auto info = parseSaveInfo("同盟結束力\n190,1,2,3,4,0\n" + slots);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->players[0].name, "甲,乙");
    EXPECT_EQ(info->players[0].leader, 7);
    EXPECT_FALSE(parseSaveInfo("同盟結束力\n190,,2,3,4,0\n" + slots));  // a blank field
}

}  // namespace
}  // namespace tei
