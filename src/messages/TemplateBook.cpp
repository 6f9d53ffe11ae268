#include "messages/TemplateBook.h"

#include "core/Numbers.h"
#include "core/TextLines.h"

namespace tei {

TemplateBook::TemplateBook(std::string text) : text_(std::make_shared<const std::string>(std::move(text))) {
    std::string_view all(*text_);
    if (all.starts_with("\xEF\xBB\xBF")) all.remove_prefix(3);
    lines_ = splitLines(all);
    // Every line beginning with "." is looked at as a header while searching; the search ends at the
    // first one numbered 100 or more.
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].empty() || lines_[i][0] != '.') continue;
        int n = Val16(lines_[i].substr(1));
        headers_.emplace_back(n, static_cast<long>(i));
        if (n >= 100) break;
    }
}

TemplateBook TemplateBook::load(const GameFolder& folder, std::string_view name) {
    return *folder.readParsed<TemplateBook>(folder.ini(name),
                                            [](std::string_view text) { return TemplateBook(std::string(text)); });
}

long TemplateBook::headerLine(int textNo) const {
    for (const auto& [n, line] : headers_)
        if (n == textNo) return line;
    return -1;
}

template <class Sink>
void TemplateBook::compose(int textNo, std::string_view arg1, std::string_view arg2, Sink&& sink) const {
    long header = headerLine(textNo);
    if (header < 0) return;
    for (size_t i = static_cast<size_t>(header) + 1; i < lines_.size(); ++i) {
        std::string_view line = lines_[i];
        char first = line.empty() ? '\0' : line[0];
        if (first == '.') {
            sink.text(kCrLf);
            if (line.starts_with("..")) return;
        } else if (first == '+') {
            sink.text(arg1);
        } else if (first == '*') {
            sink.text(arg2);
        } else if (first == '/') {
            sink.pageBreak();
        } else {
            sink.text(line);
        }
    }
}

void TemplateBook::append(int textNo, std::string_view arg1, std::string_view arg2, MessagePages& pages) const {
    struct {
        MessagePages& pages;
        void text(std::string_view s) { pages.append(s); }
        void pageBreak() { pages.nextPage(); }
    } sink{pages};
    compose(textNo, arg1, arg2, sink);
}

std::string TemplateBook::single(int textNo, std::string_view arg1, std::string_view arg2) const {
    struct {
        std::string out;
        void text(std::string_view s) { out.append(s); }
        void pageBreak() { out.clear(); }
    } sink;
    compose(textNo, arg1, arg2, sink);
    return sink.out;
}

}  // namespace tei
