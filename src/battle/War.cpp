#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "battle/Battle.h"
#include "core/Numbers.h"

namespace tei {

namespace {

// Side A attacks, side B is attacked; per-side values are indexed by these.
inline constexpr int A = 0;
inline constexpr int B = 1;

// The tactics a strategist may plan, in the order they are scored. NoBattle is not chosen: the
// attacker's overwhelming force makes the enemy yield without a fight.
enum Tactic { Frontal = 1, Surprise = 2, Grand = 3, Intrigue = 4, Duel = 5, Protracted = 6, NoBattle = 7 };
inline constexpr std::array<const char*, 7> kTacticNames = {"",     "正攻法",   "奇襲",  "大戦略",
                                                            "謀略", "一騎打ち", "長期戦"};

// Fixed phrases of the battle narrative.
inline constexpr const char* kLeading = "の率いる";
inline constexpr const char* kArmy = "軍";
inline constexpr const char* kTotalTroops = "の総兵力は";
inline constexpr const char* kTheirs = "軍のそれは";
inline constexpr const char* kMorale = "の士気";
inline constexpr const char* kStrategistOf = "の軍師";
inline constexpr const char* kArmyMorale = "軍の士気が";
inline constexpr const char* kRagingA = "以下、獅子奮迅の働きを見せ、";
inline constexpr const char* kRagingB = "もここぞとばかりに暴れまわり、";
inline constexpr const char* kDefeats = "が";
inline constexpr const char* kMiddlePhase = "その流れのまま中盤戦に入り、";
inline constexpr const char* kBlankLine = "\r\n\r\n";

inline constexpr int kMoraleCap = 250;

// The two forms of a battle. A righteous war raises the attacker's troops, demoralises the defender,
// scores the frontal attack by its size, limits the attacker's tactics and is always fought out.
enum class Form { War, Righteous };

// A whole number in single precision, as the battle reckons.
float single(long long x) { return static_cast<float>(x); }

// One side of a battle, as it stands while the battle runs. Built afresh for every battle.
struct Side {
    gun* rec = nullptr;
    std::string name;  // faction name
    int16_t S = 1;     // strength: troops weighted by public order, plus elite troops
    std::string commanderName;
    int16_t capacity = 0;        // commander's Capacity
    int16_t cs = 0;              // commander's pick score
    int strategist = 0;          // officer number, 0 = none (the placeholder stands in)
    std::string strategistName;  // empty when there is none
    int16_t gi = 1;              // strategist's intellect term
    int16_t gl = 1;              // strategist's leadership term
    std::string generalName;
    int16_t gL = 0;  // general's Leadership
    std::string duelistName;
    int16_t dv = 0;                          // duelist's Valor
    int32_t a = 1;                           // troops fielded with the alliance, at least 1; wider than a record
    int16_t sh = 1, fg = 1, pl = 1, ws = 1;  // generals' Leadership and Valor, Politics, Leadership totals
    int16_t m = 0;                           // morale; may fall below 0
    int16_t mi = 0;                          // morale as the fight began, the yardstick of a defeat
};

// One battle from the opening account to the hand-over to the outcome routines. Every draw is made
// in a fixed order (side A before side B), which is part of the rules.
class Course {
public:
    Course(Battle& battle, Turn& turn, gun& attacker, gun& defender, Form form)
        : battle_(battle), turn_(turn), form_(form) {
        s_[A].rec = &attacker;
        s_[B].rec = &defender;
    }

    void run() {
        factionValues();
        commanders();
        strategists();
        generalsAndDuelists();
        allianceTroops();
        totals();
        morale();
        strategyContest();
        chooseTactic();
        announce();
        openingClash();
        if (t_ == NoBattle) {
            decideWithoutBattle();
        } else {
            middlePhase();
            decide();
        }
        announceOutcome();
        handOver();
    }

private:
    bool righteous() const { return form_ == Form::Righteous; }
    // Whether a person plays either side: such a battle is told over more pages. Both forms ask the
    // player slots through one test; only slots below the faction count are ever filled, so slots
    // 0..15 are all of them.
    bool withPlayer() const { return turn_.isPlayer(s_[A].rec->id) || turn_.isPlayer(s_[B].rec->id); }
    void setArgs(std::string arg1, std::string arg2) {
        turn_.g.textArg1 = std::move(arg1);
        turn_.g.textArg2 = std::move(arg2);
    }

