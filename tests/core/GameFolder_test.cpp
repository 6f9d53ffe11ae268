#include "core/GameFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/Immutable.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::TempGameFolder;

// Every entry of the folder: a temporary left behind by a write would be counted.
int entriesIn(const std::filesystem::path& dir) {
    int n = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir)) ++n;
    return n;
}

TEST(GameFolder, FindsFilesWhateverTheirCaseAndNamesNewOnesAsAsked) {
    TempGameFolder tmp;
    tmp.writeIni("BUSHOU1.ini", "x");
    EXPECT_EQ(tmp.folder().ini("bushou1.ini").filename(), "BUSHOU1.ini");
    EXPECT_EQ(tmp.folder().ini("Bushou1.INI").filename(), "BUSHOU1.ini");
    EXPECT_EQ(tmp.folder().ini("gunsv.ini").filename(), "gunsv.ini");
    EXPECT_EQ(tmp.folder().display(tmp.folder().save("save7.ini")), "save/save7.ini");
    EXPECT_EQ(findFile(tmp.root() / "ini", "bushou1.INI").filename(), "BUSHOU1.ini");
    EXPECT_EQ(findFile(tmp.root() / "ini", "none.ini"), tmp.root() / "ini" / "none.ini");
}

TEST(GameFolder, ReadTextDropsTheByteOrderMarkAndRefusesBinary) {
    TempGameFolder tmp;
    tmp.writeIni("a.ini", "\xEF\xBB\xBF.1\r\n");
    EXPECT_EQ(tmp.folder().readText(tmp.folder().ini("a.ini")), ".1\r\n");
    tmp.writeIni("b.ini", std::string("ab\0c", 4));
    EXPECT_THROW(tmp.folder().readText(tmp.folder().ini("b.ini")), FileError);
    EXPECT_FALSE(isUtf8Text("\xE6\x9B"));  // cut in the middle of a character
    EXPECT_TRUE(isUtf8Text("曹操,\"袁紹\"\r\n"));
}

// Each edge of the encoding, one character each side: the shortest form of each length, the
// surrogates and the last code point.
TEST(GameFolder, TextIsUtf8UpToEachEdgeOfTheEncoding) {
    struct Row {
        const char* name;
        const char* bytes;
        bool text;
    } rows[] = {
        {"U+007F in two bytes", "\xC1\xBF", false},
        {"U+0080", "\xC2\x80", true},
        {"U+07FF in three bytes", "\xE0\x9F\xBF", false},
        {"U+0800", "\xE0\xA0\x80", true},
        {"U+FFFF in four bytes", "\xF0\x8F\xBF\xBF", false},
        {"U+10000", "\xF0\x90\x80\x80", true},
        {"U+D7FF", "\xED\x9F\xBF", true},
        {"U+D800", "\xED\xA0\x80", false},
        {"U+DFFF", "\xED\xBF\xBF", false},
        {"U+E000", "\xEE\x80\x80", true},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", true},
        {"U+110000", "\xF4\x90\x80\x80", false},
    };
    for (const Row& row : rows) EXPECT_EQ(isUtf8Text(row.bytes), row.text) << row.name;
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
    GameFolder& f = tmp.folder();
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
    EXPECT_EQ(entriesIn(tmp.root() / "save"), 4);  // a7, b7, c7 and the folder
}

