#pragma once
// The officer file and the faction file: whole-table loading and writing, as the message window and
// the computer players use them. The same layouts (core/RecordSchema.h) serve the working files
// (ini/busv.ini, ini/gunsv.ini) and the scenario masters.
//
// Loading never fails on content: a record numbered 0, negative or beyond the table is skipped, a
// record cut short keeps the initial values of the fields it lacks, a value that is no number reads 0
// and a value beyond 16 bits saturates.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/GameFolder.h"
#include "core/RecordSchema.h"
#include "core/Records.h"

namespace tei {

inline constexpr const char* kOfficerFile = "busv.ini";
inline constexpr const char* kFactionFile = "gunsv.ini";
inline constexpr const char* kCommentFile = "Cmtsv.ini";
inline constexpr const char* kOfficerSnapshot = "buimg.ini";
inline constexpr const char* kFactionSnapshot = "gunimg.ini";
inline constexpr const char* kCommentSnapshot = "Cmtimg.ini";
inline constexpr const char* kCommentMaster = "Comment.ini";

// Parsing and formatting on texts, so tests and fuzzers need no files.
// Loads records into entries 1..; entry 0 becomes the placeholder. Stops after the record whose
// number is at least 'count'.
void parseOfficers(std::string_view text, int officerCount, OfficerTable& table);
void parseFactions(std::string_view text, int factionCount, FactionTable& table);

// Every record of an officer or faction file in file order, as the record scan finds them: the
// marker's text and number and the fields the record has. The routines that read single records or
// single columns all work on these lists, parsed once per version of a file.
struct OfficerFileRecord {
    int16_t number = 0;
    Bushou officer;  // fields the record lacks keep a fresh record's values
    int fields = 0;
};
struct FactionFileRecord {
    int16_t number = 0;
    std::string marker;  // the marker item as written: ".3"
    gun faction;
    std::string fallen = "FALSE";  // the fallen flag's text as written; "FALSE" when the record lacks it
    int fields = 0;

    bool hasFlag() const { return fields >= wholeRecordFields<gun>(); }  // the flag is the last field
};
using OfficerFile = std::vector<OfficerFileRecord>;
using FactionFile = std::vector<FactionFileRecord>;
OfficerFile parseOfficerFile(std::string_view text);
FactionFile parseFactionFile(std::string_view text);
// The parsed records of a file in the game folder. Throws FileError.
std::shared_ptr<const OfficerFile> readOfficerFile(const GameFolder& folder, const std::filesystem::path& p);
std::shared_ptr<const FactionFile> readFactionFile(const GameFolder& folder, const std::filesystem::path& p);
// A number field of a parsed record by its place after the name: 1 policy .. 8 Job for officers,
// 1 meishuID .. 8 ifu for factions (the order of the file).
int16_t officerNumberField(const Bushou& b, int k);
int16_t factionNumberField(const gun& g, int k);
// The whole-table loaders' work on parsed records: entry 0 the placeholder, then each record at its
// number, stopping after the record whose number is at least the count.
void fillOfficers(const OfficerFile& records, int officerCount, OfficerTable& table);
void fillFactions(const FactionFile& records, int factionCount, FactionTable& table);
// The first record number of 1..count that the whole-table loader would not find whole (missing, or
// cut short), 0 when every one is there. A working file written by the game always has them all.
int firstLackingOfficer(const OfficerFile& records, int officerCount);
int firstLackingFaction(const FactionFile& records, int factionCount);
// A value written bare with a leading "." at the start of a line inside a record: the record scan
// takes it for the marker of another record, so the record ends there and its remaining values form a
// record numbered 0. Such a name must stand in double quotes.
struct DottedValue {
    int16_t record = 0;  // the record it cuts short
    std::string field;   // the field as the game names it: "名前", "画像名", or the field's own name
    std::string text;    // the value as written
    // "名前「.abc」は「.」で始まるため…": what is wrong and what to do.
    std::string reason() const;
    // The same after the record: "記録 .5 の名前「.abc」は…".
    std::string inRecord() const { return "記録 ." + std::to_string(record) + " の" + reason(); }
};
// A field of the layouts as the game's messages name it: "名前", "画像名", else its own name.
std::string recordFieldLabel(const char* name);
// The first such value of an officer or faction file.
std::optional<DottedValue> findDottedOfficerValue(std::string_view text);
std::optional<DottedValue> findDottedFactionValue(std::string_view text);
// The error for a file the whole-table loader cannot take whole: it names the record and the value
// when one starts with "."; otherwise it says the file is cut short. Reads the file anew.
FileError officersCutShort(const GameFolder& folder, const std::filesystem::path& p);
FileError factionsCutShort(const GameFolder& folder, const std::filesystem::path& p);

// Derives gunID: officer i serves faction f when his kunID is f's kunshuID. Officers matching no
// faction keep the gunID they had.
void deriveFactions(OfficerTable& officers, const FactionTable& factions, int officerCount, int factionCount);
// The whole-file writers' layout: names bare, picture name and the fallen flag in double quotes.
std::string formatOfficers(const OfficerTable& table, int officerCount);
std::string formatFactions(const FactionTable& table, int factionCount);

// The officer and faction tables of one screen, loaded from and written to the working files.
struct RecordTables {
    OfficerTable officers{};
    FactionTable factions{};

    // Loaders and writers under their names in the game. Throw FileError.
    void ld_Chr(const GameFolder& folder, int officerCount);
    void ld_Chr2(int officerCount, int factionCount);
    void ld_Gun(const GameFolder& folder, int factionCount);
    void sv_Chr(const GameFolder& folder, int officerCount) const;
    void sv_Gun(const GameFolder& folder, int factionCount) const;
};

}  // namespace tei