    // Strength: troops weighted by public order ((tian + 50) / 150), plus elite troops; at least 1.
    void factionValues() {
        for (Side& x : s_) {
            x.name = x.rec->name;
            float weighted = single(x.rec->tian + 50) / 150.0f * single(x.rec->army);
            x.S = to16(Int(weighted) + single(x.rec->seihei));
            if (x.S <= 0) x.S = 1;
        }
    }

    void commanders() {
        for (Side& x : s_) {
            Pick commander = battle_.Taishou_rtn(*x.rec);
            const Bushou& c = turn_.officer(commander.officer);
            x.commanderName = c.name;
            x.capacity = c.charm;
            x.cs = commander.score;
        }
        setArgs(leads(s_[A]), leads(s_[B]));
        turn_.show(16);
    }
    static std::string leads(const Side& x) { return x.commanderName + kLeading + x.name + kArmy + Str(x.S); }

    // A missing strategist counts 1 for intellect and leadership and has no name; a general counts half
    // his intellect.
    void strategists() {
        for (Side& x : s_) x.strategist = battle_.Gunsi_rtn(*x.rec).officer;
        for (Side& x : s_) {
            if (x.strategist > 0) {
                const Bushou& g = turn_.officer(x.strategist);
                x.gi = Job(g.Job) == Job::General ? to16(static_cast<float>(g.wisdom) / 2.0f) : g.wisdom;
                x.gl = g.tactics;
                x.strategistName = g.name;
            } else {
                x.strategist = 0;
                x.gi = 1;
                x.gl = 1;
                x.strategistName.clear();
            }
        }
    }

    void generalsAndDuelists() {
        for (Side& x : s_) {
            const Bushou& g = turn_.officer(battle_.Shougun_rtn(*x.rec).officer);
            x.gL = g.tactics;
            x.generalName = g.name;
        }
        for (Side& x : s_) {
            const Bushou& d = turn_.officer(battle_.Ikki_rtn(*x.rec).officer);
            x.dv = d.fight;
            x.duelistName = d.name;
        }
    }

    // The cohesion of the alliance frame faction j stands in, 0..100.
    float frameCohesion(int j) const {
        int frame = turn_.g.factionAlliance[static_cast<size_t>(j)];
        if (frame < 0 || frame >= kFrameCount) return 0;
        return single(turn_.g.allianceCohesion[static_cast<size_t>(frame)]);
    }

    // Every faction of the side's alliance (its own included) fields its troops in proportion to its
    // frame's cohesion; a side outside any alliance fields its strength. Summed wider than a record,
    // as a large alliance can pass 16 bits.
    void allianceTroops() {
        int last = std::min(turn_.factionCount(), kMaxFaction);
        for (Side& x : s_) {
            int32_t a = 0;
            for (int j = 1; j <= last; ++j) {
                const gun& fj = turn_.records.factions[static_cast<size_t>(j)];
                if (fj.meishuID != x.rec->meishuID) continue;
                a = static_cast<int32_t>(Nearest(frameCohesion(j) / 100.0f * single(fj.army) + single(a)));
            }
            if (x.rec->meishuID == 0) a = x.S;
            if (a <= 0) a = 1;
            x.a = a;
        }
        // The righteous attacker fields a fifth more.
        if (righteous()) s_[A].a = static_cast<int32_t>(Int(s_[A].a * 1.2));
        setArgs(s_[A].name + kTotalTroops + Str(s_[A].a), s_[B].name + kTheirs + Str(s_[B].a));
        turn_.show(34);
    }

    void totals() {
        for (Side& x : s_) {
            x.sh = battle_.Ttl_Shou_rtn(*x.rec);
            x.fg = battle_.Ttl_Fgt_rtn(*x.rec);
            x.pl = battle_.Ttl_Plc_rtn(*x.rec);
            x.ws = battle_.Ttl_Wis_rtn(*x.rec);
        }
    }

    // A commander whose Capacity reaches the draw adds it to his side's morale (template 50, else 51).
    // A war caps morale at 250. A righteous war leaves the attacker uncapped and cuts the defender's
    // morale by a tenth, capping only that; the defender is still judged against its morale from
    // before the cut.
    void morale() {
        for (Side& x : s_) {
            int r = turn_.rng.I(4);
            r += turn_.rng.I(6) + 2;
            bool bonus = x.capacity >= r;
            long long m = 5LL * x.cs + x.pl + 100;
            if (bonus) m += 5LL * x.capacity;
            x.m = sat16(m);
            turn_.g.textArg1 = x.commanderName;
            turn_.show(bonus ? 50 : 51);
            if (!righteous() && x.m > kMoraleCap) x.m = kMoraleCap;
            x.mi = x.m;
        }
        if (righteous()) {
            Side& d = s_[B];
            d.m = to16(single(d.m * 9LL) / 10.0f);
            if (d.m > kMoraleCap) d.m = d.mi = kMoraleCap;
        }
        turn_.g.textArg1 = s_[A].pl >= s_[B].pl ? s_[A].name : s_[B].name;
        turn_.show(49);
        moraleLine();
    }

