// The readers of the officer, faction and comment files and of the name lists, on any bytes: the
// item reader, the record scans, the whole-table loaders, the single-record reader and rewriter, and
// the comment lookup. Besides not crashing: what the whole-file writers write reads back to the same
// tables (formatting a loaded table twice gives the same bytes) whenever the texts can be written
// back at all, the one-record rewrite leaves only CR LF line ends, and a comment written by the
// comment editor reads back as it was typed.

#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "core/ItemReader.h"
#include "core/OfficerRecordFile.h"
#include "core/RecordFiles.h"
#include "screens/CommentEditing.h"
#include "setup/ScenarioSetup.h"

using namespace tei;
using tei::fuzz::require;

namespace {

// Officers loaded and written back: enough records for every kind of cut and order, few enough to
// keep the runs quick.
constexpr int kCount = 40;

void items(std::string_view text) {
    ItemReader reader(text);
    int guard = 0;
    while (auto item = reader.next()) {
        require(item->text.find('\n') == std::string::npos, "an item holds no line end");
        if (!item->quoted) require(item->text.find(',') == std::string::npos, "a bare item holds no comma");
        (void)item->number();
        if (item->isMarker()) (void)item->markerNumber();
        require(++guard <= static_cast<int>(text.size()) + 1, "the item reader comes to an end");
    }
    require(reader.atEnd(), "no item is left at the end");
    (void)parseNameList(text, kFamilyNamesRead);
}

void officers(std::string_view text) {
    OfficerFile file = parseOfficerFile(text);
    OfficerTable first{};
    fillOfficers(file, kCount, first);
    FactionTable factions{};
    parseFactions(text, 13, factions);
    deriveFactions(first, factions, kCount, 13);
    bool plain = true;
    for (int i = 1; i <= kCount; ++i)
        plain = plain && fuzz::plainQuoted(first[i].name) && fuzz::plainQuoted(first[i].jpg);
    std::string once = formatOfficers(first, kCount);
    OfficerTable second{};
    parseOfficers(once, kCount, second);
    if (plain) require(formatOfficers(second, kCount) == once, "officer file reads back as written");

    // The single-record routines of the status screen and the editors.
    int wanted = file.empty() ? 1 : file.front().number;
    auto b = parseOfficerRecord(text, wanted);
    Bushou edited = b ? *b : Bushou{};
    edited.id = static_cast<int16_t>(wanted);
    std::string rewritten = replaceOfficerRecord(text, edited);
    for (size_t at = rewritten.find('\n'); at != std::string::npos; at = rewritten.find('\n', at + 1))
        require(at > 0 && rewritten[at - 1] == '\r', "the rewritten file ends every line with CR LF");
}

void factions(std::string_view text) {
    FactionTable first{};
    parseFactions(text, 13, first);
    bool plain = true;
    for (int i = 1; i <= 13; ++i) plain = plain && fuzz::plainQuoted(first[i].name);
    std::string once = formatFactions(first, 13);
    FactionTable second{};
    parseFactions(once, 13, second);
    if (!plain) return;
    require(formatFactions(second, 13) == once, "faction file reads back as written");
    for (int i = 1; i <= 13; ++i) require(second[i].del == first[i].del, "the fallen flag survives");
}

void comments(std::string_view text, const OfficerFile& records) {
    for (int id : {0, 1, 2, 199, 200, 32767, -1}) (void)commentFromText(text, id);
    for (size_t i = 0; i < records.size() && i < 8; ++i) {
        if (records[i].number == kFictionalCommentId) continue;  // a fixed text of one line, no lookup
        std::string c = commentFromText(text, records[i].number);
        require(c.empty() || c.ends_with("\r\n"), "a comment ends with a line end");
    }
    // The comment editor on the bytes as typed: the comment shown afterwards, confirmed unchanged,
    // writes the same file, and the record before it keeps its own comment.
    const std::string before = ".1\r\n甲\r\na\r\n.\r\n";
    std::string name(text.substr(0, 24));  // an officer's name: one line
    std::erase_if(name, [](char c) { return c == '\r' || c == '\n'; });
    auto first = rewriteComments(before, 0, name, text);
    require(first && first->newCommentId == 2, "a new comment gets the next number");
    auto again = rewriteComments(first->text, 2, name, commentFromText(first->text, 2));
    require(again && again->text == first->text, "a comment confirmed unchanged writes the same file");
    require(commentFromText(first->text, 1) == "  a\r\n", "the comment before stays whole");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text = fuzz::bytes(data, size);
    items(text);
    officers(text);
    factions(text);
    comments(text, parseOfficerFile(text));
    return 0;
}
