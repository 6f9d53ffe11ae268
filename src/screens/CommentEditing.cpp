#include "screens/CommentEditing.h"

#include <algorithm>
#include <vector>

#include "core/Numbers.h"
#include "core/OfficerRecordFile.h"
#include "core/RecordFiles.h"
#include "core/Scenarios.h"
#include "core/TextLines.h"

namespace tei {

namespace {

bool startsWithStop(std::string_view line) { return !line.empty() && line[0] == '.'; }

// The number after the leading "." of a line; 0 for a record's closing line.
int markerNumber(std::string_view line) { return Val16(line.substr(1)); }

bool blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string commentItem(std::string_view line) {
    bool bare =
        line.find_first_of(",\r\n") == std::string_view::npos &&
        (line.empty() || (!blank(line.front()) && !blank(line.back()) && line.front() != '.' && line.front() != '"'));
    if (bare) return std::string(line);
    std::string out = "\"";
    for (char c : line) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string commentLines(std::string_view typed) {
    auto lines = splitLines(typed);
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    std::string out;
    for (auto line : lines) {
        if (line.starts_with(kCommentIndent)) line.remove_prefix(std::char_traits<char>::length(kCommentIndent));
        out += commentItem(line) + kCrLf;
    }
    return out;
}

std::optional<CommentRewrite> rewriteComments(std::string_view fileText, int commentID, std::string_view name,
                                              std::string_view typed, int heldAbove) {
    auto lines = splitLines(fileText);
    std::string record = commentItem(name) + kCrLf + commentLines(typed) + "." + kCrLf;
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
        int next = std::max(highest, heldAbove) + 1;
        if (next == kFictionalCommentId) ++next;
        if (next > 32767) return std::nullopt;
        result.newCommentId = static_cast<int16_t>(next);
        out += "." + std::to_string(next) + kCrLf + record;
    }
    return result;
}

EditOutcome sv_Cmt_rtn(const GameFolder& folder, int scenarioNo, Bushou& officer, std::string_view name,
                       std::string_view typed) {
    auto comments = folder.ini(kCommentFile);
    auto working = folder.ini(kOfficerFile);
    try {
        // A number an officer holds is not free, even when the comment file lacks its record.
        int held = 0;
        for (const auto& r : *readOfficerFile(folder, working))
            if (r.officer.commentID != kFictionalCommentId) held = std::max<int>(held, r.officer.commentID);
        auto rewrite = rewriteComments(folder.readText(comments), officer.commentID, name, typed, held);
        if (!rewrite)
            return {false, "ファイル「" + folder.display(comments) + "」にはこれ以上コメントを追加できません。"};
        if (rewrite->newCommentId == 0) {
            GameFolder::DeferredWrites step(folder);
            folder.copyFile(comments, folder.ini(kCommentSnapshot));
            folder.writeText(comments, rewrite->text);
            step.commit();
            return {true, {}};
        }

        // A new number goes into the officer's record of the game's file and, as the register carries
        // the job, of the scenario's master: a new game makes the officer file from the master, and
        // would otherwise leave the comment without its officer. Fictional officers have no record
        // there. The new record and the officer pointing at it are written as one step.
        std::string workingText = folder.readText(working);
        auto stored = parseOfficerRecord(workingText, officer.id);
        if (!stored || officer.id <= 0)
            return {false,
                    "ファイル「" + folder.display(working) + "」に武将" + Str(officer.id) + " の記録がありません。"};
        stored->commentID = rewrite->newCommentId;
        auto master = folder.ini(officerMasterName(scenarioNo));
        std::string masterText = folder.readText(master);
        auto inMaster = parseOfficerRecord(masterText, officer.id);

        GameFolder::DeferredWrites step(folder);
        folder.copyFile(comments, folder.ini(kCommentSnapshot));
        folder.copyFile(working, folder.ini(kOfficerSnapshot));
        folder.writeText(comments, rewrite->text);
        folder.writeText(working, replaceOfficerRecord(workingText, *stored));
        if (inMaster) {
            inMaster->commentID = rewrite->newCommentId;
            folder.writeText(master, replaceOfficerRecord(masterText, *inMaster));
        }
        step.commit();
        officer.commentID = rewrite->newCommentId;
    } catch (const FileError& e) {
        return {false, e.message()};
    }
    return {true, {}};
}

}  // namespace tei
