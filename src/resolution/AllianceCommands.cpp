// Commands 8 同盟参加, 9 脱退 and 10 盟主交替: moves between alliances. A faction's alliance is its
// meishuID, the officer number of the ruler of the leading faction (0 = independent); the leader's own
// meishuID is its ruler.

#include "core/Numbers.h"
#include "resolution/Resolution.h"

namespace tei {

namespace {
constexpr const char* kAllianceGoneOpen = "同盟が既に無くなっていたため、";
constexpr const char* kAllianceGoneClose = "は独立軍閥となった。";

bool leadsAlliance(const gun& f) { return f.meishuID != 0 && f.kunshuID == f.meishuID; }
}  // namespace

// The winner's faction joins the alliance of the target officer's faction. The alliance may have
// dissolved since the offer was dealt; then the faction is left independent.
void Resolution::joinAlliance(const OfferContest& c) {
    if (c.winner == 0) return;
    Bushou& winner = winnerOf(c);
    gun& side = factionOf(winner);
    if (leadsAlliance(side)) {
        g_.textArg1 = winner.name;
        turn_.show(18);
        return;
    }
    if (!(side.meisei + winner.policy / 20.0 + 3 >= c.difficulty + c.roll)) {
        g_.textArg1 = winner.name;
        g_.textArg2 = side.name;
        turn_.show(39);
        return;
    }
    const Bushou& host = targetOfficer(c.target);
    int hostFaction = host.gunID;
    int leader = turn_.faction(hostFaction).meishuID;
    side.meishuID = static_cast<int16_t>(leader);
    if (leader == 0) {
        turn_.append(host.name + kAllianceGoneOpen + side.name + kAllianceGoneClose + kCrLf);
        return;
    }
    int k = frameOf(hostFaction);
    if (k >= 0) {
        g_.factionAlliance[static_cast<size_t>(winner.gunID)] = static_cast<int16_t>(k);
        // Not capped here: the year change brings every frame back within 0..100.
        int16_t& cohesion = g_.allianceCohesion[static_cast<size_t>(k)];
        cohesion = to16(side.meisei / 12.0 + cohesion - 5);
    }
    g_.textArg1 = winner.name;
    g_.textArg2 = side.name + "の名声により" + side.name + "は" + turn_.officer(leader).name;
    turn_.show(8);
}

void Resolution::leaveAlliance(const OfferContest& c) {
    if (c.winner == 0 || !(c.best >= c.difficulty + c.roll)) return;
    Bushou& winner = winnerOf(c);
    gun& side = factionOf(winner);
    if (leadsAlliance(side)) {
        g_.textArg1 = winner.name;
        turn_.show(18);
        return;
    }
    side.meishuID = 0;
    g_.textArg1 = winner.name;
    g_.textArg2 = side.name;
    turn_.show(9);
}

// The winner's lord takes the lead of his alliance from its leader L, when the two factions' standing
// and the contest allow: L's faction leaves, every other member follows the new leader.
void Resolution::takeOverAlliance(const OfferContest& c) {
    if (c.winner == 0) return;
    Bushou& winner = winnerOf(c);
    gun& side = factionOf(winner);
    int L = side.meishuID;
    if (L <= 0 || L == winner.kunID) {
        g_.textArg1 = winner.name;
        turn_.show(33);
        return;
    }
    gun& old = targetFaction(factionRuledBy(L));
    double mine = (side.meisei + side.ifu) / 10.0 + c.best;
    double theirs = (old.meisei + old.ifu) / 10.0 + c.difficulty + c.roll;
    if (!(mine >= theirs)) {
        g_.textArg1 = winner.name;
        turn_.show(44);
        return;
    }
    old.meishuID = 0;
    for (int f = 1; f <= turn_.factionCount() && f <= kMaxFaction; ++f) {
        gun& member = turn_.records.factions[static_cast<size_t>(f)];
        if (member.meishuID == L) member.meishuID = winner.kunID;
    }
    g_.textArg1 = winner.name;
    g_.textArg2 = side.name;
    turn_.show(10);
}

}  // namespace tei
