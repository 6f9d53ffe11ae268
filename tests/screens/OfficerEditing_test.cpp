#include "screens/OfficerEditing.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <map>

#include "core/OfficerRecordFile.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::crlf;
using test::TempGameFolder;

// The running game: 王允 has gone over to 曹操 (officer 6) and has a comment of his own (7);
// officer 4 is a fictional officer, who has no record in the masters.
const std::string kGame = crlf({".1", "\"董卓\"", "3,8,6,7", "4,2", "1,5", "\"toutaku\"",  "1",  //
                                ".2", "\"王允\"", "8,2,7,3", "6,8", "6,1", "\"ouin\"",     "7",  //
                                ".3", "\"華雄\"", "2,9,2,6", "4,6", "1,2", "\"kayuu\"",    "0",  //
                                ".4", "\"甲某\"", "3,3,3,3", "3,3", "1,2", "\"zouhyou1\"", "200"});
const std::string kMaster = crlf({".1", "\"董卓\"", "3,8,6,7", "4,2", "1,5", "\"toutaku\"", "1",  //
                                  ".2", "\"王允\"", "8,2,7,3", "6,8", "1,1", "\"ouin\"",    "0",  //
                                  ".3", "\"華雄\"", "2,9,2,6", "4,6", "1,2", "\"kayuu\"",   "0"});
const std::string kBackup = crlf({".1", "\"董卓\"", "4,9,7,8", "5,3", "1,4", "\"toutaku\"", "1",  //
                                  ".2", "\"王允\"", "9,1,6,2", "7,9", "1,4", "\"ouin\"",    "0",  //
                                  ".3", "\"華雄\"", "1,8,1,5", "3,5", "3,5", "\"kayuu\"",   "0"});

// 董卓 rules the one faction.
const std::string kFactions = crlf({".1", "董卓", "0,1,180,30,60,50,70,75", "\"FALSE\""});

struct EditorFiles {
    TempGameFolder tmp;
    EditorFiles() {
        tmp.writeIni("busv.ini", kGame);
        tmp.writeIni("gunsv.ini", kFactions);
        tmp.writeIni("bushou1.ini", kMaster);
        tmp.writeIni("BUSHOU1_BK.ini", kBackup);
    }
    Bushou officer(int n) const { return *parseOfficerRecord(kGame, n); }
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> all;
        for (const auto& e : std::filesystem::directory_iterator(tmp.root() / "ini"))
            all[e.path().filename().string()] = tmp.readIni(e.path().filename().string());
        return all;
    }
};

// A box holds a number or is refused: a typo is never read as its leading digits or as 0. Full-width
// digits and signs, as a Japanese input method types them, are digits and signs.
TEST(abilityFromText, ReadsAWholeNumberRoundedHalfToEvenWithin16Bits) {
    struct Row {
        const char* typed;
        int16_t value;
    } rows[] = {
        {"  7 ", 7},      {"2.5", 2},         {"3.5", 4},           {"-3", -3},    {"+3", 3},
        {"32767", 32767}, {"-32768", -32768}, {"-32768.5", -32768},  // the half goes to the even -32768
        {"１０", 10},     {"－１２", -12},    {"　８　", 8},        {"７．５", 8}, {"−4", -4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(abilityFromText(row.typed), row.value);
    }
    for (const char* typed : {"12abc", "abc", "", " ", "-", ".", "1 2", "1e3", "十", "32767.5", "32768", "-32769",
                              "40000", "１００００００"})
        EXPECT_EQ(abilityFromText(typed), std::nullopt) << typed;
}

TEST(registerOfficerEdits, CivilOfficialMadeGeneralTakesTheThreeBoxesAndKeepsPolitics) {
    EditorFiles f;
    Bushou b = f.officer(2);
    auto out = registerOfficerEdits(f.tmp.folder(), 1, b, Job::General, {"９", " 8", "7.5", "99", "6.5", "8"});
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.message, "登録しました。");
    EXPECT_EQ(std::make_tuple(Job(b.Job), b.policy, b.fight, b.wisdom, b.tactics, b.charm, b.Setu),
              std::make_tuple(Job::General, 8, 9, 8, 8, 6, 8));
    // The game's file takes the whole record, lord and comment included.
    EXPECT_NE(f.tmp.readIni("busv.ini").find(crlf({"8,9,8,8", "6,8", "6,4", "ouin", "7"})), std::string::npos);
    // The master takes the job and the abilities and keeps the scenario's lord and comment.
    EXPECT_EQ(f.tmp.readIni("bushou1.ini"), crlf({".1", "\"董卓\"", "3,8,6,7", "4,2", "1,5", "\"toutaku\"", "1",  //
                                                  ".2", "王允",     "8,9,8,8", "6,8", "1,4", "ouin",        "0",  //
                                                  ".3", "\"華雄\"", "2,9,2,6", "4,6", "1,2", "\"kayuu\"",   "0"}));
    EXPECT_EQ(f.tmp.readIni("BUSHOU1_BK.ini"), kBackup);
}

