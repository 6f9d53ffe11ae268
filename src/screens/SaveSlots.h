#pragma once
// Save slots: copies of the working files and a save-information file in save/, named by the slot
// number as the player typed it ("7" and "07" are different slots; an empty number is a slot too, and
// so is a number of any length whose files' names the file system can hold).
//
//   save/busvN.ini  save/gunsvN.ini  save/CmtsvN.ini  save/teilogN.log   byte copies
//   save/saveN.ini  "同盟結束力" / year,cohesion1,cohesion2,cohesion3,scenario,0 / then for player
//                   slots 0..15: display name / ruler / faction,alliance leader
//
// A save replaces the slot's five files together and a load the four working files together: all new
// texts are written to temporaries first, so a failure leaves every old file as it was. A load reads
// and checks the whole slot before it touches the running game. The SVLD dialog is a shell over this.

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"

namespace tei {

inline constexpr const char* kSaveInfoLabel = "同盟結束力";
inline constexpr const char* kSlotNotFound = "ファイルが見つかりません";
inline constexpr const char* kSaveQuestionTail = "でセーブしますか？";
inline constexpr const char* kLoadQuestionTail = "これをロードしますか？";
inline constexpr const char* kTypeSlotNumber = "セーブ番号を打ち込んでください";
inline constexpr const char* kSaveFailed = "セーブできませんでした。";
inline constexpr const char* kSavedNotice = "セーブしました。";
inline constexpr const char* kUnreadableSlot = "（読み込めません）";
inline constexpr const char* kOverwriteTail = "のデータがあります。上書きしますか？";
inline constexpr const char* kAutoSlot = "auto";
inline constexpr const char* kAutosaveLabel = "オートセーブ";

// The contents of a save-information file.
struct SaveInfo {
    struct Slot {
        std::string name;     // display name, "" for no player
        int16_t ruler = 0;    // > 0 for an active player
        int16_t faction = 0;  // 0 when the slot is no player
        int16_t leader = 0;   // the faction's alliance leader (meishuID)
    };
    std::array<int16_t, 6> header{};              // year, cohesion of alliances 1..3, scenario, reserved
    std::array<Slot, kSavedSlotCount> players{};  // player slots 0..15 (not "slots": Qt reserves that word)
};

// The save header of the game now: the year shown, the cohesion of alliances 1..3, the scenario.
void fillSaveHeader(GameGlobals& g, int16_t year);
// The save-information file of the game's current header and player slots 0..15.
std::string formatSaveInfo(const GameGlobals& g);
// Nothing when the text is cut short: fewer than the 50 lines, or a number line lacking a value.
// Lines end in CR LF or LF; a display name keeps its commas.
std::optional<SaveInfo> parseSaveInfo(std::string_view text);

// The slot number being typed on the dialog's digit buttons.
class SlotNumber {
public:
    // Appends digit 0..9; a digit beyond 'longest' (SaveSlots::longestSlotNumber) is refused with a
    // message and the number stays as it was.
    [[nodiscard]] std::optional<std::string> type(int digit, size_t longest);
    // Takes back the last digit typed; nothing happens to an empty number.
    void erase() {
        if (!digits_.empty()) digits_.pop_back();
    }
    void clear() { digits_.clear(); }
    // The number of a slot picked from the list of saved slots.
    void set(std::string digits) { digits_ = std::move(digits); }
    const std::string& digits() const { return digits_; }
    // Lab_num's caption and the slot's display name in the questions: "save" and the digits.
    std::string label() const { return "save" + digits_; }

private:
    std::string digits_;
};

// A slot operation's result: done (for Rinload_rtn, with the summary), or a message to show.
struct SlotResult {
    bool ok = false;
    std::string text;
};

// A slot that holds a game, as the save and load screens list it.
struct SlotEntry {
    std::string slot;     // the slot number as it names the files ("7", "07", "" for save.ini)
    std::string label;    // "save" and the number, as Lab_num shows it
    std::string summary;  // as Rinload_rtn builds it; kUnreadableSlot when the information file is unreadable
    std::string when;     // the information file's local date and time, "2024/06/01 09:05"; "" when unknown
    bool readable = false;
};

// A time as the slot list shows it: local date and time to the minute.
std::string slotTime(std::time_t t);

class SaveSlots {
public:
    SaveSlots(const GameFolder& folder, GameGlobals& globals) : folder_(folder), g_(globals) {}

    // The most digits a slot number can have: its files' names must fit the file system (the
    // longest, teilogN.log, with the temporary written beside it). Any shorter number is a slot.
    size_t longestSlotNumber() const;
    // A message when the slot number cannot name a slot: not only digits, or too long for the file
    // system to hold its files' names.
    std::optional<std::string> slotProblem(std::string_view slot) const;

    // The questions the dialog asks before saving and before loading.
    static std::string saveQuestion(std::string_view slot);
    static std::string loadQuestion(std::string_view summary);
    // The question asked once more before a save replaces a slot that holds a game: "save5 には
    // シナリオ 1曹操 190年 のデータがあります。上書きしますか？" (without the summary when it cannot be
    // read). Nothing when none of the slot's five files exists.
    [[nodiscard]] std::optional<std::string> overwriteQuestion(std::string_view slot) const;

    // Every slot of save/ whose information file exists and whose number can be typed (digits only),
    // in the order of their numbers: "" first, then by value, "7" before "07".
    std::vector<SlotEntry> list() const;

    // Copies the four working files and writes the save-information file from saveHeader and slots
    // 0..15. On success dialogResult becomes 1; on failure the slot's old files are all kept.
    [[nodiscard]] SlotResult save_rtn(std::string_view slot);
    // The slot's summary: "シナリオ" Str(scenario), the first display name of slots 0..14 that is
    // neither empty nor "0", Str(year) and "年". "ファイルが見つかりません" when the slot cannot be read.
    [[nodiscard]] SlotResult Rinload_rtn(std::string_view slot) const;
    // Replaces the four working files with the slot's copies and reads saveHeader(0..4) and player
    // slots 0..15 (16..20 keep their values). On success dialogResult becomes 1; on failure nothing
    // of the running game changes.
    [[nodiscard]] SlotResult load_rtn(std::string_view slot);

    // File names of a slot inside save/.
    static std::string slotFileName(const char* stem, std::string_view slot, const char* extension);
    // The names of the five files of a slot inside save/.
    static std::vector<std::string> slotFileNames(std::string_view slot);

private:
    const GameFolder& folder_;
    GameGlobals& g_;
};

}  // namespace tei
