// The chronicle: the cutting into one page per year for the reader, the reader's paging, and the
// insertion of a year's pages before the end line. When no page carries an end line of its own the
// chronicle keeps exactly one "EOT=======", as its last line, whatever the old log held.

#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "messages/Chronicle.h"
#include "messages/ChronicleReader.h"
#include "messages/MessagePages.h"

using namespace tei;
using tei::fuzz::require;

namespace {

int endLines(std::string_view text) {
    int n = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line == kChronicleEnd) ++n;
        start = end + 1;
    }
    return n;
}

}  // namespace

// Input: the old log, NUL, the year's pages separated by \x01 ("EOT" pages allowed), NUL, presses of
// the reader's buttons.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto parts = fuzz::split(fuzz::bytes(data, size), '\0', 3);
    std::string_view log = parts[0];
    std::string_view pageText = parts.size() > 1 ? parts[1] : std::string_view();
    std::string_view presses = parts.size() > 2 ? parts[2] : std::string_view();

    ChroniclePages cut = cutChronicle(log);
    for (int p = 0; p < ChroniclePages::kCount; ++p) {
        const std::string& text = cut.pages[static_cast<size_t>(p)];
        size_t lines = 0;
        for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
        require(lines >= static_cast<size_t>(cut.lineCounts[static_cast<size_t>(p)]), "line counts match the page");
    }
    ChronicleReader reader;
    reader.load(log);
    for (char c : presses) {
        if (reader.Command1_Click(static_cast<unsigned char>(c) % 4)) break;
        require(reader.page() >= 0 && reader.page() <= 39, "the reader shows pages 0..39");
        (void)reader.shownLabelHeight();
    }

    MessagePages pages;
    auto texts = fuzz::split(pageText, '\x01', 41);
    bool ownEnd = false;
    for (size_t i = 0; i < texts.size(); ++i) {
        pages.at(static_cast<int>(i)) = std::string(texts[i]);
        ownEnd = ownEnd || endLines(texts[i]) > 0;
    }
    std::string out = appendYear(log, pages);
    require(out.ends_with("EOT=======\r\n"), "the chronicle ends with its end line");
    if (!ownEnd) require(endLines(out) == 1, "the chronicle holds one end line");
    std::string twice = appendYear(out, pages);
    if (!ownEnd) require(endLines(twice) == 1, "a second year keeps one end line");
    require(twice.size() >= out.size() - 12, "a second year keeps the first");
    return 0;
}