    void moraleLine() {
        turn_.append(s_[A].name + kMorale + Str(s_[A].m) + " " + s_[B].name + kMorale + Str(s_[B].m) + kBlankLine);
    }

    // The side whose strategist plans the battle; a tie goes to the attacker.
    void strategyContest() {
        int r[2];
        for (int k : {A, B}) {
            r[k] = turn_.rng.I(2);
            r[k] += turn_.rng.I(2) + 2;
        }
        int sumA = s_[A].gi + s_[A].gl + r[A];
        int sumB = s_[B].gi + s_[B].gl + r[B];
        w_ = sumA >= sumB ? A : B;
        turn_.g.textArg1 = s_[w_].name + kStrategistOf + s_[w_].strategistName;
    }

    // The planner scores the tactics in a fixed order and keeps the first of the best.
    void chooseTactic() {
        const Side& own = s_[w_];
        const Side& opp = s_[1 - w_];
        // The attacker in a righteous war never plans a surprise attack or a protracted war.
        bool narrow = righteous() && w_ == A;

        float T;
        if (righteous()) {
            long long margin = (own.cs + own.gl) - (opp.cs + opp.gl);
            T = single(margin * (own.S + own.fg)) / 2.0f;
        } else {
            T = single(own.S + own.fg) / single(opp.S + opp.fg) * 30.0f + single((own.cs + own.gl) - (opp.cs + opp.gl));
        }
        t_ = Frontal;
        auto consider = [&](Tactic tactic, double score) {
            if (static_cast<double>(T) < score) {
                T = static_cast<float>(score);
                t_ = tactic;
            }
        };
        float aOwn = single(own.a), aOpp = single(opp.a);

        if (!narrow) {
            long long surprise = (own.gL - opp.gl) * static_cast<long long>(own.rec->seihei) * 8;
            consider(Surprise, static_cast<double>(surprise));
        }

        float grand =
            single(own.pl + own.sh) / 10.0f + single(own.gl) - single(opp.pl + opp.sh) / 10.0f - single(opp.gl);
        consider(Grand, grand * aOwn / 10.0f);

        float intrigue = aOwn / aOpp + single(own.gi) - single(opp.gi) - aOpp / aOwn;
        consider(Intrigue, intrigue * (single(opp.rec->kessoku) / 2.0f + single(own.ws)));

        int r = turn_.rng.twoDice();  // this draw serves the duel's score only
        consider(Duel, static_cast<double>((own.dv - opp.dv) * static_cast<long long>(r) * 10));

        if (!narrow) {
            float protracted = aOwn / aOpp + single(own.gl) - single(opp.gl) - aOpp / aOwn;
            consider(Protracted, protracted * 2.0f * single(own.pl));
        }

        turn_.g.textArg2 = kTacticNames[static_cast<size_t>(t_)];

        // An overwhelming attacker makes the enemy yield without a fight; never in a righteous war.
        if (!righteous() && w_ == A) {
            const Side& a = s_[A];
            const Side& b = s_[B];
            float weight = single(a.a) / single(b.a) + single(a.pl + b.pl) / 10.0f;
            if (weight >= 15.0f && single(a.m) / single(b.m) > 1.1f) t_ = NoBattle;
        }
    }

    void announce() {
        if (t_ != NoBattle) turn_.show(17);
        if (withPlayer()) turn_.pages.nextPage();
    }

    // Side x loses L morale (Nearest(m - L), kept within 16 bits).
    void lower(Side& x, float L) { x.m = to16(single(x.m) - L); }

    // The blow of side x on side y in the open clashes: x's morale share by strength and generals'
    // Valor, plus x's draw and a bonus.
    void blow(int x, int y, float rx, float bonus) {
        Side& hit = s_[y];
        const Side& by = s_[x];
        float sum = single(s_[A].S + s_[A].fg + s_[B].S + s_[B].fg);
        float L = single(by.m) / 3.0f * single(by.S + by.fg) / sum + rx + bonus;
        lower(hit, L);
        setArgs(hit.name, Str(Int(L)));
        turn_.show(19);
    }

