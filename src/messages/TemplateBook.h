#pragma once
// The numbered text templates of ini/Text.ini (narrative) and ini/Command.ini (descriptions).
//
// A record starts with a header line "." + number. Inside a record each line is one piece:
//   a line beginning "."   a line break (the rest of the line is ignored; the next header counts too)
//   a line beginning ".."  a line break, then the end of the record
//   a line beginning "+"   the first argument          a line beginning "*"   the second argument
//   a line beginning "/"   a page break (narrative) or "forget the text so far" (descriptions)
//   any other line         appended as it is, with no separator
// A record without ".." runs on into the next one. The search stops at the first header numbered
// 100 or more, so such records are out of reach unless asked for first. A missing record adds nothing.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/GameFolder.h"
#include "messages/MessagePages.h"

namespace tei {

inline constexpr const char* kTextTemplates = "Text.ini";
inline constexpr const char* kCommandTemplates = "Command.ini";

class TemplateBook {
public:
    TemplateBook() = default;
    explicit TemplateBook(std::string text);
    // Reads ini/<name>. Throws FileError.
    static TemplateBook load(const GameFolder& folder, std::string_view name);

    // Appends template textNo to the current page; a "/" line moves to the next page.
    void append(int textNo, std::string_view arg1, std::string_view arg2, MessagePages& pages) const;
    // Template textNo as one text; a "/" line empties what was gathered so far.
    std::string single(int textNo, std::string_view arg1, std::string_view arg2) const;
    // True when a header with this number can be reached.
    bool has(int textNo) const { return headerLine(textNo) >= 0; }

private:
    long headerLine(int textNo) const;
    template <class Sink>
    void compose(int textNo, std::string_view arg1, std::string_view arg2, Sink&& sink) const;

    std::shared_ptr<const std::string> text_;  // shared, so copies keep the lines valid
    std::vector<std::string_view> lines_;
    std::vector<std::pair<int, long>> headers_;  // reachable headers in file order: number, line index
};

}  // namespace tei
