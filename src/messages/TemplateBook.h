#pragma once
// The numbered text templates of ini/Text.ini (narrative) and ini/Command.ini (descriptions).
//
// A record starts with a header line "." + number. Inside a record each line is one piece:
//   a line beginning "."   a line break (the rest of the line is ignored; the next header counts too)
//   a line beginning ".."  a line break, then the end of the record
//   a line beginning "+"   the first argument          a line beginning "*"   the second argument
//   a line beginning "/"   a page break (narrative) or "forget the text so far" (descriptions)
//   any other line         appended as it is, with no separator
// A record without ".." runs on into the next one. The search reads the file from the top and goes on
// after a record it appended, so every record of the number is appended in file order (a header that
// a record ran into is that record's line break, not another match). It stops after the first header
// numbered 100 or more, so records after it are out of reach. A missing record adds nothing.

#include <map>
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
    bool has(int textNo) const { return records_.contains(textNo); }

private:
    template <class Sink>
    void compose(int textNo, std::string_view arg1, std::string_view arg2, Sink&& sink) const;

    std::shared_ptr<const std::string> text_;  // shared, so copies keep the lines valid
    std::vector<std::string_view> lines_;
    // By number: the header line of every record the search appends for it, in file order.
    std::map<int, std::vector<size_t>> records_;
};

}  // namespace tei
