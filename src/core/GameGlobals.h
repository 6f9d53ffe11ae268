#pragma once
// Every value shared between the screens of one run, by its name in the game. The application owns
// one instance and hands it down by reference; tests make their own. Arrays are zero-based with the
// bounds given; numbers are 16-bit as the records are.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/GameTerms.h"
#include "core/Records.h"

namespace tei {

inline constexpr int kSlotCount = 21;       // player slots 0..20
inline constexpr int kSavedSlotCount = 16;  // slots 0..15 are kept in a save
inline constexpr int kFrameCount = 4;       // frame 0 independents, frames 1..3 one alliance each
inline constexpr int kOffersPerFrame = 4;

using FrameTable = std::array<std::array<int16_t, kOffersPerFrame>, kFrameCount>;

struct GameGlobals {
    // Scenario and counts
    int16_t scenarioNo = 1;      // 1..6
    int16_t factionCount = 13;   // factions of the scenario
    int16_t officerCount = 155;  // historical count on the title screen, 170 once a game exists

    // Screen to screen
    GameMode gameMode{};       // what the save/load screen and the main screen open for; New at first
    int16_t selectable = 0;    // 1 when the clicked offer may be chosen by the current player
    int16_t dialogResult = 0;  // 1 when a modal screen confirmed or did its work
    int16_t savedFlag = 0;     // non-zero after a save; cleared after every resolution
    MsgMode msgMode{};         // what the message window shows; Ending at first
    std::string msgText;       // text handed to the next screen
    int16_t detailId = 0;      // faction, officer or year handed to the next screen
    int16_t textNo = 0;        // template number
    std::string textArg1;      // inserted at "+"; keeps its value between templates
    std::string textArg2;      // inserted at "*"; keeps its value between templates

    // Player slots; slot t corresponds to row t of the title screen's ruler list
    std::array<int16_t, kSlotCount> slotFaction{};   // faction played in slot t; 0 = no player
    std::array<int16_t, kSlotCount> slotRuler{};     // that faction's ruler; > 0 = active slot
    std::array<int16_t, kSlotCount> slotLeader{};    // that faction's meishuID
    std::array<std::string, kSlotCount> slotName{};  // display name

    // Alliance frames
    std::array<int16_t, kFrameCount> allianceLeader{};       // meishuID shown in frame k; 0 none
    std::array<int16_t, kFrameCount> allianceTroops{};       // army + seihei of the frame's factions
    std::array<int16_t, kFrameCount> allianceCohesion{};     // 0..100, clamped every year
    std::array<int16_t, kMaxFaction + 1> factionAlliance{};  // frame 1..3 of faction f, else 0
    std::array<int16_t, kMaxFaction + 1> factionChoice{};    // list position of f's offer

    // The year's offers, by frame and list position: the commands the main screen lists in frame k
    // (at most four), and each offer's target, amount and difficulty
    std::array<std::vector<Command>, kFrameCount> offerCommands{};
    FrameTable offerTarget{};
    FrameTable offerAmount{};
    FrameTable offerDifficulty{};

    // Save header: year, allianceCohesion(1..3), scenarioNo, reserved
    std::array<int16_t, 8> saveHeader{};
};

}  // namespace tei
