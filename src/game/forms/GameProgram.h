#pragma once
// The game program: owns the one game folder (the current directory), the shared game values and the
// random source of the run, and leads from the title screen to the main screen and back, until a
// screen ends the program. Every screen gets the three by reference, so a file the year holds back is
// seen by every screen opened during it.

#include <filesystem>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Random.h"

namespace tei {

class GameProgram {
public:
    explicit GameProgram(std::filesystem::path root = std::filesystem::current_path());

    // Settles a step of several files that a killed run left half done, checks the data folder (a
    // message box naming what is in the way or missing, then 1), then runs the title and main screens;
    // 0 when the player ends the program.
    int run();

    GameFolder& folder() { return folder_; }
    GameGlobals& globals() { return g_; }

private:
    GameFolder folder_;
    GameGlobals g_;
    ClockRandom rng_;
};

}  // namespace tei
