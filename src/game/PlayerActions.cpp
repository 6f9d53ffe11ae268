// The main screen's clicks: an offer, a player line, a faction, and the file menu.

#include "core/Numbers.h"
#include "game/TurnCycle.h"
#include "screens/SaveSlots.h"

namespace tei {

namespace {

// The requirement note of an offer's caption.
const char* requirementNote(Command command) {
    switch (command) {
        case Command::Recruit:
            return "要器量)";
        case Command::RaiseTroops:
        case Command::Denounce:
        case Command::JoinAlliance:
            return "要政治）";
        case Command::Subversion:
        case Command::LeaveAlliance:
        case Command::ChangeLeader:
            return "要智謀）";
        case Command::YellowTurbans:
            return "要武力、他）";
        case Command::Barbarians:
            return "要采配、他）";
        case Command::Mediation:
            return "要器量、他)";
        default:
            return "";
    }
}

// Commands 2..10 but 9 tell their difficulty in the caption and in the hover text.
bool showsDifficulty(Command c) {
    return c >= Command::RaiseTroops && c <= Command::ChangeLeader && c != Command::LeaveAlliance;
}

}  // namespace

TurnCycle::OfferTarget TurnCycle::offerTarget(int frame, int p) const {
    OfferTarget t;
    const Command c = g_.offerCommands[frame][static_cast<size_t>(p)];
    const int16_t target = g_.offerTarget[frame][p];
    auto officerName = [&](int16_t n) { return scratch_.ld_Chr_rtn(n).name; };  // "何某" without a record
    auto factionName = [&](int16_t n) {
        auto F = scratch_.ld_Gun_rtn(n);
        return F ? F->name : std::string(kNowhereName);
    };
    switch (c) {
        case Command::Recruit:
            t.officer = target;
            t.name = officerName(target);
            break;
        case Command::RaiseTroops:
            t.name = factionName(target);
            t.amount = Str(g_.offerAmount[frame][p]) + "％を借り受け、そのまま自分の物とする。";
            break;
        case Command::YellowTurbans:
        case Command::Barbarians:
            t.officer = target;
            t.name = officerName(target);
            t.amount = Str(g_.offerAmount[frame][p]) + "000を傘下に収める。";
            break;
        case Command::Subversion:
        case Command::Denounce:
        case Command::War:
        case Command::RighteousWar:
            t.name = factionName(target);
            break;
        case Command::JoinAlliance:
            t.name = officerName(target);  // the leader of the alliance to join
            break;
        default:
            return t;  // mediation, leaving, a new leader and waiting act on the own alliance
    }
    t.named = true;
    return t;
}

std::string TurnCycle::offerHint(int frame, int p) const {
    if (frame < 0 || frame >= kFrameCount || p < 0 || p >= static_cast<int>(g_.offerCommands[frame].size()) ||
        p >= kOffersPerFrame)
        return {};
    const Command c = g_.offerCommands[frame][static_cast<size_t>(p)];
    std::string hint = commandName(c);
    try {
        if (OfferTarget t = offerTarget(frame, p); t.named) hint += std::string(kHintSeparator) + "対象：" + t.name;
    } catch (const FileError&) {
        // Hovering only shows; a file that cannot be read is reported when the offer is clicked.
    }
    // The amount the description tells, shortly: two rebel bands may share a leader.
    const int16_t amount = g_.offerAmount[frame][p];
    if (c == Command::RaiseTroops) hint += std::string(kHintSeparator) + "借用" + Str(amount) + "％";
    if (c == Command::YellowTurbans || c == Command::Barbarians)
        hint += std::string(kHintSeparator) + "兵力" + Str(amount) + "000";
    if (showsDifficulty(c)) hint += std::string(kHintSeparator) + "難易度" + Str(g_.offerDifficulty[frame][p]);
    return hint;
}

bool TurnCycle::Com_Lst_Click(int frame, int p) {
    if (frame < 0 || frame >= kFrameCount || p < 0 || p >= static_cast<int>(g_.offerCommands[frame].size()) ||
        p >= kOffersPerFrame)
        return true;
    return guarded([&] {
        selectedCommand = g_.offerCommands[frame][static_cast<size_t>(p)];
        const Command c = selectedCommand;
        g_.selectable = isCurrentPlayersFrame(frame) ? 1 : 0;

        // The caption: the command's name and what it needs; commands 2..10 but 9 tell the difficulty.
        std::string caption = std::string(commandName(c)) + kCrLf;
        if (c == Command::Recruit || c == Command::LeaveAlliance)
            caption += "（";
        else if (showsDifficulty(c))
            caption += "（難易度" + Str(g_.offerDifficulty[frame][p]) + "・";
        else
            caption = commandName(c);
        g_.msgText = caption + requirementNote(c);

        // The factions already moving on this offer, the player's own computer default included.
        std::string moving;
        for (int f = 1; f <= g_.factionCount && f <= kMaxFaction; ++f) {
            if (g_.factionAlliance[f] != frame || g_.factionChoice[f] != p) continue;
            if (auto F = scratch_.ld_Gun_rtn(f); F && !F->del) moving += F->name + "、";
        }
        if (!moving.empty()) moving += "が動いている";

        // The target's name replaces textArg1; the offers that name none leave it as it was.
        OfferTarget target = offerTarget(frame, p);
        g_.detailId = target.officer;
        if (target.named) g_.textArg1 = target.name;
        if (c >= Command::Recruit && c <= Command::RighteousWar)
            g_.textArg2 = target.amount.empty() ? moving : target.amount + kCrLf + moving;
        // Commands 1..12 are described by the record of their number, 待機 by record 20.
        g_.textNo = c >= Command::Recruit && c <= Command::RighteousWar ? numberOf(c) : 20;

        g_.dialogResult = 0;
        host_.showStrategy();
        if (g_.dialogResult == 1 && g_.selectable == 1) {
            if (host_.askYesNo(g_.msgText + "を行いますか？")) {
                int f = g_.slotFaction[turnSlot];
                if (f > 0 && f <= kMaxFaction) g_.factionChoice[f] = static_cast<int16_t>(p);
                endOfTurn();
            } else {
                g_.dialogResult = 0;
            }
        }
    });
}

bool TurnCycle::dsp_PC_Click(int row) {
    auto lines = playerList();
    if (row < 0 || row >= static_cast<int>(lines.size())) return true;
    g_.detailId = lines[static_cast<size_t>(row)].faction;
    if (g_.detailId == 0) {
        host_.notify(lines[static_cast<size_t>(row)].name + "は既に滅びています。");
        return true;
    }
    g_.msgText.clear();
    for (int k = 0; k < kFrameCount; ++k)
        for (const auto& m : frames_.members(k))
            if (m.faction == g_.detailId) g_.msgText = offerName(k, g_.factionChoice[g_.detailId]) + "を画策中";
    host_.showFactionDetail();
    return true;
}

bool TurnCycle::Gun_lst_Click(int frame, int row) {
    if (frame < 0 || frame >= kFrameCount) return true;
    const auto& members = frames_.members(frame);
    if (row < 0 || row >= static_cast<int>(members.size())) return true;
    g_.detailId = members[static_cast<size_t>(row)].faction;
    g_.msgText = offerName(frame, g_.factionChoice[g_.detailId]) + "を画策中";
    host_.showFactionDetail();
    return true;
}

// File menu

bool TurnCycle::cmdSave_Click() {
    g_.dialogResult = 0;
    g_.gameMode = GameMode::Save;
    fillSaveHeader(g_, yearCounter);
    host_.showSaveLoad();
    if (g_.dialogResult == 1) {
        g_.savedFlag = 1;
        g_.gameMode = GameMode::New;
    }
    return true;
}

bool TurnCycle::cmdLoad_Click() {
    g_.dialogResult = 0;
    g_.gameMode = GameMode::Continue;
    if (g_.savedFlag == 0 && !host_.askYesNo(kNotSavedQuestion)) return true;
    host_.showSaveLoad();
    if (g_.dialogResult != 1) return true;
    return guarded([&] {
        g_.savedFlag = 1;
        ended_ = false;
        restoreLoadedGame();
    });
}

bool TurnCycle::newGame_Click() {
    if (g_.savedFlag == 0 && !host_.askYesNo(kNotSavedQuestion)) return false;
    for (int t = 0; t <= 16; ++t) {
        g_.slotRuler[t] = 0;
        g_.slotFaction[t] = 0;
        g_.slotLeader[t] = 0;
        g_.slotName[t].clear();
    }
    return true;
}

bool TurnCycle::exitGame_Click() {
    if (g_.savedFlag == 0 && !host_.askYesNo(kNotSavedQuestion)) return false;
    host_.endProgram();
    return true;
}

}  // namespace tei
