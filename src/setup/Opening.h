#pragma once
// The title screen's opening: a picture with a caption that covers the screen at start. Timer ticks
// and clicks on the picture share one counter. From the second step on the caption shows the game's
// title; a tick that takes the counter above 4, or a click that takes it above 2, hides the opening.
// Once hidden it stays hidden and the counter stops, so it cannot overflow however long the screen
// stays open.

#include <cstdint>

namespace tei {

inline constexpr const char* kMakersCaption = "鼎峙録製作委員会";
inline constexpr const char* kOpeningTitle = "鼎峙録　－　覇業編";
inline constexpr int kOpeningTickMs = 1200;

class Opening {
public:
    // Timer1_Timer, and a click on the picture or its caption (Picture1_Click, Label1_Click).
    void tick() { advance(4); }
    void click() { advance(2); }
    // Hides the opening at once: the title screen shown again during a run does not play it twice.
    void skip() { hidden_ = true; }

    int16_t counter() const { return counter_; }
    bool hidden() const { return hidden_; }
    // The caption on the picture: the maker's at first, the game's title from the second step on.
    const char* caption() const { return counter_ > 1 ? kOpeningTitle : kMakersCaption; }

private:
    void advance(int hideAbove);

    int16_t counter_ = 0;
    bool hidden_ = false;
};

}  // namespace tei
