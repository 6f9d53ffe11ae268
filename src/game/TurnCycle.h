#pragma once
// The engine behind the main screen: the year from the dealing of offers through the players' turns,
// the resolution, the year end and the year change, up to the final report. It owns the frames, the
// offers, the computer's choice, the year-end administration and the reports, keeps the turn and the
// year, and talks to the person only through Host. The order of a year lives here alone: each step
// is carried out first, then the Host is handed the pages to show. The main screen shows what the
// cycle holds and turns clicks into calls.
//
// A working file that cannot be read or written stops the step it happened in; the error is caught
// once, where the call came in, and reported through Host; the call then returns false.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Random.h"
#include "core/RecordScratch.h"
#include "game/ComputerChoice.h"
#include "game/Frames.h"
#include "game/Host.h"
#include "game/Offers.h"
#include "game/Reports.h"
#include "messages/MessagePages.h"

namespace tei {

inline constexpr const char* kHintSeparator = "　";
inline constexpr const char* kNotSavedQuestion = "セーブをしてませんがよろしいですか？";

// The heading of the year-end window, the year just resolved: "189年 年末".
inline std::string yearEndHeading(int year) { return std::to_string(year) + "年 年末"; }

struct PlayerLine {
    std::string name;  // the slot's display name
    int16_t faction;   // 0 once the faction has fallen
};

class TurnCycle {
public:
    TurnCycle(const GameFolder& folder, GameGlobals& g, Random& rng, Host& host);

    // Start-up of the main screen: a new game, or a loaded one (gameMode Continue).
    bool Form_Load();

    // Player actions
    bool Command1_Click(int index);               // index 3: the Auto button
    bool Com_Lst_Click(int frame, int position);  // an offer clicked
    bool dsp_PC_Click(int row);                   // a line of the player list clicked
    bool Gun_lst_Click(int frame, int row);       // a faction of a frame clicked
    bool cmdSave_Click();
    bool cmdLoad_Click();
    // True when the game is to be left for the title screen (the slots are then cleared).
    bool newGame_Click();
    // True when the program is to end.
    bool exitGame_Click();

    // What the main screen shows
    const std::string& yearHeading() const { return yearHeading_; }
    const std::string& playerLabel() const { return playerLabel_; }
    std::vector<PlayerLine> playerList() const;
    const Frames& frames() const { return frames_; }
    // Offer texts of frame k, in list order.
    std::vector<std::string> offerNames(int k) const;
    // What pointing at an offer shows: its name, then its target, the troops it gains and its
    // difficulty as its description tells them ("糾弾　対象：袁紹　難易度 3", "黄巾賊退治　対象：張角
    // 兵力 12000　難易度 5"), so two offers of one name can be told apart. Reads the working files but
    // changes nothing; empty when there is no such offer.
    std::string offerHint(int frame, int position) const;
    // True when frame k's offer list is the current player's (light cyan).
    bool isCurrentPlayersFrame(int k) const { return frames_.isPlayersFrame(k, turnSlot); }
    bool ended() const { return ended_; }
    // Every faction's standing in the final report, once it was composed; empty before.
    const std::vector<Standing>& finalStandings() const { return finalStandings_; }

    // The year's steps, under their names in the game
    void tebanIncliment_rtn();
    void Strate_rtn();
    void T_End_rtn();
    void Res_rtn();
    void Limit_rtn();
    void End_rtn();
    void Dsp_rtn();
    void mkFristLog();
    void mk_Gunsv_rtn();

    // Main-screen state
    int16_t turnSlot = 0;
    int16_t yearCounter = 0;
    int16_t lastYear = 0;
    bool allLostNoticeShown = false;
    MessagePages reportText{51, 50};
    Command selectedCommand = Command::Wait;

private:
    // What an offer's description names besides its caption.
    struct OfferTarget {
        bool named = false;   // false for the offers that act on the own alliance, and 待機
        std::string name;     // the target officer's or faction's name (textArg1)
        int16_t officer = 0;  // the officer whose data the description offers (detailId), else 0
        std::string amount;   // the line telling the troops gained, for the offers that gain some
    };
    OfferTarget offerTarget(int frame, int position) const;

    void init_rtn();
    void ld_PCGun_rtn();
    void setScenarioYears(bool setFirstYear);
    void endOfTurn();
    void restoreLoadedGame();
    void restoreSavedCohesion();
    void report(const char* title);
    // The name of the offer at a list position of frame k; empty when there is none.
    std::string offerName(int frame, int position) const;
    // Runs a step; a FileError is reported through Host and makes it return false.
    bool guarded(const std::function<void()>& step);

    const GameFolder& folder_;
    GameGlobals& g_;
    Random& rng_;
    Host& host_;
    RecordScratch scratch_;
    Frames frames_;
    Offers offers_;
    ComputerChoice choice_;
    std::string yearHeading_;
    std::string playerLabel_ = "プレイヤー";
    bool ended_ = false;
    std::vector<Standing> finalStandings_;
};

}  // namespace tei
