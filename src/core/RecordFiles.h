#pragma once
// The officer file and the faction file: whole-table loading and writing, as the message window and
// the computer players use them. The same layouts serve the working files (ini/busv.ini,
// ini/gunsv.ini) and the scenario masters.
//
// Officer record, seven lines:  .n / name / policy,fight,wisdom,tactics / charm,Setu / kunID,Job /
//                               picture / commentID
// Faction record, four lines:   .n / name / meishuID,kunshuID,army,seihei,meisei,tian,kessoku,ifu /
//                               "TRUE" or "FALSE"
//
// Loading never fails on content: a record numbered 0, negative or beyond the table is skipped, a
// record cut short keeps the initial values of the fields it lacks, a value that is no number reads 0
// and a value beyond 16 bits saturates.

#include <string>
#include <string_view>

#include "core/GameFolder.h"
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
// Read one record's fields (after its marker) into b or g; fields the record lacks keep their values.
// 'fallen' receives the faction's fallen-flag text as it stands in the file.
void readOfficerFields(class FieldReader& fields, Bushou& b);
void readFactionFields(class FieldReader& fields, gun& g, std::string& fallen);
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
