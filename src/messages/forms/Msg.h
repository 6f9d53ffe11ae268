#pragma once
// The message window: one page of text at a time in a scrollable read-only area, the page buttons
// 閉/前ページ/次ページ/最終ページ as the MessageWindow engine enables them, and the warning that a player is
// under attack. It shows the pages it is opened with: the credits (its timer turns the pages), a
// year's story or one prepared text, with the heading it is given (the year-end window's year) and
// "n / m" beside the buttons: the page on view and the last page. PageUp and PageDown turn the pages;
// Escape closes it when closing is allowed.

#include <QDialog>
#include <array>

#include "core/GameGlobals.h"
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
    Msg(GameGlobals& g, WindowPages shown, QWidget* parent = nullptr);

    // Shows page 0 of the pages, the warning when a player was attacked, and starts the credits' timer.
    void Form_Load();

    const MessageWindow& window() const { return window_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void init_rtn();
    void Command1_Click(int index);
    void Timer1_Timer();
    void dsp_Text_rtn();

    MessageWindow window_;
    WindowPages shown_;
    QPlainTextEdit* Label1_ = nullptr;
    QLabel* Lbl_Caution_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* pageCounter_ = nullptr;
    std::array<QPushButton*, 4> Command1_{};
    QTimer* Timer1_ = nullptr;
};

}  // namespace tei
