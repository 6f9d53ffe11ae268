#include "game/ComputerChoice.h"

#include <array>
#include <string>

#include "core/RecordFiles.h"

namespace tei {

void ComputerChoice::ld_Gun() {
    fillFactions(*readFactionFile(folder_, folder_.ini(kFactionFile)), g_.factionCount, factions_);
    for (auto& f : factions_) f.gunshi = 0;
}

void ComputerChoice::loadGunshi() {
    for (int f = 1; f <= g_.factionCount && f <= kMaxFaction; ++f) factions_[f].gunshi = 1;
    for (const auto& r : *readOfficerFile(folder_, folder_.ini(kOfficerFile))) {
        if (r.number > g_.officerCount) break;
        const Bushou& b = r.officer;
        if (Job(b.Job) <= Job::Military) continue;
        int v = b.wisdom + b.tactics - 10;
        for (int f = 1; f <= g_.factionCount && f <= kMaxFaction; ++f)
            if (b.kunID == factions_[f].kunshuID && factions_[f].gunshi < v)
                factions_[f].gunshi = static_cast<int16_t>(v);
    }
}

void ComputerChoice::Tagun_rtn() {
    ld_Gun();
    loadGunshi();
    rng_.Randomize();
    for (int k = 0; k < kFrameCount; ++k)
        for (const auto& m : frames_.members(k))
            if (m.faction >= 0 && m.faction <= kMaxFaction) g_.factionChoice[m.faction] = searchCommand(m.faction, k);
}

int16_t ComputerChoice::searchCommand(int f, int k) {
    int16_t& choice = g_.factionChoice[f];
    choice = searchGunbi(f, k);
    if (choice == -1) {
        const auto& offers = g_.offerCommands[k];
        int n = static_cast<int>(offers.size());
        if (n > 0) {
            choice = static_cast<int16_t>(rng_.I(n));
            if (offers[static_cast<size_t>(choice)] == Command::Wait) choice = 0;
        } else {
            choice = 0;
        }
    }
    return choice;
}

int16_t ComputerChoice::searchGunbi(int f, int k) {
    const auto& offers = g_.offerCommands[k];
    std::array<int16_t, 6> candidates{};
    int n = 0;
    const gun& own = factionAt(factions_, f);
    for (size_t p = 0; p < offers.size() && p < kOffersPerFrame; ++p) {
        Command c = offers[p];
        bool acceptable = true;
        if (c == Command::War || c == Command::RighteousWar) {
            long long w = c == Command::RighteousWar ? 2 : 1;
            const gun& enemy = factionAt(factions_, g_.offerTarget[k][p]);
            long long ownStrength = static_cast<long long>(own.gunshi) * own.army * w;
            long long enemyStrength = static_cast<long long>(enemy.gunshi) * enemy.army;
            acceptable = ownStrength > enemyStrength || ownStrength > 2000;
        }
        if (acceptable && n < 6) candidates[static_cast<size_t>(n++)] = static_cast<int16_t>(p);
    }
    if (n == 0) return -1;
    return candidates[static_cast<size_t>(rng_.I(n))];
}

}  // namespace tei
