#include "game/Autoplay.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/OfficerRecordFile.h"
#include "screens/OfficerEditing.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::TempGameFolder;

std::optional<AutoplayOptions> parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string e;
    auto o = parseAutoplayOptions(args, e);
    if (error) *error = e;
    return o;
}

TEST(parseAutoplayOptions, ReadsEveryOptionAndRefusesBadOnes) {
    auto o = parse({"--scenario", "5", "--players", "1,3", "--years", "4", "--seed", "99", "--quiet"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->scenario, 5);
    EXPECT_EQ(o->players, (std::vector<int>{1, 3}));
    EXPECT_EQ(o->years, 4);
    EXPECT_EQ(o->seed, 99u);
    EXPECT_TRUE(o->quiet);
    std::string error;
    EXPECT_FALSE(parse({"--scenario", "7"}, &error));
    EXPECT_EQ(error, "シナリオ番号は 1 から 6 です: 7 / the scenario is 1 to 6: 7");
    EXPECT_FALSE(parse({"--players", "1,x"}, &error));
    EXPECT_FALSE(parse({"--years", "0"}));
    EXPECT_FALSE(parse({"--seed"}));
    EXPECT_FALSE(parse({"--fast"}, &error));
    EXPECT_EQ(error, "不明なオプションです: --fast / unknown option: --fast");
    // A saved game to start from: its scenario is the save's, every faction the computer's.
    auto from = parse({"--from", "07", "--years", "2"});
    ASSERT_TRUE(from);
    EXPECT_EQ(from->from, "07");
    EXPECT_FALSE(parse({"--from", "07", "--scenario", "2"}));
    EXPECT_FALSE(parse({"--from", "save/07"}));
}

// A data file the year needs and cannot find stops the game with status 2 and a message naming it.
TEST(runAutoplay, AFileTheYearCannotFindStopsTheGameWithStatus2) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    std::filesystem::remove(tmp.root() / "ini" / "Text.ini");
    AutoplayOptions o;
    o.seed = 3;
    std::ostringstream out, err;
    EXPECT_EQ(runAutoplay(o, tmp.folder(), out, err), 2);
    EXPECT_EQ(err.str(), "エラー: ファイル「ini/Text.ini」が見つかりません。\nerror: cannot use ini/Text.ini\n");
}

TEST(runCheck, ShippedDataPassesEditedOrNotAndABrokenCopyDoesNot) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    std::ostringstream out;
    EXPECT_EQ(runCheck(tmp.root() / "ini", out), 0) << out.str();
    EXPECT_EQ(out.str(), "");

    // The officer editor changes an ability in scenario 1's master: a note, and still sound.
    tmp.writeIni("busv.ini", tmp.readIni("bushou1.ini"));
    Bushou dong = *parseOfficerRecord(tmp.readIni("busv.ini"), 1);
    ASSERT_TRUE(registerOfficerEdits(tmp.folder(), 1, dong, Job::Ruler, {"1", "2", "3", "4", "5", "6"}).ok);
    std::ostringstream edited;
    EXPECT_EQ(runCheck(tmp.root() / "ini", edited), 0) << edited.str();
    EXPECT_EQ(edited.str(),
              "注意: ini/bushou1.ini: 1 人の武将が ini/BUSHOU1_BK.ini から変わっています（武将エディタでの変更です。"
              "タイトル画面の「武将初期化」で元に戻せます）。\n");

    tmp.writeIni("Gunbatu.ini", "");
    std::ostringstream broken;
    EXPECT_EQ(runCheck(tmp.root() / "ini", broken), 1);
    EXPECT_NE(broken.str().find("Gunbatu.ini"), std::string::npos);
}

}  // namespace
}  // namespace tei