TEST(registerOfficerEdits, RulerEditsAllFourRowsAndFictionalOfficerOnlyTheGame) {
    EditorFiles f;
    Bushou ruler = f.officer(1);
    ASSERT_TRUE(registerOfficerEdits(f.tmp.folder(), 4, ruler, Job::Ruler, {"1", "2", "3", "4", "5", "6"}).ok);
    auto stored = *parseOfficerRecord(f.tmp.readIni("bushou1.ini"), 1);  // scenario 4 uses bushou1.ini
    EXPECT_EQ(std::make_tuple(stored.policy, stored.fight, stored.wisdom, stored.tactics, stored.charm, stored.Setu),
              std::make_tuple(1, 2, 3, 4, 5, 6));

    auto masterBefore = f.tmp.readIni("bushou1.ini");
    Bushou fictional = f.officer(4);
    ASSERT_TRUE(registerOfficerEdits(f.tmp.folder(), 1, fictional, Job::Military, {"7", "", "", "", "3", "3"}).ok);
    EXPECT_EQ(parseOfficerRecord(f.tmp.readIni("busv.ini"), 4)->fight, 7);
    EXPECT_EQ(f.tmp.readIni("bushou1.ini"), masterBefore);
}

TEST(registerOfficerEdits, ValueOutOfRangeIsRefusedAndNothingIsWritten) {
    EditorFiles f;
    auto before = f.files();
    Bushou b = f.officer(2);
    // The row the job does not show is not read, so its 99999 does no harm; the Valor box does.
    auto out = registerOfficerEdits(f.tmp.folder(), 1, b, Job::General, {"40000", "5", "5", "99999", "5", "5"});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "「武勇」の値「40000」は登録できません。-32768 から 32767 までの数を入力してください。");
    EXPECT_EQ(f.files(), before);
    EXPECT_EQ(Job(b.Job), Job::Civil);
    EXPECT_EQ(b.fight, 2);

    EXPECT_TRUE(registerOfficerEdits(f.tmp.folder(), 1, b, Job::Civil, {"5", "99999", "", "", "5", "5"}).ok);
}

TEST(registerOfficerEdits, MissingMasterIsNamedAndNothingIsWritten) {
    EditorFiles f;
    std::filesystem::remove(f.tmp.root() / "ini" / "bushou1.ini");
    auto before = f.files();
    Bushou b = f.officer(2);
    auto out = registerOfficerEdits(f.tmp.folder(), 1, b, Job::Civil, {"1", "", "", "", "1", "1"});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "ファイル「ini/bushou1.ini」が見つかりません。");
    EXPECT_EQ(f.files(), before);

    std::filesystem::remove(f.tmp.root() / "ini" / "busv.ini");
    out = registerOfficerEdits(f.tmp.folder(), 1, b, Job::Civil, {"1", "", "", "", "1", "1"});
    EXPECT_EQ(out.message, "ファイル「ini/busv.ini」が見つかりません。");
}

// Lets the test's own process write no file larger than 'bytes' while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int);
};

TEST(registerOfficerEdits, MasterThatCannotBeWrittenLeavesTheGameFileAsItWas) {
    EditorFiles f;
    // A master far larger than the game's file: the limit lets the game's file be written and
    // stops the master.
    std::string bigMaster = kMaster;
    for (int n = 4; n <= 120; ++n)
        bigMaster += crlf({"." + std::to_string(n), "\"某\"", "1,1,1,1", "1,1", "0,0", "\"x\"", "0"});
    f.tmp.writeIni("bushou1.ini", bigMaster);
    auto before = f.files();
    Bushou b = f.officer(2);
    EditOutcome out;
    {
        FileSizeLimit limit(kGame.size() + 64);
        out = registerOfficerEdits(f.tmp.folder(), 1, b, Job::Civil, {"1", "", "", "", "1", "1"});
    }
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "ファイル「ini/bushou1.ini」に書き込めません。");
    auto after = f.files();
    after.erase("buimg.ini");  // the snapshot is scratch
    before.erase("buimg.ini");
    EXPECT_EQ(after, before);
    EXPECT_EQ(b.policy, 8);
}

