// Faults from outside the game on a game in progress, on the shipped data: a full disk, a save whose
// third copy fails, a broken slot, working files deleted, cut short or garbled between years, bytes
// that are neither UTF-8 nor Shift_JIS. Each must end in the game's Japanese
// message, leave every file of the running game and every slot byte for byte as it was, and let the
// game go on once the fault is gone.
//
// A full disk is a file size limit (RLIMIT_FSIZE).

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <tuple>

#include "core/Random.h"
#include "game/TurnCycle.h"
#include "screens/SaveSlots.h"
#include "setup/ScenarioSetup.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

namespace fs = std::filesystem;
using test::Files;
using test::TempGameFolder;

// One way of damaging the game's files or its disk, what puts the disk right again, and the message
// the game must give.
struct Fault {
    const char* name;
    std::function<void()> apply, undo;
    std::string message;
};

void writeBytes(const fs::path& p, std::string_view bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// While it lives, no file can grow past 1000 bytes; the signal the limit raises is ignored so that the
// write fails with an error instead.
class FullDisk {
public:
    FullDisk() : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit small = old_;
        small.rlim_cur = 1000;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    void (*handler_)(int);
    rlimit old_{};
};

// The message boxes and dialogs of the game window, played by a script: Yes and OK to everything,
// the save/load screen confirming the slot 'slot', and every message kept.
class ScriptHost final : public Host {
public:
    ScriptHost(GameFolder& folder, GameGlobals& g) : folder_(folder), g_(g) {}
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
    GameFolder& folder_;
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

    TempGameFolder tmp;
    GameGlobals g;
    SeededRandom rng{5};
    ScriptHost host{tmp.folder(), g};
    TurnCycle cycle{tmp.folder(), g, rng, host};
};

TEST_F(FaultInjection, ASaveThatCannotBeWrittenKeepsTheGameAndItsSlots) {
    save("3");
    playYear();
    std::optional<FullDisk> full;
    const Fault faults[] = {
        {"a full disk", [&] { full.emplace(); }, [&] { full.reset(); },
         "セーブできませんでした。\r\nファイル「save/busv3.ini」に書き込めません。"},
        {"a folder in the third copy's place",
         [&] {
             fs::remove(path("save/Cmtsv3.ini"));
             fs::create_directory(path("save/Cmtsv3.ini"));
         },
         [&] { fs::remove(path("save/Cmtsv3.ini")); },
         "セーブできませんでした。\r\nファイル「save/Cmtsv3.ini」に書き込めません。"},
    };
    const Files slot = tmp.files();
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.name);
        put(slot);
        f.apply();
        const Files before = tmp.files();
        save("3");
        EXPECT_EQ(lastMessage(), f.message);
        EXPECT_EQ(g.savedFlag, 0);
        // The slot's other files still hold the earlier year, and no temporary is left.
        EXPECT_EQ(tmp.files(), before);
        f.undo();
    }
    put(slot);
    save("3");
    EXPECT_EQ(g.savedFlag, 1);
    EXPECT_EQ(tmp.readSave("gunsv3.ini"), tmp.readIni("gunsv.ini"));
}

TEST_F(FaultInjection, ALoadFromABrokenSlotChangesNothing) {
    save("4");
    playYear();
    playYear();
    const Files slot = tmp.files();
    const int16_t year = cycle.yearCounter;
    const std::string info = slot.at("save/save4.ini");
    const Fault faults[] = {
        {"one copy missing", [&] { fs::remove(path("save/gunsv4.ini")); }, nullptr,
         "ファイルが見つかりません\r\nファイル「save/gunsv4.ini」が見つかりません。"},
        {"information cut in half", [&] { writeBytes(path("save/save4.ini"), info.substr(0, info.size() / 2)); },
         nullptr, "ファイルが見つかりません"},
        {"chronicle copy neither UTF-8 nor Shift_JIS",
         [&] { writeBytes(path("save/teilog4.log"), "\x83\x65\x83\x4c\x83\xFF\x83\x67\r\n"); }, nullptr,
         "ファイルが見つかりません\r\nファイル「save/teilog4.log」は UTF-8 のテキストではありません。"},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.name);
        put(slot);
        f.apply();
        Files damaged = tmp.files();
        g.savedFlag = 1;
        cycle.cmdLoad_Click();
        EXPECT_EQ(lastMessage(), f.message);
        EXPECT_EQ(tmp.files(), damaged);
        EXPECT_EQ(cycle.yearCounter, year);
        EXPECT_EQ(g.dialogResult, 0);
    }
    put(slot);
    playYear();
}

