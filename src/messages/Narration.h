#pragma once
// Telling the story of a turn: templates and fixed phrases appended to the message pages, with the
// template number and arguments taken from the shared game values. The arguments keep their values
// between templates, so a template that does not mention an argument sees whatever was set last.

#include <string_view>

#include "core/GameGlobals.h"
#include "messages/MessagePages.h"
#include "messages/TemplateBook.h"

namespace tei {

class Narration {
public:
    Narration(const TemplateBook& book, GameGlobals& globals, MessagePages& pages)
        : book_(book), g_(globals), pages_(pages) {}

    // Appends template textNo with textArg1 and textArg2 to the current page.
    void ld_Text_rtn() { book_.append(g_.textNo, g_.textArg1, g_.textArg2, pages_); }
    // textNo = n, then ld_Text_rtn.
    void show(int n) {
        g_.textNo = static_cast<int16_t>(n);
        ld_Text_rtn();
    }
    // A fixed phrase, appended directly.
    void append(std::string_view text) { pages_.append(text); }

    MessagePages& pages() { return pages_; }
    GameGlobals& globals() { return g_; }

private:
    const TemplateBook& book_;
    GameGlobals& g_;
    MessagePages& pages_;
};

}  // namespace tei
