#pragma once
// The strategy description of the offer the player clicked: the offer's caption (msgText), its
// description from Command.ini (record textNo with textArg1 and textArg2), "決定" only when the offer
// is the current player's to choose (selectable), and the concerned officer's data when there is one
// (detailId). Deciding sets dialogResult to 1; "戻る" leaves it alone.

#include <QDialog>
#include <string>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"

class QLabel;

namespace tei {

inline constexpr const char* kStrategyCaption = "戦略";

class Strate : public QDialog {
    Q_OBJECT
public:
    explicit Strate(GameFolder& folder, GameGlobals& g, QWidget* parent = nullptr);
    // Shows the screen; when Command.ini could not be read, says so first and shows no description.
    int exec() override;

    const std::string& description() const { return description_; }

private:
    void init_rtn();
    void dsp_Cmd_rtn();
    void dsp_Text_rtn();
    void ld_Text_rtn();
    void Command1_Click(int index);

    GameFolder& folder_;
    GameGlobals& g_;
    int16_t officer_ = 0;  // detailId as it was handed in; the status screen may reuse detailId
    std::string description_;
    std::string loadError_;
    QLabel* Label1_ = nullptr;
    QLabel* Lab_txt_ = nullptr;
};

}  // namespace tei
