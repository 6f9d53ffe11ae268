#include <algorithm>
#include <initializer_list>

#include "battle/Battle.h"
#include "core/Numbers.h"

namespace tei {

namespace {

bool hasJob(const Bushou& b, std::initializer_list<Job> jobs) {
    return std::find(jobs.begin(), jobs.end(), Job(b.Job)) != jobs.end();
}

// The running best of a pick: a candidate takes the post only with a strictly higher score, and the
// score is kept rounded (halves to even) while the comparison uses it unrounded.
struct BestPick {
    Pick pick;

    void offer(int officer, float score) {
        if (score > static_cast<float>(pick.score)) {
            pick.score = to16(score);
            pick.officer = officer;
        }
    }
};

// Officers 1..officerCount that fit in a table.
int lastOfficer(const Turn& turn) { return std::min(turn.officerCount(), kMaxOfficer); }

}  // namespace

int Battle::pickTerm() {
    int r = turn_.rng.I(3);
    r += turn_.rng.I(3) + 2;
    return r;
}

Pick Battle::Taishou_rtn(const gun& faction) {
    BestPick best;
    for (int i = 1; i <= lastOfficer(turn_); ++i) {
        const Bushou& b = turn_.records.officers[i];
        if (b.gunID != faction.id || !hasJob(b, {Job::General, Job::Ruler, Job::Strategist})) continue;
        int r = pickTerm();
        best.offer(i, static_cast<float>(b.tactics + b.charm + r));
    }
    return best.pick;
}

// Chief strategists and staff officers count their full intellect, generals half of it; each officer
// meets the two tests in turn, so all of them compete for the one post.
Pick Battle::Gunsi_rtn(const gun& faction) {
    BestPick best;
    for (int i = 1; i <= lastOfficer(turn_); ++i) {
        const Bushou& b = turn_.records.officers[i];
        if (b.gunID != faction.id) continue;
        if (hasJob(b, {Job::Staff, Job::Strategist})) {
            int r = pickTerm();
            best.offer(i, static_cast<float>(b.wisdom + b.tactics + r));
        }
        if (Job(b.Job) == Job::General) {
            int r = pickTerm();
            best.offer(i, static_cast<float>(b.wisdom) / 2.0f + static_cast<float>(b.tactics) + static_cast<float>(r));
        }
    }
    return best.pick;
}

Pick Battle::Shougun_rtn(const gun& faction) {
    BestPick best;
    for (int i = 1; i <= lastOfficer(turn_); ++i) {
        const Bushou& b = turn_.records.officers[i];
        if (b.gunID != faction.id || Job(b.Job) != Job::General) continue;
        int r = pickTerm();
        best.offer(i, static_cast<float>(b.tactics + r));
    }
    return best.pick;
}

// Strategists and civil officials never fight a duel; a ruler does.
Pick Battle::Ikki_rtn(const gun& faction) {
    BestPick best;
    for (int i = 1; i <= lastOfficer(turn_); ++i) {
        const Bushou& b = turn_.records.officers[i];
        if (b.gunID != faction.id || !hasJob(b, {Job::Military, Job::General, Job::Ruler})) continue;
        int r = turn_.rng.I(2) + 1;
        best.offer(i, static_cast<float>(b.fight + r));
    }
    return best.pick;
}

namespace {

// Sum of one ability over the faction's officers of the given jobs; 1 instead of 0, so that a total
// can divide and multiply safely.
int16_t total(const Turn& turn, const gun& faction, std::initializer_list<Job> jobs, int16_t Bushou::*ability) {
    long long sum = 0;
    for (int i = 1; i <= lastOfficer(turn); ++i) {
        const Bushou& b = turn.records.officers[i];
        if (b.gunID == faction.id && hasJob(b, jobs)) sum += b.*ability;
    }
    int16_t s = sat16(sum);
    return s == 0 ? int16_t{1} : s;
}

}  // namespace

int16_t Battle::Ttl_Shou_rtn(const gun& faction) { return total(turn_, faction, {Job::General}, &Bushou::tactics); }

int16_t Battle::Ttl_Fgt_rtn(const gun& faction) { return total(turn_, faction, {Job::General}, &Bushou::fight); }

int16_t Battle::Ttl_Plc_rtn(const gun& faction) {
    return total(turn_, faction, {Job::Civil, Job::Staff, Job::General, Job::Strategist}, &Bushou::policy);
}

int16_t Battle::Ttl_Wis_rtn(const gun& faction) {
    return total(turn_, faction, {Job::Staff, Job::General, Job::Strategist}, &Bushou::tactics);
}

}  // namespace tei
