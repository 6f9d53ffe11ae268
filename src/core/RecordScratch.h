#pragma once
// The main screen's single-record routines: one officer or one faction read from the working files,
// one column of numbers of every record, the rulers of the factions, and one faction record written
// back. Every routine reads or rewrites the working files directly, so what it sees is what the last
// writer left there. The routine takes the record number it works on and returns what it read.
//
// Two values outlive a call, as the year-end rules expect: the ruler table that ld_Kunshu_rtn fills
// for ld_gID_rtn, and the faction ld_gID_rtn found last, which it gives again for a lord who rules no
// faction.

#include <array>
#include <cstdint>
#include <optional>

#include "core/GameFolder.h"
#include "core/Records.h"

namespace tei {

// A number column of the officer or faction file, by record number; 0 where no record has the field.
using RecordColumn = std::array<int16_t, kMaxOfficer + 1>;

class RecordScratch {
public:
    RecordScratch(GameFolder& folder, const int16_t& officerCount, const int16_t& factionCount)
        : folder_(folder), officerCount_(officerCount), factionCount_(factionCount) {}
    RecordScratch(const RecordScratch&) = default;
    // Takes the other's remembered rulers; the two read the same folder with the same counts.
    RecordScratch& operator=(const RecordScratch& other) {
        rulerOf_ = other.rulerOf_;
        currentFaction_ = other.currentFaction_;
        return *this;
    }

    // Officer 'no': name, abilities, kunID, Job, jpg and commentID as his record holds them, the
    // fields it lacks as a fresh record's. A fresh record (the nobody "何某", id 0) when the file has
    // none, or when a record numbered above officerCount ends the search first.
    Bushou ld_Chr_rtn(int no) const;
    // Faction 'no': name and the eight numbers, del set when its fallen flag reads exactly "TRUE"
    // (any other text, or none, is a faction that exists). Nothing when the file has no such record; a
    // fresh record with an empty name when a record numbered above factionCount ends the search first.
    std::optional<gun> ld_Gun_rtn(int no) const;
    // The selector-th number after the name of every officer record, by officer number:
    // 1 policy, 2 fight, 3 wisdom, 4 tactics, 5 charm, 6 Setu, 7 kunID, 8 Job. Other selectors give 0s.
    RecordColumn ld_Abl_rtn(int selector) const;
    // The same for faction records: 1 meishuID, 2 kunshuID, 3 army, 4 seihei, 5 meisei, 6 tian,
    // 7 kessoku, 8 ifu.
    RecordColumn ld_gAbl_rtn(int selector) const;
    // Reads the rulers: rulerOf(f) = kunshuID of faction f, for f = 1..factionCount.
    void ld_Kunshu_rtn();
    // The last f whose ruler is officer 'ruler'; when there is none, the faction found by the call
    // before (0 before any was found).
    int16_t ld_gID_rtn(int ruler);
    // Rewrites record 'no' of the faction file with the eight numbers of 'faction' (snapshot
    // ini/gunimg.ini first); names and flags stay as read.
    void sv_Gun_rtn(int no, const gun& faction);

    GameFolder& folder() { return folder_; }
    const GameFolder& folder() const { return folder_; }
    int16_t rulerOf(int f) const { return f >= 0 && f <= kMaxFaction ? rulerOf_[static_cast<size_t>(f)] : 0; }

private:
    GameFolder& folder_;
    const int16_t& officerCount_;
    const int16_t& factionCount_;
    std::array<int16_t, kMaxFaction + 1> rulerOf_{};
    int16_t currentFaction_ = 0;
};

}  // namespace tei
