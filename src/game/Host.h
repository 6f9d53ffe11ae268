#pragma once
// How the turn cycle talks to the person at the screen. The game window answers with message boxes
// and modal dialogs; the command line and the tests answer from a script. Every call returns only
// when the person has answered or closed the dialog.

#include <string>

#include "core/FileError.h"
#include "messages/MessageWindow.h"

namespace tei {

class Host {
public:
    virtual ~Host() = default;

    // Message boxes: OK; Yes/No (true for Yes); OK/Cancel (true for OK).
    virtual void notify(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& text) = 0;
    virtual bool askOkCancel(const std::string& text) = 0;

    // The message window with the pages the turn cycle composed for it (the closing credits, the
    // year's story, the year-end text or a report), from page 0.
    virtual void showMessageWindow(const WindowPages& window) = 0;
    // The strategy description of the clicked offer (g.textNo, textArg1/2, msgText, selectable,
    // detailId); sets g.dialogResult to 1 when the player decides on it.
    virtual void showStrategy() = 0;
    // The faction detail of faction g.detailId with the line g.msgText.
    virtual void showFactionDetail() = 0;
    // The list of all factions at the end of the game.
    virtual void showFactionList() = 0;
    // The save/load screen for g.gameMode (Save, or Continue to load); sets g.dialogResult to 1 when done.
    virtual void showSaveLoad() = 0;
    // The program ends after the current call returns.
    virtual void endProgram() = 0;

    // A working file could not be read or written; the message names it.
    virtual void reportFileError(const FileError& e) { notify(e.message()); }
};

}  // namespace tei
