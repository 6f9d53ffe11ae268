// A name the folder has already read under is not looked up on the disk again; a file renamed to
// another case behind the game's back must still be found.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/GameFolder.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::TempGameFolder;

TEST(GameFolder, AFileRenamedToAnotherCaseBetweenReadsIsStillFound) {
    TempGameFolder tmp;
    const GameFolder& f = tmp.folder();
    tmp.writeIni("busv.ini", "old");
    ASSERT_EQ(f.readText(f.ini("busv.ini")), "old");
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

}  // namespace
}  // namespace tei
