#pragma once
// The game's fixed vocabularies: the strategy commands, the officers' jobs, what the main screen is
// started for and what the message window shows. Each enumerator's value is the game's own number,
// the one the offer lists, the records and the files hold.
//
// The enumerations are scoped and 16-bit, as the values they name. A record keeps its job as the
// 16-bit number its file holds (Bushou::Job); code that reads it as a job says so, Job(b.Job), and
// numberOf(Job::Ruler) stores one back.

#include <array>
#include <cstdint>
#include <type_traits>

namespace tei {

// The strategy commands: every offer of the main screen carries one.
enum class Command : int16_t {
    Wait = 0,            // 待機
    Recruit = 1,         // 人材募集
    RaiseTroops = 2,     // 兵力確保
    Subversion = 3,      // 調略
    YellowTurbans = 4,   // 黄巾賊退治
    Barbarians = 5,      // 異民族討伐
    Mediation = 6,       // 調停
    Denounce = 7,        // 糾弾
    JoinAlliance = 8,    // 同盟参加
    LeaveAlliance = 9,   // 脱退
    ChangeLeader = 10,   // 盟主交替
    War = 11,            // 戦争
    RighteousWar = 12,   // 義戦
    Assassination = 13,  // 暗殺, never dealt
};

// The main screen's command names by command number; room for 16, the last two empty.
inline constexpr std::array<const char*, 16> kCommandNames = {
    "待機",     "人材募集", "兵力確保", "調略", "黄巾賊退治", "異民族討伐", "調停", "糾弾",
    "同盟参加", "脱退",     "盟主交替", "戦争", "義戦",       "暗殺",       "",     ""};

// The officers' jobs, the values of Bushou::Job.
enum class Job : int16_t {
    None = 0,
    Civil = 1,       // 文官
    Military = 2,    // 武官
    Staff = 3,       // 参謀
    General = 4,     // 将軍
    Ruler = 5,       // 君主
    Strategist = 6,  // 軍師
};

// Screen labels of the jobs by job number; job 0 has no label.
inline constexpr std::array<const char*, 7> kJobLabels = {"", "文官", "武官", "参謀", "将軍", "君主", "軍師"};

// What the main screen is started for, and what the save/load screen is opened for (gameMode).
enum class GameMode : int16_t {
    New = 0,       // a new game from the title screen
    Save = 1,      // the save screen
    Continue = 2,  // the load screen, and a loaded game
};

// What the message window shows (msgMode).
enum class MsgMode : int16_t {
    Ending = 0,      // the closing credits
    Resolution = 1,  // the resolution of a year
    YearEnd = 2,     // the year-end personnel and policy text
    Report = 3,      // the interim or final report
};

// The game's number of a term, as the records and the files hold it.
template <class Term>
requires std::is_enum_v<Term>
constexpr int16_t numberOf(Term t) { return static_cast<int16_t>(t); }

// The name of command c on the main screen; empty for a number that names none.
constexpr const char* commandName(Command c) {
    int n = numberOf(c);
    return n >= 0 && n < static_cast<int>(kCommandNames.size()) ? kCommandNames[static_cast<size_t>(n)] : "";
}

}  // namespace tei
