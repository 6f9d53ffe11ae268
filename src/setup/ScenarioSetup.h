#pragma once
// The title screen's engine: the scenario in effect, its ruler list and description, and the working
// files made from the scenario's master files. Form2 holds one and turns clicks into its calls.
//
// The screen actions (Form_Load, chooseScenario, resetOfficers, startNewGame) read every file they
// need before they write anything: a missing or unreadable file is reported as a Japanese message
// naming it, and the working files and the scenario in effect stay as they were. Each writes its files
// as one step. The routines under their names in the game throw FileError instead.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Random.h"
#include "core/Records.h"

namespace tei {

inline constexpr const char* kFamilyNameFile = "sei.ini";
inline constexpr const char* kGivenNameFile = "mei.ini";
inline constexpr int kFamilyNamesRead = 170;
inline constexpr int kFamilyNamesUsed = 166;
inline constexpr int kGivenNamesRead = 150;

inline constexpr const char* kNoRulerSelected = "武将が選択されていません";
inline constexpr const char* kStartQuestionTail = "でゲームを開始しますか？";
inline constexpr const char* kRetainersWillChange = "配下の構成は変わります";
inline constexpr const char* kResetDone = "初期化しました";
inline constexpr const char* kResetNotDone = "武将データは初期化されていません。";
inline constexpr const char* kMakingData = "データを作成しています";
inline constexpr const char* kHelpScenarioList = "シナリオを選んでください";
inline constexpr const char* kHelpRulerList =
    "軍閥の君主を選んでから、「新規ゲーム」を押してください（複数プレイ可能）";

// One row of the ruler list: the faction's name as shown and its faction number (the item data).
struct RulerRow {
    std::string text;
    int16_t faction = 0;
};

// What a screen action came to: done, or refused with a message for an OK box.
struct SetupOutcome {
    bool ok = true;
    std::string message;  // the refusal or the file problem; "初期化しました" after a reset
};

// The new-game command before its question: either refused, or the question to ask.
struct NewGameQuestion {
    bool refused = false;
    std::string text;  // "武将が選択されていません", or the last selected row + "でゲームを開始しますか？"
};

class ScenarioSetup {
public:
    ScenarioSetup(const GameFolder& folder, GameGlobals& globals, Random& rng)
        : folder_(folder), g_(globals), rng_(rng) {}

    // Screen actions
    // Opening of the title screen: scenario 1 and its counts, its working files, description 21 and
    // its ruler list.
    [[nodiscard]] SetupOutcome Form_Load();
    // A click on row 0..5 of the scenario list: that scenario, its description, working files and
    // ruler list. Another row does nothing.
    [[nodiscard]] SetupOutcome chooseScenario(int row);
    // A click on a ruler row: detailId and msgText for the faction screen.
    void showFactionOfRow(int row);
    // The question before resetting the scenario's officers (with a line naming the two scenarios
    // that share the master), and the reset itself: the backup over the master and the working files
    // rebuilt from it, as one step. When any of it fails nothing is changed, and the message says so
    // before naming what failed.
    std::string resetQuestion() const;
    [[nodiscard]] SetupOutcome resetOfficers();
    // The new-game command: what to ask (or the refusal), then, after OK, the new game itself: the
    // officer file with the fictional officers (with the new game's chronicle and faction file), then
    // gameMode New and the player slots at the rows' positions. Rows are ruler-list rows; numbers that
    // are no row are ignored.
    NewGameQuestion askNewGame(const std::vector<int>& selectedRows) const;
    [[nodiscard]] SetupOutcome startNewGame(const std::vector<int>& selectedRows);

    // Routines under their names in the game; they throw FileError
    void mk_Rinbusv();      // officer master -> busv.ini, Comment.ini -> Cmtsv.ini
    void mk_Gunsv_rtn();    // faction master -> gunsv.ini
    void ld_Gnm_rtn();      // ruler list from the faction master
    void ld_Text_rtn();     // description textNo from Command.ini
    void initBushouFile();  // backup officer master over the officer master
    void ori_Chr_rtn();     // mk_Name_rtn, mk_Abl_rtn, mk_Busv_rtn, officerCount = 170
    void mk_Name_rtn();
    void mk_Abl_rtn();
    void mk_Busv_rtn();

    // State
    const std::vector<RulerRow>& rows() const { return rows_; }
    int16_t rulerOfRow(int row) const { return row >= 0 && row < kSlotCount ? rulerOfRow_[row] : 0; }
    const std::string& description() const { return description_; }
    // The title screen's officer tables, entries 1..170 once a new game was made.
    const OfficerTable& officers() const { return officers_; }

private:
    // Reads each named ini file once, so a missing one is found before anything is written.
    void requireFiles(const std::vector<std::string>& names) const;
    // Throws FileError naming the record when the scenario's officer or faction master holds a value
    // written bare with a leading ".".
    void requireReadableMasters() const;
    std::vector<bool> selection(const std::vector<int>& selectedRows) const;

    const GameFolder& folder_;
    GameGlobals& g_;
    Random& rng_;
    std::vector<RulerRow> rows_;
    std::array<int16_t, kSlotCount> rulerOfRow_{};
    std::string description_;
    OfficerTable officers_{};
};

// The name lists: at most 'limit' names, one per item; an empty item (",," or a blank line) is an
// empty name.
std::vector<std::string> parseNameList(std::string_view text, int limit);
// What is wrong with the first name holding a double quote ("名前「…」には二重引用符…"), if any.
// A fictional officer's name joins a family name and a given name, and a join of a name holding a
// quote with one holding a comma, or a blank or "." at its start, could be written to the officer
// file in neither form: the lists must hold no quote.
std::optional<std::string> nameWithQuote(const std::vector<std::string>& names);

}  // namespace tei