// A year whose files cannot be read (damaged between years) or written (a full disk; a folder where
// the autosave's copy goes) stops with the file's message and leaves every file at the year's start,
// and the game in memory there too: the year, the cohesion, the alliances and the offers. Once the
// fault is gone the year is played once.
TEST_F(FaultInjection, AYearThatCannotBeReadOrWrittenLeavesTheGameAtTheYearsStart) {
    playYear();
    auto memory = [&] {
        return std::make_tuple(cycle.yearCounter, cycle.yearHeading(), cycle.turnSlot, g.allianceCohesion,
                               g.allianceLeader, g.offerCommands, g.offerTarget, g.factionChoice, g.slotRuler,
                               cycle.frames().caption(1), cycle.frames().summaryValue(1));
    };
    const auto atStart = memory();
    const Files sound = tmp.files();
    const int16_t year = cycle.yearCounter;
    const std::string officers = sound.at("ini/busv.ini");
    std::optional<FullDisk> full;
    const Fault faults[] = {
        {"officer file deleted", [&] { fs::remove(path("ini/busv.ini")); }, nullptr,
         "ファイル「ini/busv.ini」が見つかりません。"},
        {"officer file cut in half", [&] { writeBytes(path("ini/busv.ini"), officers.substr(0, officers.size() / 2)); },
         nullptr, "ファイル「ini/busv.ini」は記録が欠けているか、途中で切れています。"},
        {"faction name given a leading stop",
         [&] {
             // Record 1's name line, quoted or not, becomes a bare name with a leading stop.
             std::string factions = sound.at("ini/gunsv.ini");
             size_t name = factions.find(".1\r\n") + 4;
             writeBytes(path("ini/gunsv.ini"), factions.replace(name, factions.find("\r\n", name) - name, ".董卓"));
         },
         nullptr,
         "ファイル「ini/gunsv.ini」の記録 .1 の名前「.董卓」は「.」で始まるため、次の記録の見出しと読まれてしまいます。"
         "二重引用符で囲んでください（\".董卓\"）。"},
        {"faction file turned into binary garbage",
         [&] { writeBytes(path("ini/gunsv.ini"), std::string("\x01\x00\xff\xfe", 4)); }, nullptr,
         "ファイル「ini/gunsv.ini」は UTF-8 のテキストではありません。"},
        {"a full disk", [&] { full.emplace(); }, [&] { full.reset(); }, "ファイル「ini/busv.ini」に書き込めません。"},
        {"a folder in the autosave's place",
         [&] {
             fs::remove(path("save/gunsvauto.ini"));
             fs::create_directory(path("save/gunsvauto.ini"));
         },
         [&] { fs::remove(path("save/gunsvauto.ini")); }, "ファイル「save/gunsvauto.ini」に書き込めません。"},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.name);
        put(sound);
        f.apply();
        const Files damaged = tmp.files();
        const size_t shown = host.messages.size();
        EXPECT_FALSE(cycle.Command1_Click(3));
        EXPECT_EQ(host.messages.size(), shown + 1);
        EXPECT_EQ(lastMessage(), f.message);
        EXPECT_EQ(tmp.files(), damaged);
        EXPECT_TRUE(memory() == atStart);
        if (f.undo) f.undo();
    }
    put(sound);
    playYear();
    EXPECT_EQ(cycle.yearCounter, year + 1);
    // The year is in the chronicle once.
    const std::string log = tmp.readIni("teiji.log"), banner = "＝＝ 　" + std::to_string(year) + "年　＝＝";
    EXPECT_NE(log.find(banner), std::string::npos);
    EXPECT_EQ(log.find(banner), log.rfind(banner));
    EXPECT_EQ(tmp.readSave("gunsvauto.ini"), tmp.readIni("gunsv.ini"));
}

}  // namespace
}  // namespace tei
