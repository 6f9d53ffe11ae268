#pragma once
// The layouts of the officer record and the faction record, each listed once: every field a file
// stores, in file order, with its kind, the line of the record it stands on, and how each writer
// quotes it. Every reader and writer of the two records goes through these lists; only the record's
// marker (".n", line 1) is left to them, as each has its own rule for it.
//
// Officer record, seven lines:  .n / name / policy,fight,wisdom,tactics / charm,Setu / kunID,Job /
//                               picture / commentID
// Faction record, four lines:   .n / name / meishuID,kunshuID,army,seihei,meisei,tian,kessoku,ifu /
//                               the fallen flag
//
// The comment record has no fixed fields (a name, then any number of lines up to a "." line), so its
// readers and its writer work on lines and items instead.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "core/Records.h"

namespace tei {

class FieldReader;

enum class FieldKind : uint8_t {
    Text,    // bare or in double quotes
    Number,  // a 16-bit integer in decimal
    Flag,    // "TRUE" or "FALSE"; its readers each take the text their own way, so it is read as text
};

// The writers of the two record files.
enum class RecordWriter : uint8_t {
    WholeFile,   // the resolution's rewrite of the officer file and the faction file from its tables
    NewGame,     // the new game's officer file with the fictional officers
    OneFaction,  // the year end's rewrite of one faction record
    Editor,      // the officer editor's rewrite of one officer record
};
inline constexpr size_t kRecordWriters = 4;

// How a writer puts a text or a flag. Both ways keep every text that either form can hold: a text read
// from a file always reads back written one way or the other.
enum class Quote : uint8_t {
    None,        // this writer never writes the record
    Always,      // in double quotes; bare when the text holds a double quote, which quotes cannot hold
    WhenNeeded,  // bare when it reads back so, else in double quotes (bareOrQuoted)
};
// A field's quoting by writer, in RecordWriter order: whole file, new game, one faction, editor.
using Quoting = std::array<Quote, kRecordWriters>;

template <class Record>
struct RecordField {
    const char* name;
    FieldKind kind;
    int line;                             // the line of the record it stands on; the marker is line 1
    int16_t Record::*number = nullptr;    // Number fields
    std::string Record::*text = nullptr;  // Text fields
    bool Record::*flag = nullptr;         // Flag fields
    Quoting quote{};                      // Text and Flag fields
};

namespace layout {
template <class R>
constexpr RecordField<R> text(const char* name, int line, std::string R::*m, Quoting q) {
    return {name, FieldKind::Text, line, nullptr, m, nullptr, q};
}
template <class R>
constexpr RecordField<R> number(const char* name, int line, int16_t R::*m) {
    return {name, FieldKind::Number, line, m};
}
template <class R>
constexpr RecordField<R> flag(const char* name, int line, bool R::*m, Quoting q) {
    return {name, FieldKind::Flag, line, nullptr, nullptr, m, q};
}
}  // namespace layout

inline constexpr std::array<RecordField<Bushou>, 11> kOfficerLayout = {
    layout::text<Bushou>("name", 2, &Bushou::name, {Quote::WhenNeeded, Quote::Always, Quote::None, Quote::WhenNeeded}),
    layout::number<Bushou>("policy", 3, &Bushou::policy),
    layout::number<Bushou>("fight", 3, &Bushou::fight),
    layout::number<Bushou>("wisdom", 3, &Bushou::wisdom),
    layout::number<Bushou>("tactics", 3, &Bushou::tactics),
    layout::number<Bushou>("charm", 4, &Bushou::charm),
    layout::number<Bushou>("Setu", 4, &Bushou::Setu),
    layout::number<Bushou>("kunID", 5, &Bushou::kunID),
    layout::number<Bushou>("Job", 5, &Bushou::Job),
    layout::text<Bushou>("jpg", 6, &Bushou::jpg, {Quote::Always, Quote::Always, Quote::None, Quote::WhenNeeded}),
    layout::number<Bushou>("commentID", 7, &Bushou::commentID),
};

inline constexpr std::array<RecordField<gun>, 10> kFactionLayout = {
    layout::text<gun>("name", 2, &gun::name, {Quote::WhenNeeded, Quote::None, Quote::Always, Quote::None}),
    layout::number<gun>("meishuID", 3, &gun::meishuID),
    layout::number<gun>("kunshuID", 3, &gun::kunshuID),
    layout::number<gun>("army", 3, &gun::army),
    layout::number<gun>("seihei", 3, &gun::seihei),
    layout::number<gun>("meisei", 3, &gun::meisei),
    layout::number<gun>("tian", 3, &gun::tian),
    layout::number<gun>("kessoku", 3, &gun::kessoku),
    layout::number<gun>("ifu", 3, &gun::ifu),
    layout::flag<gun>("del", 4, &gun::del, {Quote::Always, Quote::None, Quote::Always, Quote::None}),
};

template <class Record>
constexpr const auto& layoutOf() {
    if constexpr (std::is_same_v<Record, Bushou>)
        return kOfficerLayout;
    else
        return kFactionLayout;
}

// The number of fields of a whole record, and of its lines after the marker.
template <class Record>
constexpr int wholeRecordFields() {
    return static_cast<int>(layoutOf<Record>().size());
}
template <class Record>
constexpr int linesAfterMarker() {
    return layoutOf<Record>().back().line - 1;
}

// Reads a record's fields after its marker, in layout order, into r; a flag's text goes to *flagText
// as written (skipped when flagText is null). Fields the record lacks keep their values. Returns how
// many fields the record had.
template <class Record>
int readFields(FieldReader& in, Record& r, std::string* flagText = nullptr);

// Appends the record's lines after its marker as 'writer' writes them, each ended by CR LF. The flag
// is written as *flagText when given, else as "TRUE" or "FALSE" from the record.
template <class Record>
void appendFields(std::string& out, const Record& r, RecordWriter writer, const std::string* flagText = nullptr);

// True when every text and flag that appendFields writes of r reads back as the same text.
template <class Record>
bool readsBackAsWritten(const Record& r, const std::string* flagText = nullptr);

// Copies the first 'count' fields of 'from' over 'to'. A flag is not copied: it stands in a file as a
// text that each reader takes its own way.
template <class Record>
void copyFields(const Record& from, int count, Record& to);

// Field k of r when it is a number, 0 otherwise.
template <class Record>
int16_t numberAt(const Record& r, int k);

// Sets field k of r from a value's text as the readers take it (a number from its leading digits,
// saturated). A flag is left to the caller.
template <class Record>
void setFromText(Record& r, int k, const std::string& text);

// A text as WhenNeeded puts it: bare when it reads back so, in double quotes when bare it would not
// (a comma, a quote at its start, a blank at either end, a leading "."), so a hand-edited name such
// as "曹,操" survives the rewrite.
std::string bareOrQuoted(const std::string& text);
// True when the writers write the text so that it reads back as the same text: bare or in double
// quotes. Only a text holding a line break, or a double quote together with what a bare text cannot
// hold (a comma, a quote or "." at its start, a blank at either end), cannot be written at all.
bool readsBack(const std::string& text);

}  // namespace tei
