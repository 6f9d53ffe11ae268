#include "messages/MessageWindow.h"

#include <algorithm>

#include "messages/Chronicle.h"

namespace tei {

namespace {

constexpr int kLastPage = 40;

// Characters of a UTF-8 text (every byte that does not continue a character).
int characters(std::string_view text) {
    int n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

WindowPages creditsWindow() {
    WindowPages w;
    w.mode = MsgMode::Ending;
    credit(w.pages);
    return w;
}

WindowPages textWindow(MsgMode mode, const std::string& text) {
    WindowPages w;
    w.mode = mode;
    w.pages.at(0) = text;
    w.pages.at(1) = kEndOfPages;
    return w;
}

void MessageWindow::Form_Load(const WindowPages& shown) {
    mode_ = shown.mode;
    pages = shown.pages;
    enabled_ = {true, true, true, true};
    if (mode_ == MsgMode::Ending) enabled_[CloseButton] = false;
    pages.page = 0;
    dsp_Text_rtn();
    resetEnable();
}

void MessageWindow::dsp_Text_rtn() {
    shown_ = pages.at(pages.page);
    if (pages.isEnd(pages.page + 1)) enabled_[CloseButton] = true;
}

void MessageWindow::resetEnable() {
    enabled_[PreviousButton] = pages.page > 0;
    bool more = !pages.isEnd(pages.page + 1) && pages.page <= kLastPage - 1;
    enabled_[NextButton] = more;
    enabled_[LastButton] = more;
}

bool MessageWindow::Command1_Click(int index) {
    if (!enabled(index)) return false;
    switch (index) {
        case CloseButton:
            g_.dialogResult = 1;
            parmTextHeight = 0;
            return true;
        case PreviousButton:
            if (pages.page > 0) --pages.page;
            break;
        case NextButton:
            if (!pages.isEnd(pages.page + 1) && pages.page < kLastPage) ++pages.page;
            break;
        case LastButton:
            for (int i = 0; i < kLastPage; ++i)
                if (pages.isEnd(i + 1)) pages.page = static_cast<int16_t>(i);
            break;
    }
    dsp_Text_rtn();
    resetEnable();
    return false;
}

void MessageWindow::Timer1_Timer() {
    if (mode_ != MsgMode::Ending) return;
    if (!pages.isEnd(pages.page + 1) && pages.page < kLastPage) ++pages.page;
    dsp_Text_rtn();
}

std::string MessageWindow::pageCounter() const {
    // The pages that paging can reach end before the first "EOT" after page 0, and at page 40.
    int reachable = 0;
    while (reachable < kLastPage && !pages.isEnd(reachable + 1)) ++reachable;
    int last = 0;
    for (int i = 0; i <= reachable; ++i)
        if (!pages.at(i).empty()) last = i;
    last = std::max<int>(last, pages.page);
    return std::to_string(pages.page + 1) + " / " + std::to_string(last + 1);
}

int MessageWindow::labelHeight(std::string_view text, int parmTextHeight) {
    if (parmTextHeight > 0) return parmTextHeight;
    int n = characters(text);
    return n < 2000 ? 12 * n : kTallestLabel;
}

}  // namespace tei
