#pragma once
// The page store of the message window: pages of text, each many lines separated by CR LF, and the
// index of the page being composed or shown. A page whose text is exactly "EOT" marks the end: the
// page before it is the last page.
//
// Composition never moves past the last composable page (39 of the window's 41), so the "EOT" page
// after it always fits; text that would go further stays on that page.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tei {

inline constexpr const char* kEndOfPages = "EOT";

class MessagePages {
public:
    // The message window: pages 0..40, composition up to 39.
    MessagePages() : MessagePages(41, 39) {}
    MessagePages(int pageCount, int lastComposable);

    // clear_Text_rtn: every page empty. The page index is left alone.
    void clear_Text_rtn();
    std::string& current() { return pages_[static_cast<size_t>(page)]; }
    const std::string& current() const { return pages_[static_cast<size_t>(page)]; }
    void append(std::string_view text) { current().append(text); }
    // Moves composition to the next page, but never past the last composable page.
    void nextPage();
    // Writes "EOT" into the page after the current one.
    void markEnd();
    bool isEnd(int i) const { return i >= 0 && i < count() && pages_[static_cast<size_t>(i)] == kEndOfPages; }

    int count() const { return static_cast<int>(pages_.size()); }
    int lastComposable() const { return lastComposable_; }
    const std::string& at(int i) const { return pages_[static_cast<size_t>(i)]; }
    std::string& at(int i) { return pages_[static_cast<size_t>(i)]; }
    const std::vector<std::string>& all() const { return pages_; }

    int16_t page = 0;  // the page being composed, later the page being shown

private:
    std::vector<std::string> pages_;
    int lastComposable_;
};

}  // namespace tei
