#include "core/GameFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "core/Random.h"
#include "core/Scenarios.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::TempGameFolder;

TEST(GameFolder, FindsFilesWhateverTheirCaseAndNamesNewOnesAsAsked) {
    TempGameFolder tmp;
    tmp.writeIni("BUSHOU1.ini", "x");
    EXPECT_EQ(tmp.folder().ini("bushou1.ini").filename(), "BUSHOU1.ini");
    EXPECT_EQ(tmp.folder().ini("Bushou1.INI").filename(), "BUSHOU1.ini");
    EXPECT_EQ(tmp.folder().ini("gunsv.ini").filename(), "gunsv.ini");
    EXPECT_EQ(tmp.folder().display(tmp.folder().save("save7.ini")), "save/save7.ini");
}

TEST(GameFolder, ReadTextDropsTheByteOrderMarkAndRefusesBinary) {
    TempGameFolder tmp;
    tmp.writeIni("a.ini", "\xEF\xBB\xBF.1\r\n");
    EXPECT_EQ(tmp.folder().readText(tmp.folder().ini("a.ini")), ".1\r\n");
    tmp.writeIni("b.ini", std::string("ab\0c", 4));
    EXPECT_THROW(tmp.folder().readText(tmp.folder().ini("b.ini")), FileError);
    EXPECT_FALSE(isUtf8Text("\xE6\x9B"));  // cut in the middle of a character
    EXPECT_FALSE(isUtf8Text("\xC0\xAF"));  // overlong form
    EXPECT_TRUE(isUtf8Text("曹操,\"袁紹\"\r\n"));
}

TEST(GameFolder, WriteReplacesWholeAndLeavesNoTemporary) {
    TempGameFolder tmp;
    tmp.writeIni("busv.ini", "old");
    tmp.folder().writeText(tmp.folder().ini("busv.ini"), "new\r\n");
    EXPECT_EQ(tmp.readIni("busv.ini"), "new\r\n");
    tmp.folder().copyFile(tmp.folder().ini("busv.ini"), tmp.folder().save("busv7.ini"), true);
    EXPECT_EQ(tmp.readSave("busv7.ini"), "new\r\n");
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(tmp.root() / "ini")) ++files;
    EXPECT_EQ(files, 1);
}

TEST(GameFolder, AFailedWriteNamesTheFileAndKeepsTheOldOne) {
    TempGameFolder tmp;
    tmp.writeIni("gunsv.ini", "old");
    // A folder standing where the file should go cannot be replaced by a file.
    std::filesystem::create_directories(tmp.root() / "save" / "gunsv7.ini" / "x");
    try {
        tmp.folder().copyFile(tmp.folder().ini("gunsv.ini"), tmp.folder().save("gunsv7.ini"));
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.message(), "ファイル「save/gunsv7.ini」に書き込めません。");
    }
    EXPECT_TRUE(std::filesystem::is_directory(tmp.root() / "save" / "gunsv7.ini"));
    EXPECT_EQ(tmp.readIni("gunsv.ini"), "old");
}

TEST(GameFolder, WriteTogetherReplacesAllOrNothing) {
    TempGameFolder tmp;
    tmp.writeSave("a7.ini", "old a");
    tmp.writeSave("c7.ini", "old c");
    const GameFolder& f = tmp.folder();
    f.writeTogether({{f.save("a7.ini"), "new a"}, {f.save("b7.ini"), "new b"}}, true);
    EXPECT_EQ(tmp.readSave("a7.ini"), "new a");
    EXPECT_EQ(tmp.readSave("b7.ini"), "new b");

    // A folder standing where the second file goes: the first keeps its old bytes too.
    std::filesystem::create_directories(tmp.root() / "save" / "b8.ini");
    try {
        f.writeTogether({{f.save("c7.ini"), "new c"}, {f.save("b8.ini"), "new b"}});
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), "save/b8.ini");
    }
    EXPECT_EQ(tmp.readSave("c7.ini"), "old c");
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(tmp.root() / "save")) ++files;
    EXPECT_EQ(files, 4);  // a7, b7, c7 and the folder: no temporary left behind
}

TEST(GameFolder, FindFileLooksInAnyFolderWithoutRegardToCase) {
    TempGameFolder tmp;
    tmp.writeIni("Gunbatu1.ini", "x");
    EXPECT_EQ(findFile(tmp.root() / "ini", "GUNBATU1.INI").filename(), "Gunbatu1.ini");
    EXPECT_EQ(findFile(tmp.root() / "ini", "none.ini"), tmp.root() / "ini" / "none.ini");
}

TEST(Random, SeededSourceRepeatsAndIgnoresReseeding) {
    SeededRandom a(42), b(42);
    b.Randomize();
    for (int i = 0; i < 100; ++i) {
        float x = a.Rnd();
        EXPECT_EQ(x, b.Rnd());
        EXPECT_GE(x, 0.0f);
        EXPECT_LT(x, 1.0f);
    }
}

TEST(Random, IStaysInRangeAndTwoDiceIn2To12) {
    SeededRandom r(7);
    int seen[6] = {};
    for (int i = 0; i < 6000; ++i) {
        int v = r.I(6);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 6);
        ++seen[v];
        int d = r.twoDice();
        ASSERT_GE(d, 2);
        ASSERT_LE(d, 12);
    }
    for (int c : seen) EXPECT_GT(c, 800);  // every face comes up
    EXPECT_EQ(r.I(0), 0);
}

