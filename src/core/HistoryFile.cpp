#include "core/HistoryFile.h"

#include <charconv>
#include <cmath>

#include "core/Numbers.h"

namespace tei {

namespace {

constexpr int kHistoryFields = 13;

bool wholeNumber(const std::string& s, int16_t& out) {
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || v < INT16_MIN || v > INT16_MAX) return false;
    out = static_cast<int16_t>(v);
    return true;
}

bool realNumber(const std::string& s, double& out) {
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return false;
    out = v;
    return true;
}

// A row from its thirteen fields; false when one of them is not what the column holds.
bool readRow(const std::vector<std::string>& f, HistoryRow& row) {
    if (f.size() != kHistoryFields) return false;
    int16_t alive = 0;
    row.name = f[2];
    if (!wholeNumber(f[0], row.year) || !wholeNumber(f[1], row.faction) || !wholeNumber(f[3], alive) ||
        (alive != 0 && alive != 1) || !wholeNumber(f[4], row.troops) || !wholeNumber(f[5], row.elite) ||
        !wholeNumber(f[6], row.fame) || !wholeNumber(f[7], row.awe) || !wholeNumber(f[8], row.order) ||
        !wholeNumber(f[9], row.cohesion) || !wholeNumber(f[10], row.officers) || !wholeNumber(f[11], row.alliance) ||
        !realNumber(f[12], row.score))
        return false;
    row.alive = alive == 1;
    return true;
}

bool isHeader(const std::vector<std::string>& fields) {
    std::string joined;
    for (const auto& f : fields) joined += (joined.empty() ? "" : ",") + f;
    return fields.size() == kHistoryFields && joined == kHistoryHeader;
}

}  // namespace

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string scoreText(double score) {
    std::string s = Str(score);
    if (s.starts_with(' ')) s.erase(0, 1);
    if (s.starts_with('.')) s.insert(0, "0");
    if (s.starts_with("-.")) s.insert(1, "0");
    return s;
}

std::string formatHistoryRow(const HistoryRow& r) {
    std::string out;
    out.reserve(96);
    auto n = [&out](int v) {
        char buf[8];
        out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
        out += ',';
    };
    n(r.year);
    n(r.faction);
    out += csvField(r.name);
    out += ',';
    for (int v : {r.alive ? 1 : 0, int{r.troops}, int{r.elite}, int{r.fame}, int{r.awe}, int{r.order}, int{r.cohesion},
                  int{r.officers}, int{r.alliance}})
        n(v);
    out += scoreText(r.score);
    out += kCrLf;
    return out;
}

HistoryText parseHistory(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    HistoryText out;
    std::vector<std::string> fields;
    std::string field;
    bool inQuotes = false;
    bool afterQuote = false;  // a quoted field was closed: only a comma or the line end may follow
    bool bad = false;
    int line = 1;
    int recordLine = 1;
    auto endRecord = [&] {
        fields.push_back(std::move(field));
        field.clear();
        HistoryRow row;
        bool blank = fields.size() == 1 && fields[0].empty() && !afterQuote;
        if (blank || (!bad && isHeader(fields))) {
            // nothing to read
        } else if (!bad && readRow(fields, row)) {
            out.rows.push_back(std::move(row));
        } else {
            out.badLines.push_back(recordLine);
        }
        fields.clear();
        bad = afterQuote = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                inQuotes = false;
                afterQuote = true;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
        } else if (c == ',') {
            fields.push_back(std::move(field));
            field.clear();
            afterQuote = false;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            if (c == '\r') ++i;
            endRecord();
            recordLine = ++line;
        } else if (c == '"' && field.empty() && !afterQuote) {
            inQuotes = true;
        } else {
            if (afterQuote) bad = true;
            field += c;
        }
    }
    if (inQuotes) bad = true;
    if (bad || !field.empty() || !fields.empty() || afterQuote) endRecord();
    return out;
}

std::string emptyHistory() { return std::string(kHistoryHeader) + kCrLf; }

void startHistory(const GameFolder& folder) { folder.writeText(folder.ini(kHistoryFile), emptyHistory()); }

void appendHistory(const GameFolder& folder, const std::vector<HistoryRow>& rows) {
    auto path = folder.ini(kHistoryFile);
    std::string text;
    try {
        text = folder.readBytes(path);
        if (!text.empty() && text.back() != '\n') text += kCrLf;
    } catch (const FileError& e) {
        if (e.kind() != FileError::Kind::Missing) throw;
        text = emptyHistory();
    }
    for (const HistoryRow& r : rows) text += formatHistoryRow(r);
    folder.writeText(path, text);
}

}  // namespace tei
