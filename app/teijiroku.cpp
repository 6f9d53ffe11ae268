// The game window. Runs in the current directory, which holds ini/ and save/; reads no command line
// of its own.

#include <QApplication>

#include "core/forms/GameLook.h"
#include "game/forms/GameProgram.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The screens follow one another; none of them is the application's last window.
    QApplication::setQuitOnLastWindowClosed(false);
    tei::applyGameLook(app);
    tei::GameProgram program;
    return program.run();
}
