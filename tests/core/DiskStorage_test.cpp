// What the next start makes of a step of several files on the disk that was stopped where a crash
// leaves things hardest to settle: a journal cut short, a step another program is still running, and a
// step that can be neither finished nor undone. A step is stopped in place: the test's hook throws at
// the chosen instant, so nothing of the step's own clean-up runs and the files stay as a killed process
// leaves them (tests/hardening/CrashRecovery_test.cpp kills real processes at every instant).

#include "core/DiskStorage.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/GameFolder.h"
#include "support/Immutable.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

namespace fs = std::filesystem;
using test::TempGameFolder;

using test::Files;

struct Crash {};

// A year's kind of step: a file replaced, a snapshot of an unchanged file (a second name of its
// bytes on this disk) and a file that was not there, in two folders.
const Files kBefore = {{"ini/busv.ini", "officers of 190"}, {"ini/teiji.log", "190"}, {"ini/teiji.img", "189"}};
const Files kAfter = {{"ini/busv.ini", "officers of 191"},
                      {"ini/teiji.log", "190"},
                      {"ini/teiji.img", "190"},
                      {"save/tei_end.log", "190"}};

// Runs the step on a fresh folder holding kBefore, stopped at instant 'stop' (1 = the first); true
// when the step was stopped, false when it had fewer instants.
bool runStep(TempGameFolder& tmp, int stop, std::string* what = nullptr) {
    for (const auto& [name, bytes] : kBefore) tmp.writeIni(fs::path(name).filename().string(), bytes);
    auto disk = std::make_shared<DiskStorage>(tmp.root(), DiskStorage::Flush::WhenAsked);
    int instant = 0;
    disk->setInstantHook([&](const char* done) {
        if (++instant != stop) return;
        if (what) *what = done;
        throw Crash{};
    });
    GameFolder f(disk);
    try {
        GameFolder::DeferredWrites step(f);
        f.writeText(f.ini("busv.ini"), "officers of 191");
        f.snapshotFile(f.ini("teiji.log"), f.ini("teiji.img"));
        f.copyFile(f.ini("teiji.log"), f.save("tei_end.log"));
        step.commit();
    } catch (const Crash&) {
        return true;
    }
    return false;
}

// The step on a fresh folder, stopped at the nth instant that did 'what'; nothing when there is none.
std::unique_ptr<TempGameFolder> stoppedAfter(const std::string& what, int nth = 1) {
    for (int stop = 1;; ++stop) {
        auto tmp = std::make_unique<TempGameFolder>();
        std::string done;
        if (!runStep(*tmp, stop, &done)) return nullptr;
        if (done == what && --nth == 0) return tmp;
    }
}

// A journal that cannot be written goes with the step's temporaries: the folder keeps its files only.
TEST(DiskStorage, AJournalThatCannotBeWrittenLeavesNothingBehind) {
    TempGameFolder tmp;
    tmp.writeIni("a.ini", "a");
    GameFolder f(std::make_shared<DiskStorage>(tmp.root(), DiskStorage::Flush::WhenAsked));
    rlimit was{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &was), 0);
    rlimit small = was;
    small.rlim_cur = 8;  // room for the files, not for the journal
    auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(f.writeTogether({{f.ini("a.ini"), "b"}, {f.ini("c.ini"), "c"}}), FileError);
    ::setrlimit(RLIMIT_FSIZE, &was);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(tmp.files(), (Files{{"ini/a.ini", "a"}}));
}

// A power cut can leave a journal cut short; its step had not renamed anything yet.
TEST(DiskStorage, AJournalCutShortLeavesTheOldFiles) {
    auto tmp = stoppedAfter("journal");
    ASSERT_TRUE(tmp);
    for (const auto& e : fs::directory_iterator(tmp->root() / "ini"))
        if (e.path().filename().string().starts_with(".journal-"))
            fs::resize_file(e.path(), fs::file_size(e.path()) - 3);
    EXPECT_EQ(GameFolder(tmp->root()).recover(), std::nullopt);
    EXPECT_EQ(tmp->files(), kBefore);
}

