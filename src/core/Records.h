#pragma once
// The two record types of a running game: an officer (武将) and a warlord faction (軍閥).
// Plain records with public fields in the order of their files; every numeric field is a 16-bit
// signed value. The default member values are the values a fresh record starts with.

#include <array>
#include <cstdint>
#include <string>

#include "core/GameTerms.h"

namespace tei {

// The most officers and factions a table can hold: officer numbers 0..200, faction numbers 0..20.
inline constexpr int kMaxOfficer = 200;
inline constexpr int kMaxFaction = 20;

// The name a record carries when nothing better is known.
inline constexpr const char* kNobodyName = "何某";   // a nobody, officer placeholder
inline constexpr const char* kNowhereName = "某国";  // a certain state, faction placeholder
inline constexpr const char* kFootSoldierPicture = "zouhyou1";

struct Bushou {
    int16_t id = 0;  // officer number, 1..officerCount (0 = placeholder)
    std::string name = kNobodyName;
    int16_t policy = 1;     // Politics 政治
    int16_t fight = 1;      // Valor 武勇
    int16_t wisdom = 0;     // Intellect 智謀
    int16_t tactics = 0;    // Leadership 采配
    int16_t charm = 0;      // Capacity 器量
    int16_t Setu = 0;       // Restraint 節度
    int16_t kunID = 0;      // lord: officer number of the ruler served; a ruler holds his own; 0 none
    int16_t gunID = 0;      // faction of kunID; derived on loading, never stored in a file
    int16_t Job = 0;        // job 0..6, the number of a Job (core/GameTerms.h)
    std::string jpg;        // portrait picture name
    int16_t commentID = 0;  // comment record number; 0 none; 200 fictional officer

    void setName(const std::string& newName) { name = newName; }
};

struct gun {
    int16_t id = 0;  // faction number, 1..factionCount (0 = placeholder)
    std::string name;
    int16_t kunshuID = 0;  // officer number of the ruler 君主
    int16_t meishuID = 0;  // ruler number of the faction leading its alliance 盟主; 0 independent
    int16_t army = 0;      // Troops 総兵力, in thousands
    int16_t seihei = 0;    // Elite troops 精兵数, in thousands
    int16_t meisei = 0;    // Fame 名声, capped at 200
    int16_t kessoku = 0;   // Cohesion 結束力, capped at 100
    int16_t tian = 0;      // Public order 治安, capped at 100
    int16_t ifu = 0;       // Awe 畏怖, capped at 100
    bool del = false;      // the faction has fallen
    int16_t gunshi = 0;    // strategist score, computed when needed, never stored
};

// Tables are indexed by record number; entry 0 is the placeholder.
using OfficerTable = std::array<Bushou, kMaxOfficer + 1>;
using FactionTable = std::array<gun, kMaxFaction + 1>;

// The placeholders that stand in entry 0 of every table.
Bushou placeholderOfficer();
gun placeholderFaction();

// Entry n of a table, or the placeholder entry 0 when n has no entry.
inline Bushou& officerAt(OfficerTable& t, int n) { return t[(n >= 0 && n <= kMaxOfficer) ? n : 0]; }
inline const Bushou& officerAt(const OfficerTable& t, int n) { return t[(n >= 0 && n <= kMaxOfficer) ? n : 0]; }
inline gun& factionAt(FactionTable& t, int n) { return t[(n >= 0 && n <= kMaxFaction) ? n : 0]; }
inline const gun& factionAt(const FactionTable& t, int n) { return t[(n >= 0 && n <= kMaxFaction) ? n : 0]; }

// An officer serves a faction when he has a record and a lord (kunID, not 0) who is the faction's
// ruler (kunshuID); a ruler serves his own faction.
inline bool serves(const Bushou& b, const gun& f) { return b.id != 0 && b.kunID != 0 && b.kunID == f.kunshuID; }

}  // namespace tei
