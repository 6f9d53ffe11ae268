#include "resolution/Resolution.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>

#include "core/Numbers.h"
#include "core/RecordFiles.h"
#include "messages/YearBanner.h"

namespace tei {

namespace {

constexpr const char* kPlayerHeaderOpen = "***";
constexpr const char* kPlayerHeaderClose = "（プレイヤー）が関わった作戦***";

// How an offer's contest is scored:
//   A  ability + the faction's die of the year
//   B  ability + a fresh 2d6
//   C  an entry test (ability + 2d6 against difficulty + 2d6), then ability + a fresh 2d6
enum class Group { A, B, C };

// The contest rule of a command: the ability that scores it, the jobs that may not take part (bit n
// for job number n), and the group.
struct CommandRule {
    int16_t Bushou::*ability;
    unsigned excludedJobs;
    Group group;
};

constexpr unsigned jobs(std::initializer_list<Job> list) {
    unsigned bits = 0;
    for (Job j : list) bits |= 1u << numberOf(j);
    return bits;
}

// By command number: commands 1..12; entry 0 is unused.
const std::array<CommandRule, 13> kRules = {{
    {&Bushou::charm, 0, Group::A},                                                 // 0 待機: passed over
    {&Bushou::charm, jobs({Job::Civil, Job::Military}), Group::C},                 // 1 人材募集
    {&Bushou::policy, jobs({Job::Military, Job::General}), Group::B},              // 2 兵力確保
    {&Bushou::wisdom, jobs({Job::Civil, Job::Military, Job::General}), Group::C},  // 3 調略
    {&Bushou::fight, jobs({Job::Civil, Job::Staff, Job::Strategist}), Group::B},   // 4 黄巾賊退治
    {&Bushou::tactics, jobs({Job::Civil, Job::Military, Job::Staff}), Group::C},   // 5 異民族討伐
    {&Bushou::charm, jobs({Job::Civil, Job::Military, Job::General}), Group::C},   // 6 調停
    {&Bushou::policy, jobs({Job::Military, Job::General}), Group::C},              // 7 糾弾
    {&Bushou::policy, jobs({Job::Military, Job::General}), Group::A},              // 8 同盟参加
    {&Bushou::wisdom, jobs({Job::Civil, Job::Military}), Group::B},                // 9 脱退
    {&Bushou::wisdom, jobs({Job::Civil, Job::Military, Job::General}), Group::A},  // 10 盟主交替
    {&Bushou::wisdom, jobs({Job::Civil, Job::Military}), Group::A},                // 11 戦争
    {&Bushou::policy, jobs({Job::Civil, Job::Military, Job::General}), Group::A},  // 12 義戦
}};

bool isCarriedOut(Command c) { return c >= Command::Recruit && c <= Command::RighteousWar; }
const CommandRule& ruleOf(Command c) { return kRules[static_cast<size_t>(numberOf(c))]; }

}  // namespace

// Year and files

void Resolution::resolveYear(const GameFolder& folder) {
    beginYearPages(turn_.pages, g_.detailId);
    attacked_ = false;
    Metubou_Flg = false;
    All_Metubou_Flg = false;
    // A working file cut short is refused: a year played on it would write the gap back as nobodies.
    auto officerFile = folder.ini(kOfficerFile), factionFile = folder.ini(kFactionFile);
    if (firstLackingOfficer(*readOfficerFile(folder, officerFile), g_.officerCount) != 0)
        throw officersCutShort(folder, officerFile);
    if (firstLackingFaction(*readFactionFile(folder, factionFile), g_.factionCount) != 0)
        throw factionsCutShort(folder, factionFile);
    turn_.records.ld_Chr(folder, g_.officerCount);
    turn_.records.ld_Gun(folder, g_.factionCount);
    turn_.records.ld_Chr2(g_.officerCount, g_.factionCount);
    Strate_rtn();
    saveRecords(folder);
}

void Resolution::saveRecords(const GameFolder& folder) {
    const auto officerFile = folder.ini(kOfficerFile);
    const std::string before = folder.readBytes(officerFile);
    turn_.records.sv_Chr(folder, g_.officerCount);
    try {
        turn_.records.sv_Gun(folder, g_.factionCount);
    } catch (const FileError&) {
        // Officers and factions must stay a matching pair: the year is lost, not half kept.
        try {
            folder.writeText(officerFile, before);
        } catch (const FileError&) {
            // The faction file's failure is the one to report; it caused this.
        }
        throw;
    }
}

// The pass

void Resolution::Strate_rtn() {
    attacked_ = false;
    rollFactionDice();
    for (int k = 0; k < kFrameCount; ++k) {
        const auto& commands = g_.offerCommands[static_cast<size_t>(k)];
        // The offer tables have four rows per frame; a longer list has no targets to read.
        int rows = std::min(static_cast<int>(commands.size()), kOffersPerFrame);
        for (int j = 0; j < rows; ++j) {
            playerHeaders(k, j);
            carryOut(contest(k, j));
        }
    }
    checkMetubou();
    turn_.pages.markEnd();
}

void Resolution::rollFactionDice() {
    dice_.fill(0);
    for (int f = 1; f <= 19; ++f) dice_[static_cast<size_t>(f)] = turn_.rng.twoDice();
}

void Resolution::playerHeaders(int frame, int row) {
    for (int i = 0; i < kSlotCount; ++i) {
        int f = g_.slotFaction[static_cast<size_t>(i)];
        if (f <= 0 || f > kMaxFaction) continue;
        if (g_.factionAlliance[static_cast<size_t>(f)] != frame || g_.factionChoice[static_cast<size_t>(f)] != row)
            continue;
        turn_.append(std::string(kPlayerHeaderOpen) + turn_.faction(f).name + kPlayerHeaderClose + kCrLf);
    }
}

bool Resolution::takesPart(const Bushou& b, int frame, int row, Command command) const {
    if (b.kunID <= 0) return false;
    int f = b.gunID;
    if (f < 0 || f > kMaxFaction) return false;
    if (turn_.records.factions[static_cast<size_t>(f)].del) return false;
    if (g_.factionAlliance[static_cast<size_t>(f)] != frame || g_.factionChoice[static_cast<size_t>(f)] != row)
        return false;
    if (isCarriedOut(command) && b.Job >= 0 && b.Job < 32 && (ruleOf(command).excludedJobs & (1u << b.Job)))
        return false;
    return true;
}

OfferContest Resolution::contest(int frame, int row) {
    OfferContest c;
    c.frame = frame;
    c.row = row;
    c.command = g_.offerCommands[static_cast<size_t>(frame)][static_cast<size_t>(row)];
    c.target = g_.offerTarget[static_cast<size_t>(frame)][static_cast<size_t>(row)];
    c.amount = g_.offerAmount[static_cast<size_t>(frame)][static_cast<size_t>(row)];
    c.difficulty = g_.offerDifficulty[static_cast<size_t>(frame)][static_cast<size_t>(row)];
    // An offer passed over (待機, 暗殺) scores nobody, but its roll is drawn like every other offer's.
    const int officers = isCarriedOut(c.command) ? std::min<int>(turn_.officerCount(), kMaxOfficer) : 0;
    const CommandRule& rule = ruleOf(isCarriedOut(c.command) ? c.command : Command::Wait);
    for (int o = 1; o <= officers; ++o) {
        const Bushou& b = turn_.records.officers[static_cast<size_t>(o)];
        if (!takesPart(b, frame, row, c.command)) continue;
        int a = b.*rule.ability;
        // Ties keep the earlier officer: only a higher score takes the offer.
        switch (rule.group) {
            case Group::A: {
                int s = a + factionDie(b.gunID);
                if (s > c.best) {
                    c.best = sat16(s);
                    c.winner = o;
                }
                break;
            }
            case Group::B: {
                int s = a + turn_.rng.twoDice();
                if (s > c.best) {
                    c.best = sat16(s);
                    c.winner = o;
                }
                break;
            }
            case Group::C: {
                int entry = a + turn_.rng.twoDice();
                int bar = c.difficulty + turn_.rng.twoDice();
                if (entry >= bar) {
                    c.lastFailing = 0;
                    int s = a + turn_.rng.twoDice();
                    if (s > c.best) {
                        c.best = sat16(s);
                        c.winner = o;
                    }
                } else {
                    c.lastFailing = o;
                }
                break;
            }
        }
    }
    c.roll = turn_.rng.twoDice();
    return c;
}

void Resolution::carryOut(const OfferContest& c) {
    switch (c.command) {
        case Command::Recruit:
            recruit(c);
            break;
        case Command::RaiseTroops:
            raiseTroops(c);
            break;
        case Command::Subversion:
            subvert(c);
            break;
        case Command::YellowTurbans:
            subdueYellowTurbans(c);
            break;
        case Command::Barbarians:
            subdueBarbarians(c);
            break;
        case Command::Mediation:
            mediate(c);
            break;
        case Command::Denounce:
            denounce(c);
            break;
        case Command::JoinAlliance:
            joinAlliance(c);
            break;
        case Command::LeaveAlliance:
            leaveAlliance(c);
            break;
        case Command::ChangeLeader:
            takeOverAlliance(c);
            break;
        case Command::War:
            declareWar(c);
            break;
        case Command::RighteousWar:
            righteousWar(c);
            break;
        default:
            break;  // 待機, 暗殺 and unknown numbers: nothing is carried out
    }
}

// Records

Bushou& Resolution::targetOfficer(int n) {
    if (hasOfficer(n)) return turn_.records.officers[static_cast<size_t>(n)];
    scratchOfficer_ = turn_.records.officers[0];
    return scratchOfficer_;
}

gun& Resolution::targetFaction(int n) {
    if (hasFaction(n)) return turn_.records.factions[static_cast<size_t>(n)];
    scratchFaction_ = turn_.records.factions[0];
    return scratchFaction_;
}

int Resolution::frameOf(int f) const {
    if (!hasFaction(f)) return -1;
    int k = g_.factionAlliance[static_cast<size_t>(f)];
    return (k >= 0 && k < kFrameCount) ? k : -1;
}

int Resolution::factionRuledBy(int ruler) const {
    for (int f = 1; f <= turn_.factionCount() && f <= kMaxFaction; ++f)
        if (turn_.records.factions[static_cast<size_t>(f)].kunshuID == ruler) return f;
    return 0;
}

}  // namespace tei
