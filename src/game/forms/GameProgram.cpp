#include "game/forms/GameProgram.h"

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "game/forms/Main.h"
#include "setup/StartCheck.h"
#include "setup/forms/Form2.h"

namespace tei {

GameProgram::GameProgram(std::filesystem::path root) : folder_(std::move(root)) {}

int GameProgram::run() {
    // A step a killed run left half done is settled before anything is read.
    if (auto problem = folder_.recover()) {
        showNotice(nullptr, qsText(*problem));
        return 1;
    }
    if (auto problem = startProblem(folder_)) {
        showNotice(nullptr, qsText(*problem));
        return 1;
    }
    // The opening plays when the program starts; back from a game, the title screen is there at once.
    for (bool first = true;; first = false) {
        {
            Form2 title(folder_, g_, rng_);
            if (!first) title.skipOpening();
            if (title.exec() == Form2::Quit) return 0;
        }
        Main game(folder_, g_, rng_);
        if (game.exec() != Main::BackToTitle) return 0;
    }
}

}  // namespace tei