TEST(Scenarios, TableAndMasterNames) {
    EXPECT_EQ(scenarioInfo(2).factionCount, 12);
    EXPECT_EQ(scenarioInfo(6).historicalOfficers, 160);
    EXPECT_EQ(scenarioInfo(4).lastYear, 216);
    EXPECT_TRUE(scenarioInfo(5).whatIf);
    EXPECT_EQ(officerMasterName(4), "bushou1.ini");
    EXPECT_EQ(officerBackupName(3), "BUSHOU_BK.ini");
    EXPECT_EQ(factionMasterName(5), "Gunbatu2.ini");
    EXPECT_STREQ(scenarioInfo(99).title, "シナリオ１・暴君打倒");
}

}  // namespace
}  // namespace tei

namespace tei {
namespace {

TEST(GameFolder, HeldWritesAreReadBackAndReachTheDiskOnlyOnCommit) {
    test::TempGameFolder tmp;
    const GameFolder& f = tmp.folder();
    tmp.writeIni("gunsv.ini", "old");
    {
        GameFolder::DeferredWrites hold(f);
        f.writeText(f.ini("gunsv.ini"), "one");
        f.writeText(f.ini("gunsv.ini"), "two");
        f.copyFile(f.ini("gunsv.ini"), f.ini("gunimg.ini"));
        EXPECT_EQ(f.readText(f.ini("GUNIMG.ini")), "two");
        EXPECT_EQ(tmp.readIni("gunsv.ini"), "old");
        EXPECT_FALSE(tmp.hasIni("gunimg.ini"));
        hold.commit();
    }
    EXPECT_EQ(tmp.readIni("gunsv.ini"), "two");
    EXPECT_EQ(tmp.readIni("gunimg.ini"), "two");
}

TEST(GameFolder, HeldWritesOfAFailedStepAreDropped) {
    test::TempGameFolder tmp;
    const GameFolder& f = tmp.folder();
    tmp.writeIni("gunsv.ini", "old");
    try {
        GameFolder::DeferredWrites hold(f);
        f.writeText(f.ini("gunsv.ini"), "half");
        f.writeText(f.save("save1.ini"), "slot", true);  // durable writes go through at once
        throw FileError(FileError::Kind::Missing, "ini/busv.ini");
    } catch (const FileError&) {
    }
    EXPECT_EQ(f.readText(f.ini("gunsv.ini")), "old");
    EXPECT_EQ(tmp.readSave("save1.ini"), "slot");
}

TEST(GameFolder, AReadSeesAFileChangedBehindItsBack) {
    test::TempGameFolder tmp;
    const GameFolder& f = tmp.folder();
    tmp.writeIni("a.ini", "first");
    EXPECT_EQ(f.readText(f.ini("a.ini")), "first");
    tmp.writeIni("a.ini", "second, longer");
    EXPECT_EQ(f.readText(f.ini("a.ini")), "second, longer");
    std::filesystem::remove(tmp.root() / "ini" / "a.ini");
    EXPECT_THROW(f.readText(f.ini("a.ini")), FileError);
}

// A snapshot of an unchanged file is a second name of its bytes; rewriting either name parts them.
TEST(GameFolder, ASnapshotOfAnUnchangedFileSharesItsBytesUntilEitherIsReplaced) {
    test::TempGameFolder tmp;
    const GameFolder& f = tmp.folder();
    namespace fs = std::filesystem;
    tmp.writeIni("teiji.log", "year 1");
    auto inode = [&](const char* name) {
        struct stat st {};
        EXPECT_EQ(::stat((tmp.root() / "ini" / name).c_str(), &st), 0);
        return st.st_ino;
    };
    {
        GameFolder::DeferredWrites hold(f);
        f.snapshotFile(f.ini("teiji.log"), f.ini("teiji.img"));
        f.writeText(f.ini("teiji.log"), "year 1, year 2");
        hold.commit();
    }
    EXPECT_EQ(tmp.readIni("teiji.img"), "year 1");
    EXPECT_EQ(tmp.readIni("teiji.log"), "year 1, year 2");
    EXPECT_NE(inode("teiji.img"), inode("teiji.log"));

    // Unheld, twice over without the source changing: the second finds its target already the
    // same file and must still leave one file under each name and no temporary behind.
    f.snapshotFile(f.ini("teiji.log"), f.ini("teiji.img"));
    EXPECT_EQ(inode("teiji.img"), inode("teiji.log"));  // this disk has second names
    f.snapshotFile(f.ini("teiji.log"), f.ini("teiji.img"));
    f.writeText(f.ini("teiji.log"), "year 3");
    EXPECT_EQ(tmp.readIni("teiji.img"), "year 1, year 2");
    EXPECT_EQ(f.readText(f.ini("teiji.img")), "year 1, year 2");
    int files = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(tmp.root() / "ini")) ++files;
    EXPECT_EQ(files, 2);
}

// A held snapshot keeps the bytes it was taken from, even when the source is changed on the disk before
// the step commits.
TEST(GameFolder, AHeldSnapshotKeepsItsBytesWhenTheSourceChangesBeforeTheCommit) {
    test::TempGameFolder tmp;
    const GameFolder& f = tmp.folder();
    tmp.writeIni("gunsv.ini", "as copied");
    GameFolder::DeferredWrites hold(f);
    f.snapshotFile(f.ini("gunsv.ini"), f.ini("gunimg.ini"));
    {
        std::ofstream inPlace(tmp.root() / "ini" / "gunsv.ini", std::ios::binary | std::ios::trunc);
        inPlace << "edited in place, longer";
    }
    hold.commit();
    EXPECT_EQ(tmp.readIni("gunimg.ini"), "as copied");
    EXPECT_EQ(tmp.readIni("gunsv.ini"), "edited in place, longer");
}

}  // namespace
}  // namespace tei
