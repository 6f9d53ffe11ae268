#pragma once
// The save/load screen, in save mode (gameMode Save) or load mode (Continue): the slot number is typed
// on ten digit buttons (or the keyboard's digits; "←" and Backspace take back the last one), "取消"
// clears it, "決定" asks and then saves or loads, "戻る" closes without doing anything. Beside the pad
// the slots that hold a game are listed with their summaries and times: clicking one puts its number
// on the pad, a double click also confirms; loading, the autosave ("オートセーブ") heads the list.
// Saving over a slot that holds a game asks once more, and a save ends with a short notice. A shell
// over SaveSlots; dialogResult is 1 when a save or load was carried out.

#include <QDialog>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "screens/SaveSlots.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace tei {

inline constexpr const char* kSaveCaption = "セーブ画面";
inline constexpr const char* kLoadCaption = "ロード画面";
inline constexpr const char* kNoSavedSlots = "セーブデータはありません";

class SVLD : public QDialog {
    Q_OBJECT
public:
    explicit SVLD(GameFolder& folder, GameGlobals& g, QWidget* parent = nullptr);

    const SlotNumber& slotNumber() const { return slot_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void init_rtn();
    void Command1_Click(int digit);
    void Command2_Click(int index);
    void Command3_Click();
    void showSlotNumber();
    void fillSlotList();
    void slotList_Click(QTreeWidgetItem* item);

    GameGlobals& g_;
    SaveSlots slots_;
    SlotNumber slot_;
    GameMode mode_ = GameMode::Save;  // Save, or Continue to load
    QLabel* Lab_num_ = nullptr;
    QTreeWidget* slotList_ = nullptr;
};

}  // namespace tei
