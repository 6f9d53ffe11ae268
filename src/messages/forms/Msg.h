#pragma once
// The message window: one page of text at a time in a scrollable read-only area, the page buttons
// 閉/前ページ/次ページ/最終ページ as the MessageWindow engine enables them, and the warning that a player is
// under attack. By msgMode it shows the credits (its timer turns the pages), resolves the year
// g.detailId and shows its story, or shows one prepared text (msgText). PageUp and PageDown turn the
// pages; Escape closes it when closing is allowed.

#include <QDialog>
#include <array>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Random.h"
#include "game/Host.h"
#include "messages/MessageWindow.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tei {

inline constexpr int kCreditsPageMs = 2500;

class Msg : public QDialog {
    Q_OBJECT
public:
    Msg(const GameFolder& folder, GameGlobals& g, Random& rng, QWidget* parent = nullptr);

    // Composes the pages by msgMode and shows page 0. In mode 1 the year is resolved here and
    // written to the working files and the chronicle; throws FileError when that fails (nothing is
    // then written).
    void Form_Load();

    // The fall of player factions in the year just resolved.
    const MessageWindowResult& flags() const { return flags_; }
    const MessageWindow& window() const { return window_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void init_rtn();
    void Command1_Click(int index);
    void Timer1_Timer();
    void dsp_Text_rtn();

    const GameFolder& folder_;
    GameGlobals& g_;
    Random& rng_;
    MessageWindow window_;
    MessageWindowResult flags_;
    QPlainTextEdit* Label1_ = nullptr;
    QLabel* Lbl_Caution_ = nullptr;
    std::array<QPushButton*, 4> Command1_{};
    QTimer* Timer1_ = nullptr;
};

}  // namespace tei
