// The year as the turn cycle resolves it: working files in, pages and working files out, and
// both files left as they were when a file fails.

#include <filesystem>
#include <fstream>
#include <functional>

#include "ResolutionWorld.h"
#include "messages/YearBanner.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using namespace test;
namespace fs = std::filesystem;

// Templates 1..99 that echo their number and arguments, as a Text.ini file.
std::string echoTextFile() {
    std::string text;
    for (int n = 1; n < 100; ++n)
        text += "." + std::to_string(n) + "\r\n[" + std::to_string(n) + ":\r\n+\r\n|\r\n*\r\n]\r\n..\r\n";
    return text;
}

const std::string kOfficers = crlf({".1", "\"曹操\"", "5,1,0,0", "0,0", "1,5", "\"p1\"", "0",  //
                                    ".2", "\"荀彧\"", "9,1,0,0", "0,0", "1,3", "\"p2\"", "0",  //
                                    ".3", "\"孫堅\"", "1,1,0,0", "0,0", "3,5", "\"p3\"", "0"});
const std::string kFactions = crlf({".1", "\"魏\"", "0,1,10,0,10,0,0,0", "\"FALSE\"",  //
                                    ".2", "\"呉\"", "0,3,40,0,0,0,0,0", "\"FALSE\""});

class ResolveYear : public ::testing::Test {
protected:
    ResolveYear() {
        g.officerCount = 3;
        g.factionCount = 2;
        g.detailId = 190;
    }
    // Replaces a working file by a folder, so that it can be neither read nor replaced.
    void blockFile(const char* name) {
        fs::path p = files.root() / "ini" / name;
        fs::remove(p);
        fs::create_directory(p);
        std::ofstream(p / "x") << "x";
    }

    // The FileError that 'step' throws; the test fails when it throws none.
    static FileError failureOf(const std::function<void()>& step) {
        try {
            step();
        } catch (const FileError& e) {
            return e;
        }
        ADD_FAILURE() << "no FileError was thrown";
        return FileError(FileError::Kind::Missing, "");
    }

    // Writes the working files and Text.ini, and reads the templates back as the window would.
    static TemplateBook prepare(const TempGameFolder& f) {
        f.writeIni("busv.ini", kOfficers);
        f.writeIni("gunsv.ini", kFactions);
        f.writeIni("Text.ini", echoTextFile());
        return TemplateBook::load(f.folder(), "Text.ini");
    }

    TempGameFolder files;
    GameGlobals g;
    ScriptedRandom rng;
    TemplateBook book = prepare(files);
    Turn turn{g, rng, book};
    RecordingBattles battles{turn.pages};
    Resolution res{turn, battles};
};

TEST_F(ResolveYear, LoadsResolvesAndWritesBothWorkingFiles) {
    // 魏 raises troops from 呉 (row 0); 呉 recruits 荀彧 (row 1).
    g.offerCommands[0] = {Command::RaiseTroops, Command::Recruit};
    g.offerTarget[0] = {2, 2, 0, 0};
    g.offerAmount[0][0] = 50;
    g.factionChoice[2] = 1;
    for (int i = 0; i < 19; ++i) rng.dice(1, 1);
    rng.dice(1, 1).dice(1, 1).dice(1, 1);  // 曹操 5 + 2, 荀彧 9 + 2, the roll
    rng.dice(1, 1)
        .dice(1, 1)
        .dice(1, 1)
        .dice(1, 1)               // 孫堅 passes 0 + 2 >= 0 + 2, scores 2; the roll
        .then(0.1f);              // no go-between
    rng.face(0, 50).face(0, 50);  // both factions stand

    res.resolveYear(files.folder());

    EXPECT_EQ(turn.pages.at(0), yearBanner(190) +
                                    "[2:荀彧|魏の名声により 20000が魏]\r\n兵を貸した呉の名声も上がった。\r\n"
                                    "[48:荀彧|魏の名声により 20000が魏]\r\n[1:孫堅|荀彧が呉]\r\n");
    EXPECT_TRUE(turn.pages.isEnd(1));
    EXPECT_EQ(files.readIni("busv.ini"), crlf({".1", "曹操", "5,1,0,0", "0,0", "1,5", "\"p1\"", "0",  //
                                               ".2", "荀彧", "9,1,0,0", "0,0", "3,3", "\"p2\"", "0",  //
                                               ".3", "孫堅", "1,1,0,0", "0,0", "3,5", "\"p3\"", "0"}));
    EXPECT_EQ(files.readIni("gunsv.ini"), crlf({".1", "魏", "0,1,30,0,10,0,0,0", "\"FALSE\"",  //
                                                ".2", "呉", "0,3,20,0,5,0,0,0", "\"FALSE\""}));
    EXPECT_EQ(rng.left(), 0u);
}

class ResolveYearWithWar : public ResolveYear {
protected:
    void SetUp() override {
        // 魏 goes to war on 呉; the battle moves 荀彧 over and then the file is blocked.
        g.offerCommands[0] = {Command::War};
        g.offerTarget[0][0] = 2;
        g.factionChoice[2] = 1;
        for (int i = 0; i < 19; ++i) rng.dice(1, 1);
        rng.dice(1, 1);               // the roll
        rng.face(0, 50).face(0, 50);  // the fall check
    }
};

TEST_F(ResolveYearWithWar, AFactionFileThatCannotBeWrittenPutsTheOfficerFileBack) {
    battles.during = [this] {
        turn.records.officers[2].kunID = 3;
        blockFile("gunsv.ini");
    };
    FileError failure = failureOf([&] { res.resolveYear(files.folder()); });
    EXPECT_EQ(failure.kind(), FileError::Kind::Unwritable);
    EXPECT_EQ(failure.message(), "ファイル「ini/gunsv.ini」に書き込めません。");
    EXPECT_EQ(files.readIni("busv.ini"), kOfficers);
    EXPECT_EQ(battles.calls.size(), 1u);
}

TEST_F(ResolveYearWithWar, AnOfficerFileThatCannotBeReplacedLeavesTheFactionFileAlone) {
    battles.during = [this] {
        turn.records.factions[1].army = 99;
        blockFile("busv.ini");
    };
    EXPECT_EQ(failureOf([&] { res.resolveYear(files.folder()); }).path(), "ini/busv.ini");
    EXPECT_EQ(files.readIni("gunsv.ini"), kFactions);
}

}  // namespace
}  // namespace tei
