#include "game/Offers.h"

#include <array>
#include <string>

#include "core/Numbers.h"
#include "core/RecordFiles.h"

namespace tei {

void Offers::ld_Com_rtn() {
    for (auto& list : g_.offerCommands) list.clear();
    if (g_.msgMode != MsgMode::Resolution) return;
    for (int k = 1; k < kFrameCount; ++k) dealAllianceFrame(k);
    dealIndependentFrame();
}

int Offers::add(int k, Command c) {
    g_.offerCommands[k].push_back(c);
    return static_cast<int>(g_.offerCommands[k].size()) - 1;
}

int16_t Offers::standardDifficulty() {
    int d = rng_.I(4);
    d += rng_.I(4) + 2;
    return static_cast<int16_t>(d);
}

int16_t Offers::independentDifficulty() {
    int d = rng_.I(3);
    d += rng_.I(3) + 3;
    return static_cast<int16_t>(d);
}

namespace {

// Yellow Turban band size: Int(Rnd * 10 + 1) * Int(Rnd * 10 + 1) * Int(Rnd * 3 + 1).
int16_t bandSize(Random& rng) {
    int a = rng.I(10) + 1;
    int b = rng.I(10) + 1;
    int c = rng.I(3) + 1;
    return static_cast<int16_t>(a * b * c);
}

// Barbarian host size: Int(Rnd * 6) + Int(Rnd * 6) + 2.
int16_t hostSize(Random& rng) { return static_cast<int16_t>(rng.twoDice()); }

}  // namespace

void Offers::dealAllianceFrame(int k) {
    auto& target = g_.offerTarget[k];
    auto& amount = g_.offerAmount[k];
    auto& difficulty = g_.offerDifficulty[k];
    for (int draw = 0; draw < kOffersPerFrame; ++draw) {
        rng_.Randomize();
        int r = rng_.I(14) + 1;
        int p;
        switch (r) {
            case 1:
            case 14: {
                int16_t free = Rnd_Zai_rtn();
                if (free > 0) {
                    p = add(k, Command::Recruit);
                    target[p] = free;
                    difficulty[p] = scratch_.ld_Chr_rtn(free).charm;
                }
                break;
            }
            case 2:
                p = add(k, Command::RaiseTroops);
                target[p] = Rnd_Dou_rtn(k);
                amount[p] = static_cast<int16_t>(rng_.I(11) + 10);
                difficulty[p] = standardDifficulty();
                break;
            case 3:
            case 7:
                p = add(k, r == 3 ? Command::Subversion : Command::Denounce);
                target[p] = Rnd_Dou_rtn(k);
                difficulty[p] = standardDifficulty();
                break;
            case 4:
            case 5:
                p = add(k, r == 4 ? Command::YellowTurbans : Command::Barbarians);
                target[p] = Rnd_Zai_rtn();
                amount[p] = r == 4 ? bandSize(rng_) : hostSize(rng_);
                difficulty[p] = standardDifficulty();
                break;
            case 6:
            case 10:
                p = add(k, r == 6 ? Command::Mediation : Command::ChangeLeader);
                difficulty[p] = standardDifficulty();
                break;
            case 8: {
                // An alliance to join must exist: a draw that finds no other alliance deals nothing.
                int16_t a = rndTaMeiRtn(k);
                if (a == g_.allianceLeader[k] || a == 0) break;
                p = add(k, Command::JoinAlliance);
                target[p] = a;
                difficulty[p] = standardDifficulty();
                break;
            }
            case 9:
                p = add(k, Command::LeaveAlliance);
                difficulty[p] = to16(g_.allianceCohesion[k] / 10.0);
                break;
            case 11:
            case 12:
            case 13:
                p = add(k, r == 12 ? Command::RighteousWar : Command::War);
                target[p] = Rnd_Teki_rtn(k);
                break;
        }
    }
    if (g_.offerCommands[k].size() <= 2) add(k, Command::Wait);
}

void Offers::dealIndependentFrame() {
    auto& target = g_.offerTarget[0];
    auto& amount = g_.offerAmount[0];
    auto& difficulty = g_.offerDifficulty[0];
    for (int draw = 0; draw < kOffersPerFrame; ++draw) {
        int r = rng_.I(9) + 1;
        int p = -1;
        switch (r) {
            case 1: {
                int16_t free = Rnd_Zai_rtn();
                if (free > 0) {
                    p = add(0, Command::Recruit);
                    target[p] = free;
                }
                break;
            }
            case 2:
            case 7:
            case 3:
            case 8: {
                bool turbans = r == 2 || r == 7;
                p = add(0, turbans ? Command::YellowTurbans : Command::Barbarians);
                amount[p] = turbans ? bandSize(rng_) : hostSize(rng_);
                target[p] = Rnd_Zai_rtn();
                break;
            }
            case 4:
            case 9: {
                // Dealt even when the pick finds an empty frame (target 0): the independent who wins it
                // learns that the alliance is no more and stays independent.
                int16_t a = rndTaMeiRtn(0);
                p = add(0, Command::JoinAlliance);
                target[p] = a;
                break;
            }
            case 5:
            case 6: {
                int16_t t = rndGunRtn();
                p = add(0, r == 5 ? Command::War : Command::RighteousWar);
                target[p] = t;
                break;
            }
        }
        if (p >= 0) difficulty[p] = independentDifficulty();
    }
    if (g_.offerCommands[0].size() <= 2) add(0, Command::Wait);
}

// Entry Int(Rnd * n) of the candidate list; an empty list still draws and gives 0.
int16_t Offers::pick(const int16_t* candidates, int n) {
    if (n <= 0) {
        rng_.Rnd();
        return 0;
    }
    return candidates[rng_.I(n)];
}

int16_t Offers::Rnd_Zai_rtn() {
    rng_.Randomize();
    // The free officers (no lord) of the officer file, in file order.
    std::array<int16_t, kMaxOfficer + 1> free{};
    int n = 0;
    for (const auto& r : *readOfficerFile(scratch_.folder(), scratch_.folder().ini(kOfficerFile)))
        if (r.number >= 1 && r.number <= g_.officerCount && r.number <= kMaxOfficer && r.officer.kunID == 0 &&
            n <= kMaxOfficer)
            free[static_cast<size_t>(n++)] = r.number;
    return pick(free.data(), n);
}

// Unlike the other pickers, an empty frame draws nothing.
int16_t Offers::Rnd_Dou_rtn(int k) {
    const auto& list = frames_.members(k);
    int n = static_cast<int>(list.size());
    return n > 0 ? list[static_cast<size_t>(rng_.I(n))].faction : int16_t{0};
}

int16_t Offers::Rnd_Teki_rtn(int own) {
    std::array<int16_t, 4 * (kMaxFaction + 1)> candidates{};
    int n = 0;
    for (int k = 0; k < kFrameCount; ++k) {
        if (k > 0 && k == own) continue;
        for (const auto& m : frames_.members(k)) candidates[n++] = m.faction;
    }
    return pick(candidates.data(), n);
}

int16_t Offers::rndTaMeiRtn(int k) {
    std::array<int16_t, 3> candidates{};
    int n = 0;
    for (int f = 1; f < kFrameCount; ++f)
        if (f != k) candidates[n++] = g_.allianceLeader[f];
    return pick(candidates.data(), n);
}

int16_t Offers::rndGunRtn() {
    std::array<int16_t, 4 * (kMaxFaction + 1)> candidates{};
    int n = 0;
    for (int k = 0; k < kFrameCount; ++k)
        for (const auto& m : frames_.members(k)) candidates[n++] = m.faction;
    return pick(candidates.data(), n);
}

}  // namespace tei