// A power cut amid the flushes before the renames can leave a whole journal beside a new file that is
// not whole; such a step renamed nothing, and the old files stay. A finished step whose journal's
// removal was lost leaves the files written since as they are.
TEST(DiskStorage, AWholeJournalBesideABrokenNewFileRenamesNothing) {
    auto temporaryOfBusv = [](const TempGameFolder& tmp) {
        for (const auto& e : fs::directory_iterator(tmp.root() / "ini"))
            if (e.path().filename().string().ends_with("-busv.ini")) return e.path();
        ADD_FAILURE() << "no temporary";
        return fs::path();
    };
    const struct {
        const char* what;
        void (*damage)(const fs::path& temporary);
    } cases[] = {
        {"lost", [](const fs::path& t) { fs::remove(t); }},
        {"cut short", [](const fs::path& t) { fs::resize_file(t, 3); }},
        {"other bytes of its length",
         [](const fs::path& t) { std::ofstream(t, std::ios::binary) << "Officers of 191"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto tmp = stoppedAfter("journal");
        ASSERT_TRUE(tmp);
        c.damage(temporaryOfBusv(*tmp));
        EXPECT_EQ(GameFolder(tmp->root()).recover(), std::nullopt);
        EXPECT_EQ(tmp->files(), kBefore);
    }
    auto tmp = stoppedAfter("rename", 3);  // every file renamed, the journal still there
    ASSERT_TRUE(tmp);
    tmp->writeIni("busv.ini", "officers of 192");
    EXPECT_EQ(GameFolder(tmp->root()).recover(), std::nullopt);
    Files later = kAfter;
    later["ini/busv.ini"] = "officers of 192";
    EXPECT_EQ(tmp->files(), later);
}

// A step that a second program is running in the same folder is not settled under its feet, nor are
// the temporaries of a process that still runs; a dead one's are.
TEST(DiskStorage, WhatARunningProgramHasUnderwayIsLeftAlone) {
    TempGameFolder tmp;
    for (const auto& [name, bytes] : kBefore) tmp.writeIni(fs::path(name).filename().string(), bytes);
    int reached[2];
    ASSERT_EQ(::pipe(reached), 0);
    pid_t running = ::fork();
    ASSERT_GE(running, 0);
    if (running == 0) {
        // The other program: it stops for good after its first rename.
        auto disk = std::make_shared<DiskStorage>(tmp.root(), DiskStorage::Flush::WhenAsked);
        disk->setInstantHook([&](const char* done) {
            if (std::string(done) != "rename") return;
            (void)!::write(reached[1], "r", 1);
            for (;;) ::pause();
        });
        GameFolder f(disk);
        f.writeTogether({{f.ini("busv.ini"), "officers of 191"}, {f.save("tei_end.log"), "190"}});
        ::_exit(1);
    }
    char c = 0;
    ASSERT_EQ(::read(reached[0], &c, 1), 1);
    tmp.writeIni(".tmp-999999999-1-gunsv.ini", "a dead process's");
    Files underway = tmp.files();
    underway.erase("ini/.tmp-999999999-1-gunsv.ini");
    EXPECT_EQ(GameFolder(tmp.root()).recover(), std::nullopt);
    EXPECT_EQ(tmp.files(), underway);

    ::kill(running, SIGKILL);
    ::waitpid(running, nullptr, 0);
    EXPECT_EQ(GameFolder(tmp.root()).recover(), std::nullopt);
    Files settled = kBefore;
    settled["ini/busv.ini"] = "officers of 191";
    settled["save/tei_end.log"] = "190";
    EXPECT_EQ(tmp.files(), settled);
}

// A step that can be neither finished nor undone (here the folder refuses every rename) is named, and
// every file is kept, the journal and the old files' second names included, for a later start.
TEST(DiskStorage, AStepThatCannotBeSettledIsNamedAndKeptForTheNextStart) {
    auto folder = stoppedAfter("rename");  // busv.ini has its new bytes, the rest not yet
    ASSERT_TRUE(folder);
    TempGameFolder& tmp = *folder;
    const fs::path ini = tmp.root() / "ini";
    if (!test::setImmutable(ini, true)) GTEST_SKIP() << "this file system cannot mark a folder immutable";
    const Files stuck = tmp.files();
    auto problem = GameFolder(tmp.root()).recover();
    test::setImmutable(ini, false);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->rfind("ファイル「ini/.journal-", 0), 0u) << *problem;
    EXPECT_NE(problem->find("（ファイル「ini/busv.ini」を置き換えられません）"), std::string::npos) << *problem;
    auto names = [](const Files& files) {
        std::vector<std::string> all;
        for (const auto& [name, bytes] : files) all.push_back(name);
        return all;
    };
    Files kept = tmp.files();
    EXPECT_EQ(names(kept), names(stuck));
    EXPECT_EQ(kept["ini/busv.ini"], "officers of 191");

    // Once the folder allows it the step is undone, as it was marked to be.
    EXPECT_EQ(GameFolder(tmp.root()).recover(), std::nullopt);
    EXPECT_EQ(tmp.files(), kBefore);
}

}  // namespace
}  // namespace tei
