#pragma once
// Whole lines of a text, as the game's line-by-line readers take them: CR LF, LF or a lone CR ends a
// line and is not part of it (the item reader ends an item at the same three), a last line without a
// line end counts, and an empty text has no lines.

#include <string_view>
#include <vector>

namespace tei {

// Calls f(line) for every line; f returns false to stop.
template <class F>
void forEachLine(std::string_view text, F&& f) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        if (!f(text.substr(start, end - start))) return;
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
}

inline std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    forEachLine(text, [&](std::string_view line) {
        lines.push_back(line);
        return true;
    });
    return lines;
}

}  // namespace tei
