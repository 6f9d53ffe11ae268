// The game window. Runs in the current directory, which holds ini/ and save/; reads no command line
// of its own.

#include <QApplication>

#include "game/forms/GameProgram.h"
#include "screens/forms/GameLook.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The screens follow one another; none of them is the application's last window.
    QApplication::setQuitOnLastWindowClosed(false);
    tei::applyGameLook(app);
    tei::GameProgram program;
    return program.run();
}