TEST(restoreOfficerFromBackup, TakesJobAndAbilitiesKeepsRulersAndCloseLeavesEveryFileAsItWas) {
    EditorFiles f;
    auto before = f.files();
    Bushou b = f.officer(2);
    auto out = restoreOfficerFromBackup(f.tmp.folder(), 1, b);
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(std::make_tuple(b.policy, b.fight, b.wisdom, b.tactics, b.charm, b.Setu, Job(b.Job)),
              std::make_tuple(9, 1, 6, 2, 7, 9, Job::General));
    EXPECT_EQ(b.kunID, 6);  // still 曹操's
    EXPECT_EQ(b.commentID, 7);
    EXPECT_EQ(f.files(), before);  // closing without registering writes nothing

    // A ruler keeps his job; anyone else takes the backup's, 君主 included.
    Bushou ruler = f.officer(1);
    ASSERT_TRUE(restoreOfficerFromBackup(f.tmp.folder(), 1, ruler).ok);
    EXPECT_EQ(std::make_tuple(Job(ruler.Job), ruler.fight), std::make_tuple(Job::Ruler, 9));
    Bushou officer = f.officer(3);
    ASSERT_TRUE(restoreOfficerFromBackup(f.tmp.folder(), 1, officer).ok);
    EXPECT_EQ(std::make_tuple(Job(officer.Job), officer.fight), std::make_tuple(Job::Ruler, 8));
}

// Being a ruler is ruling a faction, not holding job 5: 王允, made 君主 by mistake, gets his job back
// from the backup; nobody else can be made 君主, and a ruler's job cannot be changed.
TEST(restoreOfficerFromBackup, OfficerMadeRulerByMistakeGetsTheBackupsJobBack) {
    EditorFiles f;
    Bushou wang = f.officer(2);
    wang.Job = numberOf(Job::Ruler);
    ASSERT_TRUE(restoreOfficerFromBackup(f.tmp.folder(), 1, wang).ok);
    EXPECT_EQ(Job(wang.Job), Job::General);

    auto before = f.files();
    Bushou civil = f.officer(2);
    auto out = registerOfficerEdits(f.tmp.folder(), 1, civil, Job::Ruler, {"1", "2", "3", "4", "5", "6"});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "君主にできるのは軍閥の君主だけです。");
    Bushou dong = f.officer(1);
    out = registerOfficerEdits(f.tmp.folder(), 1, dong, Job::Civil, {"1", "", "", "", "5", "6"});
    EXPECT_EQ(out.message, "軍閥の君主の職業は変えられません。");
    EXPECT_EQ(f.files(), before);
    EXPECT_EQ(Job(civil.Job), Job::Civil);
    // A faction record after the one numbered as the count is read neither by the game nor here.
    f.tmp.writeIni("gunsv.ini", kFactions + crlf({".13", "某", "0,9,1,1,1,1,1,1", "\"FALSE\"",  //
                                                  ".2", "王允", "0,2,1,1,1,1,1,1", "\"FALSE\""}));
    out = registerOfficerEdits(f.tmp.folder(), 1, civil, Job::Ruler, {"1", "2", "3", "4", "5", "6"});
    EXPECT_EQ(out.message, "君主にできるのは軍閥の君主だけです。");

    // One who holds job 5 without ruling (a fictional officer drawn so) may keep it or leave it.
    Bushou fictional = f.officer(4);
    fictional.Job = numberOf(Job::Ruler);
    EXPECT_TRUE(registerOfficerEdits(f.tmp.folder(), 1, fictional, Job::Ruler, {"1", "2", "3", "4", "5", "6"}).ok);
    EXPECT_TRUE(registerOfficerEdits(f.tmp.folder(), 1, fictional, Job::Military, {"7", "", "", "", "5", "6"}).ok);
    EXPECT_EQ(Job(parseOfficerRecord(f.tmp.readIni("busv.ini"), 4)->Job), Job::Military);
}

TEST(restoreOfficerFromBackup, OfficerWithoutBackupRecordOrMissingBackupIsRefused) {
    EditorFiles f;
    Bushou fictional = f.officer(4);
    auto out = restoreOfficerFromBackup(f.tmp.folder(), 1, fictional);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "ファイル「ini/BUSHOU1_BK.ini」に武将 4 の記録がありません。");
    EXPECT_EQ(fictional.fight, 3);

    out = restoreOfficerFromBackup(f.tmp.folder(), 2, fictional);
    EXPECT_EQ(out.message, "ファイル「ini/BUSHOU2_BK.ini」が見つかりません。");
}

}  // namespace
}  // namespace tei
