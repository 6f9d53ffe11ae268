// Faults from outside the game on a game in progress, on the shipped data: a save folder that cannot
// be written, a save whose third copy fails, a broken slot, working files deleted, cut short or
// garbled between years, a missing master, bytes that are not UTF-8. Each must end in the game's
// Japanese message, leave every file of the running game and every slot byte for byte as it was,
// and let the game go on once the fault is gone.
//
// The tests run as root, so permission bits cannot make save/ read-only: the folder is marked
// immutable (which binds root too), and a full disk is a file size limit (RLIMIT_FSIZE).

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "core/Random.h"
#include "game/Autoplay.h"
#include "game/TurnCycle.h"
#include "screens/SaveSlots.h"
#include "setup/ScenarioSetup.h"
#include "support/Immutable.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

namespace fs = std::filesystem;
using test::setImmutable;
using test::TempGameFolder;

// Every file of the game folder, by its name inside it, with its bytes.
using Files = std::map<std::string, std::string>;

// One way of damaging the game's files, and the message the game must give for it.
struct Damage {
    const char* name;
    std::function<void()> apply;
    const char* message;
};

void writeBytes(const fs::path& p, std::string_view bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The message boxes and dialogs of the game window, played by a script: Yes and OK to everything,
// the save/load screen confirming the slot 'slot', and every message kept.
class ScriptHost final : public Host {
public:
    ScriptHost(const GameFolder& folder, GameGlobals& g) : folder_(folder), g_(g) {}
    void notify(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string&) override { return true; }
    bool askOkCancel(const std::string&) override { return true; }
    void showMessageWindow(const WindowPages&) override {}
    void showStrategy() override {}
    void showFactionDetail() override {}
    void showFactionList() override {}
    // What the save/load screen does on its confirm button.
    void showSaveLoad() override {
        SaveSlots slots(folder_, g_);
        SlotResult r = g_.gameMode == GameMode::Save ? slots.save_rtn(slot) : slots.Rinload_rtn(slot);
        if (r.ok && g_.gameMode == GameMode::Continue) r = slots.load_rtn(slot);
        if (!r.ok) notify(r.text);
    }
    void endProgram() override {}

    std::string slot;
    std::vector<std::string> messages;

private:
    const GameFolder& folder_;
    GameGlobals& g_;
};

class FaultInjection : public ::testing::Test {
protected:
    void SetUp() override {
        tmp.copyShippedData();
        ScenarioSetup title(tmp.folder(), g, rng);
        ASSERT_TRUE(title.Form_Load().ok);
        title.ori_Chr_rtn();  // nobody plays: one press of Auto is one year
        g.gameMode = GameMode::New;
        ASSERT_TRUE(cycle.Form_Load());
    }

    Files files() const {
        Files all;
        for (const auto& e : fs::recursive_directory_iterator(tmp.root()))
            if (e.is_regular_file())
                all[e.path().lexically_relative(tmp.root()).generic_string()] = tmp.folder().readBytes(e.path());
        return all;
    }
    void put(const Files& all) const {
        for (const auto& [name, bytes] : all) writeBytes(path(name), bytes);
    }
    fs::path path(const std::string& name) const { return tmp.root() / name; }

    void playYear() {
        size_t before = host.messages.size();
        ASSERT_TRUE(cycle.Command1_Click(3));
        ASSERT_EQ(host.messages.size(), before) << host.messages.back();
    }
    void save(const std::string& slot) {
        host.slot = slot;
        cycle.cmdSave_Click();
    }
    std::string lastMessage() const { return host.messages.empty() ? "" : host.messages.back(); }

    // A save into 'slot' fails on 'file', says so, and leaves every file as it was.
    void expectSaveRefused(const std::string& slot, const std::string& file) {
        Files before = files();
        save(slot);
        EXPECT_EQ(lastMessage(), "セーブできませんでした。\r\nファイル「save/" + file + "」に書き込めません。");
        EXPECT_EQ(g.savedFlag, 0);
        EXPECT_EQ(files(), before);
    }

    TempGameFolder tmp;
    GameGlobals g;
    SeededRandom rng{5};
    ScriptHost host{tmp.folder(), g};
    TurnCycle cycle{tmp.folder(), g, rng, host};
};

TEST_F(FaultInjection, ASaveIntoAReadOnlySaveFolderKeepsTheGameAndItsSlots) {
    playYear();
    if (!setImmutable(path("save"), true)) GTEST_SKIP() << "this file system cannot mark a folder immutable";
    expectSaveRefused("2", "busv2.ini");
    setImmutable(path("save"), false);
    save("2");
    EXPECT_EQ(g.savedFlag, 1);
}

TEST_F(FaultInjection, ASaveOnAFullDiskKeepsTheGameAndItsSlots) {
    save("1");
    playYear();
    // Any file longer than 1000 bytes cannot be written; the signal the limit raises is ignored so the
    // write fails with an error instead.
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    expectSaveRefused("1", "busv1.ini");
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
}

TEST_F(FaultInjection, ASaveWhoseThirdCopyFailsKeepsTheSlotWhole) {
    save("3");
    playYear();
    fs::remove(path("save/Cmtsv3.ini"));
    fs::create_directory(path("save/Cmtsv3.ini"));
    // The slot's other four files still hold the earlier year, and no temporary is left.
    expectSaveRefused("3", "Cmtsv3.ini");
    playYear();
}

TEST_F(FaultInjection, ALoadFromABrokenSlotChangesNothing) {
    save("4");
    playYear();
    playYear();
    const Files slot = files();
    const int16_t year = cycle.yearCounter;
    const std::string info = slot.at("save/save4.ini");
    const Damage cases[] = {
        {"one copy missing", [&] { fs::remove(path("save/gunsv4.ini")); },
         "ファイルが見つかりません\r\nファイル「save/gunsv4.ini」が見つかりません。"},
        {"information cut in half", [&] { writeBytes(path("save/save4.ini"), info.substr(0, info.size() / 2)); },
         "ファイルが見つかりません"},
        {"chronicle copy in Shift-JIS",
         [&] { writeBytes(path("save/teilog4.log"), "\x83\x65\x83\x4c\x83\x58\x83\x67\r\n"); },
         "ファイルが見つかりません\r\nファイル「save/teilog4.log」は UTF-8 のテキストではありません。"},
    };
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.name);
        put(slot);
        c.apply();
        Files damaged = files();
        g.savedFlag = 1;
        cycle.cmdLoad_Click();
        EXPECT_EQ(lastMessage(), c.message);
        EXPECT_EQ(files(), damaged);
        EXPECT_EQ(cycle.yearCounter, year);
        EXPECT_EQ(g.dialogResult, 0);
    }
    put(slot);
    playYear();
}

