#include "screens/CommentEditing.h"

#include <algorithm>
#include <vector>

#include "core/Numbers.h"
#include "core/OfficerRecordFile.h"
#include "core/RecordFiles.h"

namespace tei {

namespace {

inline constexpr const char* kFullWidthStop = "．";

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

bool startsWithStop(std::string_view line) { return !line.empty() && line[0] == '.'; }

// The number after the leading "." of a line; 0 for a record's closing line.
int markerNumber(std::string_view line) { return Val16(line.substr(1)); }

// A line with every item-leading "." made full width.
std::string guarded(std::string_view line) {
    std::string out;
    bool itemStart = true;
    for (char c : line) {
        if (itemStart && c == '.') {
            out += kFullWidthStop;
            itemStart = false;
            continue;
        }
        out += c;
        if (c == ',')
            itemStart = true;
        else if (c != ' ' && c != '\t')
            itemStart = false;
    }
    return out;
}

}  // namespace

std::string commentLines(std::string_view typed) {
    auto lines = splitLines(typed);
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    std::string out;
    for (auto line : lines) out += guarded(line) + kCrLf;
    return out;
}

std::optional<CommentRewrite> rewriteComments(std::string_view fileText, int commentID, std::string_view name,
                                              std::string_view typed) {
    auto lines = splitLines(fileText);
    std::string record = guarded(name) + kCrLf + commentLines(typed) + "." + kCrLf;
    CommentRewrite result;
    std::string& out = result.text;
    bool found = false;
    int highest = 0;
    size_t i = 0;
    while (i < lines.size()) {
        std::string_view line = lines[i++];
        // Outside a record only a header counts; closing lines, stray text and the records of 0
        // and 200 are passed over.
        if (!startsWithStop(line)) continue;
        int n = markerNumber(line);
        if (n <= 0 || n == kFictionalCommentId) continue;
        highest = std::max(highest, n);
        out.append(line).append(kCrLf);
        if (n == commentID && !found) {
            found = true;
            out += record;
            continue;  // the old lines are passed over by the loop
        }
        // Copy the record up to its closing line; a record cut short by the next header or by the
        // end of the file is closed here.
        bool closed = false;
        while (i < lines.size()) {
            std::string_view body = lines[i];
            if (startsWithStop(body) && markerNumber(body) > 0) break;
            out.append(body).append(kCrLf);
            ++i;
            if (startsWithStop(body)) {
                closed = true;
                break;
            }
        }
        if (!closed) out += std::string(".") + kCrLf;
    }
    if (!found) {
        int next = highest + 1;
        if (next == kFictionalCommentId) ++next;
        if (next > 32767) return std::nullopt;
        result.newCommentId = static_cast<int16_t>(next);
        out += "." + std::to_string(next) + kCrLf + record;
    }
    return result;
}

EditOutcome sv_Cmt_rtn(GameFolder& folder, Bushou& officer, std::string_view name, std::string_view typed) {
    auto comments = folder.ini(kCommentFile);
    auto working = folder.ini(kOfficerFile);
    try {
        auto rewrite = rewriteComments(folder.readText(comments), officer.commentID, name, typed);
        if (!rewrite)
            return {false, "ファイル「" + folder.display(comments) + "」にはこれ以上コメントを追加できません。"};
        std::optional<Bushou> stored;
        if (rewrite->newCommentId != 0) {
            stored = parseOfficerRecord(folder.readText(working), officer.id);
            if (!stored || officer.id <= 0)
                return {false, "ファイル「" + folder.display(working) + "」に武将" + Str(officer.id) +
                                   " の記録がありません。"};
            stored->commentID = rewrite->newCommentId;
        }
        // A new record and the officer pointing at it are written together: without him it would be lost.
        GameFolder::DeferredWrites step(folder);
        folder.copyFile(comments, folder.ini(kCommentSnapshot));
        folder.writeText(comments, rewrite->text);
        if (stored) writeOfficerRecord(folder, working, *stored);
        step.commit();
        if (stored) officer.commentID = rewrite->newCommentId;
    } catch (const FileError& e) {
        return {false, e.message()};
    }
    return {true, {}};
}

}  // namespace tei
