#pragma once
// The officers and factions as the information screens show them: read from the working files when
// a screen opens, so every screen shows what the last resolution wrote. A faction is live unless its
// fallen flag reads "TRUE"; an officer serves a faction when his lord (kunID, not 0) is the faction's
// ruler (kunshuID). Officers are taken from 1 to officerCount, factions from 1 to factionCount.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Records.h"

namespace tei {

// One row of the faction list, in the order of its columns after the faction name.
struct FactionListRow {
    int16_t faction = 0;
    std::string name;    // the faction's name, the row's heading
    std::string ruler;   // name of the ruler (kunshuID)
    int16_t army = 0;    // thousands
    int16_t seihei = 0;  // thousands
    int16_t tian = 0;
    int16_t kessoku = 0;
    int16_t meisei = 0;
    int16_t ifu = 0;
    int officers = 0;    // officers serving the faction, the ruler included
    std::string leader;  // name of the alliance leader (meishuID), empty when independent
};

struct OfficerEntry {
    int16_t id = 0;
    std::string name;
};

struct FactionOfficers {
    int16_t faction = 0;
    std::string name;
    std::vector<OfficerEntry> officers;  // in officer-number order
};

// The faction detail screen: caption, value panel, the opener's note and the five job lists
// (文官, 武官, 参謀 with the 軍師, 将軍, 君主). Officers without a job are not listed.
inline constexpr int kJobLists = 5;
struct FactionDetail {
    std::string caption;
    std::vector<std::pair<std::string, std::string>> values;  // label, value text
    std::string note;
    std::array<std::vector<OfficerEntry>, kJobLists> jobLists;
};
// The value panel's labels, in its order; troops are shown in soldiers, the file's thousands + "000".
inline constexpr std::array<const char*, 6> kFactionValueLabels = {"総兵力", "精兵数", "名声",
                                                                   "治安",   "結束力", "畏怖"};
// The frame captions of the five job lists.
inline constexpr std::array<const char*, kJobLists> kJobListCaptions = {"文官", "武官", "参謀（軍師）", "将軍", "君主"};

// One line of the officer table: name, Politics, Valor, Intellect, Leadership, Capacity, Restraint
// (decimal, or "-" when the ability does not count for the job), job label.
inline constexpr int kOfficerTableColumns = 8;
struct OfficerTableLine {
    int16_t id = 0;
    std::array<std::string, kOfficerTableColumns> cells;
};

class WorldView {
public:
    // Reads ini/busv.ini and ini/gunsv.ini. Throws FileError.
    static WorldView load(const GameFolder& folder, const GameGlobals& g);
    // From texts, for tests.
    static WorldView parse(std::string_view officerText, std::string_view factionText, const GameGlobals& g);

    // Screens
    std::vector<FactionListRow> factionList() const;
    std::vector<FactionOfficers> officersOfEveryFaction() const;
    FactionDetail factionDetail(int f, std::string_view note) const;
    std::vector<OfficerTableLine> officerTable(int f) const;

    // Records
    bool isLive(int f) const;
    // Officers serving faction f, in number order.
    std::vector<int16_t> officersOf(int f) const;
    const Bushou& officer(int n) const { return officerAt(officers_, n); }
    // The placeholder "某国" for a number without a record.
    const gun& faction(int n) const {
        const gun& g = factionAt(factions_, n);
        return g.id != 0 ? g : factions_[0];
    }

private:
    WorldView() = default;

    OfficerTable officers_{};
    FactionTable factions_{};
    std::array<bool, kMaxFaction + 1> live_{};  // has a record whose fallen flag is not "TRUE"
    int officerCount_ = 0;
    int factionCount_ = 0;
};

}  // namespace tei