    static std::string moraleFalls(const Side& x, float L) { return x.name + kArmyMorale + Str(Int(L)); }

    void openingClash() {
        float r[2];
        for (int k : {A, B}) {
            int d = turn_.rng.I(6);
            d += turn_.rng.I(6);
            r[k] = single(d);
        }
        Side& a = s_[A];
        Side& b = s_[B];
        switch (t_) {
            case Frontal:
                if (single(a.cs + a.gl) + r[A] - (single(b.cs + b.gl) + r[B]) >= 0) {
                    blow(A, B, r[A], 10);
                    blow(B, A, r[B], 10);
                } else {
                    blow(B, A, r[B], 10);
                    blow(A, B, r[A], 10);
                }
                break;
            case Surprise:
                surpriseAttack(r[A], r[B]);
                break;
            case Grand:
                // The same contest whoever planned it; a tie is the attacker's.
                if (single(b.gl) + single(b.sh) / 10.0f + single(b.pl) / 10.0f + r[B] <=
                    single(a.gl) + single(a.sh) / 10.0f + single(a.pl) / 10.0f + r[A]) {
                    float L = single(a.a + a.sh) / 10.0f + r[A];
                    lower(b, L);
                    setArgs(a.strategistName, moraleFalls(b, L));
                } else {
                    float L = single(b.a + b.sh) / 10.0f + r[B];
                    lower(a, L);
                    setArgs(b.strategistName, moraleFalls(a, L));
                }
                turn_.show(26);
                break;
            case Intrigue:
                if (single(b.a) / single(a.a) + single(b.gi) + r[B] <=
                    single(a.a) / single(b.a) + single(a.gi) + r[A]) {
                    float L = single(a.ws) / 2.0f + 20.0f + r[A];
                    lower(b, L);
                    setArgs(a.strategistName, moraleFalls(b, L));
                } else {
                    float L = single(b.ws) / 2.0f + 20.0f + r[B];
                    lower(a, L);
                    setArgs(b.strategistName, moraleFalls(a, L));
                }
                turn_.show(28);
                break;
            case Duel:
                duel();
                break;
            case Protracted: {
                float L;
                if (single(b.a) / single(a.a) + single(b.gl) + r[B] <=
                    single(a.a) / single(b.a) + single(a.gl) + r[A]) {
                    L = single(a.pl) + r[A] + 20.0f;
                    lower(b, L);
                    turn_.g.textArg1 = b.name;
                } else {
                    L = single(b.pl) + r[B] + 20.0f;
                    lower(a, L);
                    turn_.g.textArg1 = a.name;
                }
                turn_.g.textArg2 = Str(Int(L));
                turn_.show(30);
                break;
            }
            case NoBattle:
                turn_.show(40);
                break;
        }
    }

    // The planner's general leads the attack against the other side's strategist; a tie is a success.
    // A success is led by the planner's champion and always counts the attacker's draw.
    void surpriseAttack(float rA, float rB) {
        int own = w_;
        int opp = 1 - w_;
        Side& o = s_[own];
        Side& p = s_[opp];
        float rOwn = own == A ? rA : rB;
        float rOpp = own == A ? rB : rA;
        if (single(p.gl) + rOpp <= single(o.gL) + rOwn) {
            float L = single(3LL * o.rec->seihei + o.dv) + rA;
            lower(p, L);
            setArgs(o.generalName, o.duelistName + (own == A ? kRagingA : kRagingB) + moraleFalls(p, L));
            turn_.show(20);
        } else {
            float L = single(p.S) / single(s_[A].S + s_[B].S) * 80.0f;
            lower(o, L);
            setArgs(o.generalName, moraleFalls(o, L));
            turn_.show(25);
        }
    }

    // Single combat of the two champions; a tie is the attacker's. The loser keeps three quarters of
    // its morale less the winner's draw.
    void duel() {
        int r[2];
        for (int k : {A, B}) {
            r[k] = turn_.rng.I(4);
            r[k] += turn_.rng.I(4) + 2;
        }
        int winner = s_[B].dv + r[B] <= s_[A].dv + r[A] ? A : B;
        int loser = 1 - winner;
        Side& l = s_[loser];
        l.m = to16(single(l.m * 3LL) / 4.0f - single(r[winner]));
        setArgs(s_[winner].duelistName + kDefeats + l.duelistName, l.name);
        turn_.show(29);
    }

