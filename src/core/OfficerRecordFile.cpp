#include "core/OfficerRecordFile.h"

#include <vector>

#include "core/ItemReader.h"
#include "core/Numbers.h"
#include "core/RecordFiles.h"
#include "core/TextLines.h"

namespace tei {

std::optional<Bushou> parseOfficerRecord(std::string_view text, int number) {
    ItemReader items(text);
    while (auto marker = items.nextMarker()) {
        if (marker->markerNumber() != number) continue;
        Bushou b;
        FieldReader fields(items);
        readFields(fields, b);
        b.id = static_cast<int16_t>(number);
        return b;
    }
    return std::nullopt;
}

std::optional<Bushou> readOfficerRecord(const GameFolder& folder, const std::filesystem::path& file, int number) {
    return parseOfficerRecord(folder.readText(file), number);
}

namespace {

bool isMarkerLine(std::string_view line) { return !line.empty() && line[0] == '.'; }

}  // namespace

std::string replaceOfficerRecord(std::string_view text, const Bushou& b) {
    auto lines = splitLines(text);
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        out.append(lines[i]).append(kCrLf);
        if (!(isMarkerLine(lines[i]) && b.id > 0 && Val16(lines[i].substr(1)) == b.id)) continue;
        appendFields(out, b, RecordWriter::Editor);
        // Pass over the old record's lines (fewer when it was cut short).
        for (int k = 0; k < linesAfterMarker<Bushou>() && i + 1 < lines.size() && !isMarkerLine(lines[i + 1]); ++k) ++i;
    }
    return out;
}

void writeOfficerRecord(const GameFolder& folder, const std::filesystem::path& file, const Bushou& b) {
    auto snapshot = folder.ini(kOfficerSnapshot);
    folder.snapshotFile(file, snapshot);
    folder.writeText(file, replaceOfficerRecord(folder.readText(snapshot), b));
}

std::string commentFromText(std::string_view text, int commentID) {
    if (commentID == 0) return {};
    if (commentID == kFictionalCommentId) return kFictionalComment;
    ItemReader items(text, ItemReader::Quotes::Doubled);
    while (auto marker = items.nextMarker()) {
        if (marker->markerNumber() != commentID) continue;
        std::string comment;
        items.next();  // the officer's name, kept for the reader of the file only
        while (auto item = items.peek()) {
            if (item->isMarker() && item->startsLine) break;
            items.next();
            comment += kCommentIndent + item->text + kCrLf;
        }
        return comment;
    }
    return {};
}

std::string ld_Comment_rtn(const GameFolder& folder, int commentID) {
    if (commentID == 0 || commentID == kFictionalCommentId) return commentFromText({}, commentID);
    return commentFromText(folder.readText(folder.ini(kCommentFile)), commentID);
}

}  // namespace tei
