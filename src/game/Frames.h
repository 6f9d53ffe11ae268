#pragma once
// The four strategy frames of the main screen: frame 0 lists the independent factions, frames 1 to 3
// one alliance each. Frames owns the member lists (faction number and name, in faction-file order),
// the frame captions and alliance summaries, and places the alliances into frames at the start of a
// game and anew every year, carrying an alliance's cohesion over while its leader stays the same.
//
// An alliance frame that holds no alliance (allianceLeader 0) lists nobody: factions outside every
// alliance stand in frame 0 only.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"

namespace tei {

struct FrameMember {
    int16_t faction;
    std::string name;
};

inline constexpr const char* kIndependentCaption = "独立軍閥";

class Frames {
public:
    Frames(const GameFolder& folder, GameGlobals& g) : folder_(folder), g_(g) {}
    Frames(const Frames&) = default;
    // Takes the other's lists, captions and summaries; the two show the same folder and values.
    Frames& operator=(const Frames& other) {
        members_ = other.members_;
        captions_ = other.captions_;
        summaryHeadings_ = other.summaryHeadings_;
        summaryValues_ = other.summaryValues_;
        return *this;
    }

    // Member lists and alliance summaries from the faction file; completes the player slots' ruler
    // and alliance leader.
    void Dsp_Gun_rtn();
    // factionAlliance(f) = the frame listing f.
    void ld_Meiichi_rtn();
    // Alliances into frames 1..3 at the start of a game or after a load: cohesion from the leader's Fame.
    // A frame left without an alliance gets no caption and cohesion 0.
    void ini_Mei_rtn();
    // The same each new year, keeping the cohesion of an alliance whose leader stays the same.
    void res_Mei_rtn();

    const std::vector<FrameMember>& members(int k) const { return members_[static_cast<size_t>(k)]; }
    // Frame 0: "独立軍閥"; frames 1..3: the leading faction's name, empty while the frame holds none.
    const std::string& caption(int k) const { return captions_[static_cast<size_t>(k)]; }
    // Alliance summary of frames 1..3: heading and values (troops with "000", cohesion).
    const std::string& summaryHeading(int k) const { return summaryHeadings_[static_cast<size_t>(k)]; }
    const std::string& summaryValue(int k) const { return summaryValues_[static_cast<size_t>(k)]; }
    // True when frame k is the frame of the player in turnSlot (light cyan, offers selectable).
    bool isPlayersFrame(int k, int turnSlot) const;

private:
    void placeAlliances(const std::array<int16_t, kMaxOfficer + 1>* remembered);

    const GameFolder& folder_;
    GameGlobals& g_;
    std::array<std::vector<FrameMember>, kFrameCount> members_{};
    std::array<std::string, kFrameCount> captions_{kIndependentCaption, "", "", ""};
    std::array<std::string, kFrameCount> summaryHeadings_{};
    std::array<std::string, kFrameCount> summaryValues_{};
};

}  // namespace tei