    // The fight flows on: each side's draw grows with its morale and its elite troops join the blows.
    void middlePhase() {
        moraleLine();
        turn_.append(kMiddlePhase);
        if (withPlayer()) turn_.pages.nextPage();
        float r[2];
        for (int k : {A, B}) {
            int d = turn_.rng.I(6);
            d += turn_.rng.I(6);
            r[k] = single(d) + single(s_[k].m) / 10.0f;
        }
        const Side& a = s_[A];
        const Side& b = s_[B];
        if (single(b.gl + b.cs) + r[B] - (single(a.cs + a.gl) + r[A]) <= 0) {
            blow(A, B, r[A], single(a.rec->seihei));
            blow(B, A, r[B], single(b.rec->seihei));
        } else {
            blow(B, A, r[B], single(b.rec->seihei));
            blow(A, B, r[A], single(a.rec->seihei));
        }
        if (withPlayer()) turn_.pages.nextPage();
    }

    // A side wins by half again the other's morale, or when the other has fallen below two thirds of
    // its initial morale while the winner stands above three quarters of it and above the other. Side
    // B's victory is tested last and replaces side A's.
    static bool beats(const Side& x, const Side& y) {
        if (single(x.m) > 3.0f / 2.0f * single(y.m)) return true;
        return single(y.m) < 2.0f / 3.0f * single(y.mi) && single(x.m) > 3.0f / 4.0f * single(y.mi) && x.m > y.m;
    }

    void decide() {
        result_ = 0;
        if (beats(s_[A], s_[B])) result_ = 1;
        if (beats(s_[B], s_[A])) result_ = 2;
        moraleLine();
    }

    // Without a fight only the attacker can win, by far greater strength and troops.
    void decideWithoutBattle() {
        result_ = 0;
        const Side& a = s_[A];
        const Side& b = s_[B];
        if (single(a.S) / single(b.S) + single(a.a) / single(b.a) > 3.2f && a.m > b.m) result_ = 1;
    }

    void announceOutcome() {
        if (result_ != 0) {
            turn_.g.textArg1 = s_[result_ - 1].name;
            turn_.show(35);
        } else if (t_ != NoBattle) {
            turn_.show(36);
        }
        turn_.pages.nextPage();
    }

    // The winning strategist (or the placeholder) sets the size of the winner's gain and the loser's
    // loss; a surrender also moves the loser into the winner's alliance.
    void handOver() {
        gun& attacker = *s_[A].rec;
        gun& defender = *s_[B].rec;
        if (t_ != NoBattle) {
            if (result_ == 0) {
                battle_.Hikiwake_rtn(attacker, defender);
                return;
            }
            Side& w = s_[result_ - 1];
            Side& d = s_[2 - result_];
            const Bushou& P = turn_.officer(w.strategist);
            praise(P, 15);
            battle_.Shouri_rtn(*w.rec, *d.rec, P, 0);
            battle_.Haiboku_rtn(*d.rec, P);
        } else if (result_ == 1) {
            battle_.Kouhuku_rtn(attacker, defender);
            const Bushou& P = turn_.officer(s_[A].strategist);
            praise(P, 10);
            battle_.Shouri_rtn(attacker, defender, P, -1);
            battle_.Haiboku_rtn2(defender, P);
        }
    }

    // Template 42: the winning strategist and his merit, (Politics + Leadership + bonus) / 10.
    void praise(const Bushou& P, int bonus) {
        setArgs(P.name, Str(single(P.policy + P.tactics + bonus) / 10.0f));
        turn_.show(42);
    }

    Battle& battle_;
    Turn& turn_;
    Form form_;
    std::array<Side, 2> s_{};
    int w_ = A;        // the side whose strategist plans the battle
    int t_ = Frontal;  // the tactic planned
    int result_ = 0;   // 0 undecided, 1 side A wins, 2 side B wins
};

// A battle needs two distinct factions; the placeholder faction (entry 0) gathers every masterless
// officer and must never fight or be changed.
bool canFight(const gun& attacker, const gun& defender) {
    return &attacker != &defender && attacker.id != 0 && defender.id != 0;
}

}  // namespace

void Battle::War_rtn(gun& attacker, gun& defender) {
    if (!canFight(attacker, defender)) return;
    Course(*this, turn_, attacker, defender, Form::War).run();
}

void Battle::Gisen_rtn(gun& attacker, gun& defender) {
    if (!canFight(attacker, defender)) return;
    Course(*this, turn_, attacker, defender, Form::Righteous).run();
}

}  // namespace tei
