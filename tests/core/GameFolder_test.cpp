#include "core/GameFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/TempGameFolder.h"

namespace tei {
namespace {

namespace fs = std::filesystem;
using test::TempGameFolder;

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
        {"cut in the middle of a character", "\xE6\x9B", false},
    };
    for (const Row& row : rows) EXPECT_EQ(isUtf8Text(row.bytes), row.text) << row.name;
}

// A step's files are replaced all together or not at all, written together or held until the step
// commits: when one cannot be replaced (a folder stands in its place) the others keep their old bytes
// or stay away, with no temporary or spare name left behind, and the error names the file.
TEST(GameFolder, AFileThatCannotBeReplacedLeavesEveryTargetOfTheStepAsItWas) {
    TempGameFolder tmp;
    GameFolder& f = tmp.folder();
    tmp.writeIni("busv.ini", "old officers");
    fs::create_directories(tmp.root() / "ini" / "gunsv.ini" / "x");
    const test::Files before = tmp.files();
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
            ADD_FAILURE() << "no error";
        } catch (const FileError& e) {
            EXPECT_EQ(e.message(), "ファイル「ini/gunsv.ini」に書き込めません。");
        }
        EXPECT_EQ(f.readText(f.ini("busv.ini")), "old officers");
        EXPECT_EQ(tmp.files(), before);
    }
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
    fs::remove(tmp.root() / "ini" / "busv.ini");
    tmp.writeIni("BUSV.INI", "renamed");
    EXPECT_EQ(f.readText(f.ini("busv.ini")), "renamed");
    fs::remove(tmp.root() / "ini" / "BUSV.INI");
    EXPECT_THROW(f.readText(f.ini("busv.ini")), FileError);
    // A save into a folder that is not there yet makes the folder.
    fs::remove_all(tmp.root() / "save");
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
    EXPECT_EQ(f.readText(f.ini("teiji.img")), "year 1");
    EXPECT_EQ(tmp.files(), (test::Files{{"ini/teiji.img", "year 1"}, {"ini/teiji.log", "year 2"}}));
}

// A held snapshot keeps the bytes it was taken from, even when the source is changed on the disk before
// the step commits.
TEST(GameFolder, AHeldSnapshotKeepsItsBytesWhenTheSourceChangesBeforeTheCommit) {
    TempGameFolder tmp;
    GameFolder& f = tmp.folder();
    tmp.writeIni("gunsv.ini", "as copied");
    GameFolder::DeferredWrites hold(f);
    f.snapshotFile(f.ini("gunsv.ini"), f.ini("gunimg.ini"));
    std::ofstream(tmp.root() / "ini" / "gunsv.ini", std::ios::binary | std::ios::trunc) << "edited in place, longer";
    hold.commit();
    EXPECT_EQ(tmp.readIni("gunimg.ini"), "as copied");
    EXPECT_EQ(tmp.readIni("gunsv.ini"), "edited in place, longer");
}

}  // namespace
}  // namespace tei
