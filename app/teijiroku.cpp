// The game window. Plays in the game folder: the current directory when it holds ini/, otherwise the
// player's own folder, made and seeded on first use (see core/GameHome.h). Reads no command line of
// its own.

#include <QApplication>

#include "core/GameHome.h"
#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "game/forms/GameProgram.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The screens follow one another; none of them is the application's last window.
    QApplication::setQuitOnLastWindowClosed(false);
    tei::applyGameLook(app);
    tei::GameHome home = tei::locateGameHome(tei::thisProcessSetting(TEIJIROKU_PROGRAM_TO_DATA));
    if (!home.ready()) {
        tei::showNotice(nullptr, tei::qsText(home.problem));
        return 1;
    }
    tei::GameProgram program(home.root);
    return program.run();
}
