#pragma once
// The main screen's single-record routines and the scratch values they work on: a current record
// number, one officer's and one faction's fields, a field selector and a value table. The main screen
// sets the scratch values, calls a routine, and reads the result back from the scratch, exactly as its
// year-end and dealing rules expect. Every routine reads or rewrites the working files directly, so
// what it sees is what the last writer left there.

#include <array>
#include <cstdint>

#include "core/GameFolder.h"
#include "core/Records.h"

namespace tei {

class RecordScratch {
public:
    RecordScratch(const GameFolder& folder, const int16_t& officerCount, const int16_t& factionCount)
        : folder_(folder), officerCount_(officerCount), factionCount_(factionCount) {}

    // Officer number recordNo into 'officer' (name, abilities, kunID, Job, jpg). A record numbered above
    // officerCount ends the search and sets the name to "何某".
    void ld_Chr_rtn();
    // Faction number recordNo into 'faction' (name and the eight numbers). False when the record's
    // fallen flag reads "TRUE", true otherwise, also when the record is missing. A record numbered above
    // factionCount ends the search and empties the name.
    bool ld_Gun_rtn();
    // The fieldSelector-th number after the name of every officer record into values[n]:
    // 1 policy, 2 fight, 3 wisdom, 4 tactics, 5 charm, 6 Setu, 7 kunID, 8 Job.
    void ld_Abl_rtn();
    // The same for faction records: 1 meishuID, 2 kunshuID, 3 army, 4 seihei, 5 meisei, 6 tian,
    // 7 kessoku, 8 ifu.
    void ld_gAbl_rtn();
    // rulerOf(f) = kunshuID of faction f, for f = 1..factionCount.
    void ld_Kunshu_rtn();
    // currentFaction = the last f whose ruler is officer recordNo; unchanged when there is none.
    void ld_gID_rtn();
    // Rewrites record recordNo of the faction file from 'faction' (snapshot ini/gunimg.ini first).
    void sv_Gun_rtn();

    const GameFolder& folder() const { return folder_; }

    // Scratch values
    int16_t recordNo = 0;
    int16_t currentFaction = 0;
    int16_t fieldSelector = 0;
    Bushou officer;
    gun faction;
    std::array<int16_t, kMaxOfficer + 1> values{};
    std::array<int16_t, kMaxFaction + 1> rulerOf{};

private:
    const GameFolder& folder_;
    const int16_t& officerCount_;
    const int16_t& factionCount_;
};

}  // namespace tei
