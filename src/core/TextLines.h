#pragma once
// Whole lines of a text, as the game's line-by-line readers take them: CR LF or LF ends a line and is
// not part of it, a last line without a line end counts, and an empty text has no lines.

#include <string_view>
#include <vector>

namespace tei {

// Calls f(line) for every line; f returns false to stop.
template <class F>
void forEachLine(std::string_view text, F&& f) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!f(line)) return;
        start = end + 1;
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
