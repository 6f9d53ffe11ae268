#pragma once
// The message window's engine (form Msg): the 41 pages it shows, the page on view and the enabled
// state of its four page buttons. The window composes nothing: it is opened with the pages its opener
// composed (the credits, a year's story, one prepared text) and always shows page 0 first.
//
// Paging never leaves the pages: next stops at the page before "EOT" and never passes page 40, last
// goes to the page before the last "EOT" among pages 1..40. A button that is disabled does nothing.
// Close is disabled at first only for the credits; it is enabled on reaching the page before "EOT".

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/GameGlobals.h"
#include "messages/MessagePages.h"

namespace tei {

inline constexpr const char* kWindowCaption = "鼎峙録・覇業編";
inline constexpr const char* kUnderAttack = "プレイヤーが攻撃を受けています";

// The page buttons of Command1 by index, and their captions.
enum PageButton : int { CloseButton = 0, PreviousButton = 1, NextButton = 2, LastButton = 3 };
inline constexpr std::array<const char*, 4> kPageButtonCaptions = {"閉", "前ページ", "次ページ", "最終ページ"};

// Height units of the text label.
inline constexpr int kTallestLabel = 30400;

// What the window is opened with: the pages, "EOT" after the last, and how to show them.
struct WindowPages {
    MsgMode mode = MsgMode::Ending;
    MessagePages pages;
    bool caution = false;   // a player's faction was attacked this year: the warning is shown
    std::string heading{};  // a line above the pages ("189年 年末"); none when empty
};

// The closing credits (Ending): the credits page, then "EOT".
WindowPages creditsWindow();
// One prepared text (YearEnd, Report): the text on page 0, then "EOT".
WindowPages textWindow(MsgMode mode, const std::string& text);

class MessageWindow {
public:
    explicit MessageWindow(GameGlobals& globals) : g_(globals) {}

    // Opening: the pages handed in, shown from page 0. Close starts disabled for the credits only.
    void Form_Load(const WindowPages& shown);
    // Shows page 'page'; enables close when the next page is "EOT".
    void dsp_Text_rtn();
    void resetEnable();

    // Buttons and timer
    // True when the window closes (close sets dialogResult to 1 and parmTextHeight to 0).
    bool Command1_Click(int index);
    // The credits' page timer: on to the next page until the page before "EOT" (Ending only).
    void Timer1_Timer();

    // What the form shows
    bool enabled(int button) const { return button >= 0 && button < 4 && enabled_[static_cast<size_t>(button)]; }
    const std::string& shownText() const { return shown_; }
    int16_t page() const { return pages.page; }
    // "n / m" beside the buttons: the page on view and the last page that holds text and can be
    // reached (never below the page on view), both counted from 1.
    std::string pageCounter() const;
    // Height of the text label: parmTextHeight when above 0, else 12 per character below 2000
    // characters, else the tallest label.
    static int labelHeight(std::string_view text, int parmTextHeight);

    MessagePages pages;
    int16_t parmTextHeight = 0;  // fixes the label height when above 0; 0 again after closing

private:
    GameGlobals& g_;
    MsgMode mode_ = MsgMode::Ending;
    std::array<bool, 4> enabled_{true, true, true, true};
    std::string shown_;
};

}  // namespace tei
