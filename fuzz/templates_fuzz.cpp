// The template reader on any Text.ini or Command.ini, in page mode (the message window's narrative)
// and single-text mode (descriptions), then the message window's paging over what was composed.
// Composition never moves past page 39, so "EOT" always fits, and no button takes the window past
// page 40.

#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "core/GameGlobals.h"
#include "messages/MessagePages.h"
#include "messages/MessageWindow.h"
#include "messages/TemplateBook.h"

using namespace tei;
using tei::fuzz::require;

// Input: textNo byte, argument 1, NUL, argument 2, NUL, button presses, NUL, the template file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    int first = data[0];
    auto parts = fuzz::split(fuzz::bytes(data + 1, size - 1), '\0', 4);
    if (parts.size() < 4) return 0;
    std::string_view arg1 = parts[0], arg2 = parts[1], presses = parts[2], file = parts[3];

    TemplateBook book{std::string(file)};
    MessagePages pages;
    for (int n : {first, first % 100, 1, 2, 99, 100}) {
        book.append(n, arg1, arg2, pages);
        require(pages.page >= 0 && pages.page <= pages.lastComposable(), "composition stays on pages 0..39");
        (void)book.single(n, arg1, arg2);
        (void)book.has(n);
    }
    pages.markEnd();
    require(pages.isEnd(pages.page + 1), "the end mark fits after the last page");

    GameGlobals g;
    WindowPages shown;
    shown.mode = MsgMode(first % 4);
    shown.pages = pages;
    MessageWindow window(g);
    window.Form_Load(shown);
    for (char c : presses) {
        if (window.Command1_Click(static_cast<unsigned char>(c) % 4)) break;
        if (static_cast<unsigned char>(c) & 0x80) window.Timer1_Timer();
        require(window.page() >= 0 && window.page() <= 40, "paging stays on pages 0..40");
        (void)MessageWindow::labelHeight(window.shownText(), window.parmTextHeight);
    }
    return 0;
}
