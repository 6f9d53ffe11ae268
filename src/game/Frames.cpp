#include "game/Frames.h"

#include "core/Numbers.h"
#include "core/RecordFiles.h"

namespace tei {

namespace {

// Walks the faction file record by record, up to the record numbered factionCount or more, with each
// record's fallen flag as written.
template <class Visit>
void eachFactionRecord(const GameFolder& folder, int factionCount, Visit&& visit) {
    for (const auto& r : *readFactionFile(folder, folder.ini(kFactionFile))) {
        visit(r.faction, r.fallen);
        if (r.number >= factionCount) break;
    }
}

}  // namespace

void Frames::Dsp_Gun_rtn() {
    for (int k = 0; k < kFrameCount; ++k) {
        members_[k].clear();
        g_.allianceTroops[k] = 0;
    }
    for (int k = 1; k < kFrameCount; ++k) summaryHeadings_[k] = std::string("同盟総兵力") + kCrLf + "同盟の結束力";
    eachFactionRecord(folder_, g_.factionCount, [&](const gun& f, const std::string& fallen) {
        if (fallen == "TRUE") return;
        for (int k = 0; k < kFrameCount; ++k) {
            if (g_.allianceLeader[k] != f.meishuID || (k > 0 && f.meishuID == 0)) continue;
            members_[k].push_back({f.id, f.name});
            g_.allianceTroops[k] = sat16(g_.allianceTroops[k] + f.army + f.seihei);
        }
        for (int t = 0; t < kSlotCount; ++t) {
            if (g_.slotFaction[t] != f.id) continue;
            g_.slotRuler[t] = f.kunshuID;
            g_.slotLeader[t] = f.meishuID;
        }
    });
    for (int k = 1; k < kFrameCount; ++k)
        summaryValues_[k] = Str(g_.allianceTroops[k]) + "000" + kCrLf + Str(g_.allianceCohesion[k]);
}

void Frames::ld_Meiichi_rtn() {
    for (int k = 0; k < kFrameCount; ++k)
        for (const auto& m : members_[k])
            if (m.faction >= 0 && m.faction <= kMaxFaction) g_.factionAlliance[m.faction] = static_cast<int16_t>(k);
}

void Frames::placeAlliances(const std::array<int16_t, kMaxOfficer + 1>* remembered) {
    for (int k = 1; k < kFrameCount; ++k) g_.allianceLeader[k] = 0;
    eachFactionRecord(folder_, g_.factionCount, [&](const gun& f, const std::string&) {
        if (f.meishuID != f.kunshuID || f.meishuID <= 0) return;
        for (int k = 1; k < kFrameCount; ++k) {
            if (g_.allianceLeader[k] != 0) continue;
            g_.allianceLeader[k] = f.meishuID;
            captions_[k] = f.name;
            int16_t kept = remembered && f.meishuID <= kMaxOfficer ? (*remembered)[f.meishuID] : 0;
            g_.allianceCohesion[k] = kept > 0 ? kept : f.meisei;
            break;
        }
    });
    g_.allianceLeader[0] = 0;
    // A frame left without an alliance shows none: no caption, no cohesion.
    for (int k = 1; k < kFrameCount; ++k) {
        if (g_.allianceLeader[k] != 0) continue;
        captions_[k].clear();
        g_.allianceCohesion[k] = 0;
    }
}

void Frames::ini_Mei_rtn() { placeAlliances(nullptr); }

void Frames::res_Mei_rtn() {
    std::array<int16_t, kMaxOfficer + 1> remembered{};
    for (int k = 0; k < kFrameCount; ++k) {
        int16_t leader = g_.allianceLeader[k];
        if (leader >= 0 && leader <= kMaxOfficer) remembered[leader] = g_.allianceCohesion[k];
    }
    placeAlliances(&remembered);
}

bool Frames::isPlayersFrame(int k, int turnSlot) const {
    if (turnSlot < 0 || turnSlot >= kSlotCount || g_.slotFaction[turnSlot] <= 0) return false;
    if (k > 0 && g_.allianceLeader[k] == 0) return false;  // an empty alliance frame is nobody's
    return g_.allianceLeader[k] == g_.slotLeader[turnSlot];
}

}  // namespace tei