TEST(GameFolder, HeldWritesAreReadBackAndReachTheDiskOnlyOnCommit) {
    TempGameFolder tmp;
    GameFolder& f = tmp.folder();
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
    TempGameFolder tmp;
    GameFolder& f = tmp.folder();
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

// A name already read is not looked up on the disk again, yet a file changed, renamed to another
// case or removed behind the game's back is seen as it now is.
TEST(GameFolder, AReadSeesAFileChangedOrRenamedBehindItsBack) {
    TempGameFolder tmp;
    GameFolder& f = tmp.folder();
    tmp.writeIni("busv.ini", "first");
    ASSERT_EQ(f.readText(f.ini("busv.ini")), "first");
    tmp.writeIni("busv.ini", "second, longer");
    EXPECT_EQ(f.readText(f.ini("busv.ini")), "second, longer");
    std::filesystem::remove(tmp.root() / "ini" / "busv.ini");
    tmp.writeIni("BUSV.INI", "renamed");
    EXPECT_EQ(f.readText(f.ini("busv.ini")), "renamed");
    std::filesystem::remove(tmp.root() / "ini" / "BUSV.INI");
    EXPECT_THROW(f.readText(f.ini("busv.ini")), FileError);
    // A save into a folder that is not there yet makes the folder.
    std::filesystem::remove_all(tmp.root() / "save");
    f.writeText(f.save("save1.ini"), "x");
    EXPECT_EQ(tmp.readSave("save1.ini"), "x");
}

// A snapshot taken twice over of an unchanged source finds its target already holding the same bytes,
// and must still leave one file under each name, parted by the next write, and no temporary behind.
TEST(GameFolder, ASnapshotTakenTwiceOverPartsFromItsSourceOnTheNextWrite) {
    TempGameFolder tmp;
    GameFolder& f = tmp.folder();
    tmp.writeIni("teiji.log", "year 1");
    f.snapshotFile(f.ini("teiji.log"), f.ini("teiji.img"));
    f.snapshotFile(f.ini("teiji.log"), f.ini("teiji.img"));
    f.writeText(f.ini("teiji.log"), "year 2");
    EXPECT_EQ(tmp.readIni("teiji.img"), "year 1");
    EXPECT_EQ(f.readText(f.ini("teiji.img")), "year 1");
    EXPECT_EQ(entriesIn(tmp.root() / "ini"), 2);
}

// A copy taken inside a step of a file the step writes is a second name of its new bytes, parted when
// either is replaced; a source written again after the copy was taken keeps the two apart.
TEST(GameFolder, ACopyOfAFileTheStepWritesSharesItsNewBytesUntilEitherIsReplaced) {
    TempGameFolder tmp;
    GameFolder& f = tmp.folder();
    tmp.writeIni("busv.ini", "year 1");
    auto inode = [&](const char* name) {
        struct stat st {};
        EXPECT_EQ(::stat((tmp.root() / name).c_str(), &st), 0);
        return st.st_ino;
    };
    {
        GameFolder::DeferredWrites hold(f);
        f.writeText(f.ini("busv.ini"), "year 2");
        f.snapshotFile(f.ini("busv.ini"), f.save("busvauto.ini"));
        f.writeText(f.ini("gunsv.ini"), "factions 2");
        f.snapshotFile(f.ini("gunsv.ini"), f.save("gunsvauto.ini"));
        f.writeText(f.ini("gunsv.ini"), "factions 2, again");
        hold.commit();
    }
    EXPECT_EQ(tmp.readSave("busvauto.ini"), "year 2");
    EXPECT_EQ(inode("save/busvauto.ini"), inode("ini/busv.ini"));
    EXPECT_EQ(tmp.readSave("gunsvauto.ini"), "factions 2");
    EXPECT_EQ(tmp.readIni("gunsv.ini"), "factions 2, again");
    f.writeText(f.ini("busv.ini"), "year 3");
    EXPECT_EQ(tmp.readSave("busvauto.ini"), "year 2");
    EXPECT_EQ(entriesIn(tmp.root() / "save"), 2);
}

// A held snapshot keeps the bytes it was taken from, even when the source is changed on the disk before
// the step commits.
TEST(GameFolder, AHeldSnapshotKeepsItsBytesWhenTheSourceChangesBeforeTheCommit) {
    TempGameFolder tmp;
    GameFolder& f = tmp.folder();
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

// A rename that fails after others went through puts those back: a new file goes again, a replaced one
// gets its old bytes, and no temporary or spare name is left behind.
TEST(GameFolder, AFileThatCannotBeReplacedLeavesEveryTargetOfTheStepAsItWas) {
    test::TempGameFolder tmp;
    GameFolder& f = tmp.folder();
    tmp.writeIni("busv.ini", "old officers");
    tmp.writeIni("gunsv.ini", "old factions");
    auto locked = tmp.root() / "ini" / "gunsv.ini";
    using test::setImmutable;
    if (!setImmutable(locked, true)) GTEST_SKIP() << "this file system cannot mark a file immutable";
    struct Unlock {
        std::filesystem::path p;
        ~Unlock() { setImmutable(p, false); }
    } unlock{locked};
    for (bool held : {false, true}) {
        SCOPED_TRACE(held ? "held writes" : "written together");
        try {
            if (held) {
                GameFolder::DeferredWrites hold(f);
                f.writeText(f.ini("teiji.img"), "new snapshot");
                f.writeText(f.ini("busv.ini"), "new officers");
                f.writeText(f.ini("gunsv.ini"), "new factions");
                hold.commit();
            } else {
                f.writeTogether({{f.ini("teiji.img"), "new snapshot"},
                                 {f.ini("busv.ini"), "new officers"},
                                 {f.ini("gunsv.ini"), "new factions"}});
            }
            FAIL() << "no error";
        } catch (const FileError& e) {
            EXPECT_EQ(e.message(), "ファイル「ini/gunsv.ini」に書き込めません。");
        }
        EXPECT_EQ(f.readText(f.ini("busv.ini")), "old officers");
        EXPECT_EQ(tmp.readIni("gunsv.ini"), "old factions");
        EXPECT_FALSE(tmp.hasIni("teiji.img"));
        int files = 0;
        for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(tmp.root() / "ini")) ++files;
        EXPECT_EQ(files, 2);
    }
}

}  // namespace
}  // namespace tei