TEST_F(FaultInjection, AWorkingFileDamagedBetweenYearsStopsTheYearAndKeepsEveryFile) {
    playYear();
    const Files sound = files();
    const int16_t year = cycle.yearCounter;
    const std::string officers = sound.at("ini/busv.ini");
    const Damage cases[] = {
        {"officer file deleted", [&] { fs::remove(path("ini/busv.ini")); },
         "ファイル「ini/busv.ini」が見つかりません。"},
        {"officer file cut in half", [&] { writeBytes(path("ini/busv.ini"), officers.substr(0, officers.size() / 2)); },
         "ファイル「ini/busv.ini」は記録が欠けているか、途中で切れています。"},
        {"faction name given a leading stop",
         [&] {
             // Record 1's name line, quoted or not, becomes a bare name with a leading stop.
             std::string factions = sound.at("ini/gunsv.ini");
             size_t name = factions.find(".1\r\n") + 4;
             writeBytes(path("ini/gunsv.ini"), factions.replace(name, factions.find("\r\n", name) - name, ".董卓"));
         },
         "ファイル「ini/gunsv.ini」の記録 .1 の名前「.董卓」は「.」で始まるため、次の記録の見出しと読まれてしまいます。"
         "二重引用符で囲んでください（\".董卓\"）。"},
        {"faction file emptied", [&] { writeBytes(path("ini/gunsv.ini"), ""); },
         "ファイル「ini/gunsv.ini」は記録が欠けているか、途中で切れています。"},
        {"faction file turned into binary garbage",
         [&] { writeBytes(path("ini/gunsv.ini"), std::string("\x01\x00\xff\xfe", 4)); },
         "ファイル「ini/gunsv.ini」は UTF-8 のテキストではありません。"},
    };
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.name);
        put(sound);
        c.apply();
        Files damaged = files();
        size_t shown = host.messages.size();
        EXPECT_FALSE(cycle.Command1_Click(3));
        ASSERT_EQ(host.messages.size(), shown + 1);
        EXPECT_EQ(lastMessage(), c.message);
        EXPECT_EQ(files(), damaged);
        EXPECT_EQ(cycle.yearCounter, year);
    }
    // Put right, the same year is played once.
    put(sound);
    playYear();
    EXPECT_EQ(cycle.yearCounter, year + 1);
    std::string log = tmp.readIni("teiji.log");
    std::string banner = "＝＝ 　" + std::to_string(year) + "年　＝＝";
    EXPECT_EQ(log.find(banner), log.rfind(banner));
}

// The command line: a data file of bytes that are no UTF-8 text, or cut short, ends the program with
// the file's name on stderr and exit status 2, before any year is played.
TEST(FaultInjectionCli, AMissingMasterOrGarbledDataFileEndsWithAMessage) {
    struct Case {
        const char* file;
        std::string bytes;
        std::string message;
    };
    const Case cases[] = {
        {"mei.ini", "\x2e\x31\r\n\x83\x65\x83\x4c\x83\x58\x83\x67\r\n",
         "ファイル「ini/mei.ini」は UTF-8 のテキストではありません。"},
        {"Gunbatu1.ini", ".1\r\n\"董卓\"\r\n0,1,180\r\n",
         "ファイル「ini/Gunbatu1.ini」は記録が欠けているか、途中で切れています。"},
        {"bushou1.ini", ".1\r\n\"董卓\"\r\n3,8,6,7\r\n4,2\r\n1,5\r\n\"toutaku\"\r\n1\r\n.2\r\n.李儒\r\n",
         "ファイル「ini/bushou1.ini」の記録 .2 "
         "の名前「.李儒」は「.」で始まるため、次の記録の見出しと読まれてしまいます。"
         "二重引用符で囲んでください（\".李儒\"）。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.message);
        TempGameFolder tmp;
        tmp.copyShippedData();
        tmp.writeIni(c.file, c.bytes);
        AutoplayOptions o;
        o.seed = 1;
        o.quiet = true;
        std::ostringstream out, err;
        EXPECT_EQ(runAutoplay(o, tmp.folder(), out, err), 2);
        EXPECT_NE(err.str().find("エラー: " + c.message), std::string::npos) << err.str();
        EXPECT_FALSE(tmp.hasIni("teiji.img"));  // no year was played
    }
}

}  // namespace
}  // namespace tei
