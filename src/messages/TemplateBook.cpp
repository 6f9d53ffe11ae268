#include "messages/TemplateBook.h"

#include <algorithm>

#include "core/Numbers.h"
#include "core/TextLines.h"

namespace tei {

TemplateBook::TemplateBook(std::string text) : text_(std::make_shared<const std::string>(std::move(text))) {
    std::string_view all(*text_);
    if (all.starts_with("\xEF\xBB\xBF")) all.remove_prefix(3);
    lines_ = splitLines(all);
    // Every line beginning with "." is a header to the search, and a record reads on to the first line
    // beginning ".." after its header (or the end).
    std::map<int, std::vector<size_t>> headers;  // by number, in file order
    std::vector<size_t> far;                     // the headers numbered 100 or more
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].empty() || lines_[i][0] != '.') continue;
        int n = Val16(lines_[i].substr(1));
        headers[n].push_back(i);
        if (n >= 100) far.push_back(i);
    }
    std::vector<size_t> recordEnd(lines_.size() + 1, lines_.size());
    for (size_t i = lines_.size(); i-- > 0;) recordEnd[i] = lines_[i].starts_with("..") ? i : recordEnd[i + 1];
    // The search for each number, as the game makes it: from the top, the next header of the number
    // is appended unless a header of 100 or more comes first; the search goes on after that record's
    // end (headers inside it are its line breaks) and stops after a header of 100 or more.
    for (const auto& [number, lines] : headers) {
        std::vector<size_t> found;
        size_t resume = 0;
        for (;;) {
            auto next = std::lower_bound(lines.begin(), lines.end(), resume);
            if (next == lines.end()) break;
            auto stop = std::lower_bound(far.begin(), far.end(), resume);
            if (stop != far.end() && *stop < *next) break;
            found.push_back(*next);
            if (number >= 100) break;
            resume = recordEnd[*next + 1] + 1;
        }
        if (!found.empty()) records_.emplace(number, std::move(found));
    }
}

TemplateBook TemplateBook::load(const GameFolder& folder, std::string_view name) {
    return *folder.readParsed<TemplateBook>(folder.ini(name),
                                            [](std::string_view text) { return TemplateBook(std::string(text)); });
}

template <class Sink>
void TemplateBook::compose(int textNo, std::string_view arg1, std::string_view arg2, Sink&& sink) const {
    auto records = records_.find(textNo);
    if (records == records_.end()) return;
    for (size_t header : records->second) {
        for (size_t i = header + 1; i < lines_.size(); ++i) {
            std::string_view line = lines_[i];
            char first = line.empty() ? '\0' : line[0];
            if (first == '.') {
                sink.text(kCrLf);
                if (line.starts_with("..")) break;
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
