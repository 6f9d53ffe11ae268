#include "core/RecordSchema.h"

#include <cassert>
#include <charconv>

#include "core/GameFolder.h"
#include "core/ItemReader.h"
#include "core/Numbers.h"

namespace tei {

namespace {

void appendNumber(std::string& out, int16_t v) {
    char buf[8];
    auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    out.append(buf, end);
}

// A text in double quotes reads back when it holds no quote and no line break.
bool readsBackQuoted(const std::string& s) { return s.find_first_of("\"\r\n") == std::string::npos; }

// A bare text reads back when nothing in it ends the item early or makes it something else: no comma
// and no line break, no blank at either end (the reader trims them), and no quote or "." at its start
// (a quoted item, a marker). A quote further in is kept.
bool readsBackBare(const std::string& s) {
    if (s.find_first_of(",\r\n") != std::string::npos) return false;
    if (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.back() == ' ' || s.back() == '\t')) return false;
    return s.empty() || (s.front() != '.' && s.front() != '"');
}

void appendText(std::string& out, const std::string& s, Quote q) {
    assert(q != Quote::None && "the writer does not write this record");
    if (q == Quote::WhenNeeded) {
        out += bareOrQuoted(s);
        return;
    }
    // In double quotes as this writer writes every text, except one holding a quote, which the
    // quotes would cut short: that one stands bare, where a quote past its first character is kept.
    if (!readsBackQuoted(s)) {
        out += s;
        return;
    }
    out += '"';
    out += s;
    out += '"';
}

const char* flagText(bool set) { return set ? "TRUE" : "FALSE"; }

}  // namespace

bool readsBack(const std::string& text) { return readsBackBare(text) || readsBackQuoted(text); }

std::string bareOrQuoted(const std::string& text) {
    if (readsBackBare(text) || !readsBackQuoted(text)) return text;
    return "\"" + text + "\"";
}

template <class Record>
int readFields(FieldReader& in, Record& r, std::string* flag) {
    int n = 0;
    std::string ignored;
    for (const auto& f : layoutOf<Record>()) {
        bool had = false;
        switch (f.kind) {
            case FieldKind::Text:
                had = in.text(r.*f.text);
                break;
            case FieldKind::Number:
                had = in.number(r.*f.number);
                break;
            case FieldKind::Flag:
                had = in.text(flag ? *flag : ignored);
                break;
        }
        if (!had) break;
        ++n;
    }
    return n;
}

template <class Record>
void appendFields(std::string& out, const Record& r, RecordWriter writer, const std::string* flag) {
    const auto& fields = layoutOf<Record>();
    const auto w = static_cast<size_t>(writer);
    for (size_t i = 0; i < fields.size(); ++i) {
        const auto& f = fields[i];
        if (i > 0) out += f.line != fields[i - 1].line ? kCrLf : ",";
        switch (f.kind) {
            case FieldKind::Text:
                appendText(out, r.*f.text, f.quote[w]);
                break;
            case FieldKind::Number:
                appendNumber(out, r.*f.number);
                break;
            case FieldKind::Flag:
                appendText(out, flag ? *flag : std::string(flagText(r.*f.flag)), f.quote[w]);
                break;
        }
    }
    out += kCrLf;
}

template <class Record>
bool readsBackAsWritten(const Record& r, const std::string* flag) {
    for (const auto& f : layoutOf<Record>()) {
        if (f.kind == FieldKind::Text && !readsBack(r.*f.text)) return false;
        if (f.kind == FieldKind::Flag && flag && !readsBack(*flag)) return false;
    }
    return true;
}

template <class Record>
void copyFields(const Record& from, int count, Record& to) {
    const auto& fields = layoutOf<Record>();
    for (int k = 0; k < count && k < static_cast<int>(fields.size()); ++k) {
        const auto& f = fields[static_cast<size_t>(k)];
        if (f.kind == FieldKind::Text) to.*f.text = from.*f.text;
        if (f.kind == FieldKind::Number) to.*f.number = from.*f.number;
    }
}

template <class Record>
int16_t numberAt(const Record& r, int k) {
    const auto& fields = layoutOf<Record>();
    if (k < 0 || k >= static_cast<int>(fields.size())) return 0;
    const auto& f = fields[static_cast<size_t>(k)];
    return f.kind == FieldKind::Number ? r.*f.number : int16_t{0};
}

template <class Record>
void setFromText(Record& r, int k, const std::string& text) {
    const auto& fields = layoutOf<Record>();
    if (k < 0 || k >= static_cast<int>(fields.size())) return;
    const auto& f = fields[static_cast<size_t>(k)];
    if (f.kind == FieldKind::Text) r.*f.text = text;
    if (f.kind == FieldKind::Number) r.*f.number = Val16(text);
}

#define TEI_RECORD_SCHEMA(Record)                                                                      \
    template int readFields<Record>(FieldReader&, Record&, std::string*);                              \
    template void appendFields<Record>(std::string&, const Record&, RecordWriter, const std::string*); \
    template bool readsBackAsWritten<Record>(const Record&, const std::string*);                       \
    template void copyFields<Record>(const Record&, int, Record&);                                     \
    template int16_t numberAt<Record>(const Record&, int);                                             \
    template void setFromText<Record>(Record&, int, const std::string&);
TEI_RECORD_SCHEMA(Bushou)
TEI_RECORD_SCHEMA(gun)
#undef TEI_RECORD_SCHEMA

}  // namespace tei
