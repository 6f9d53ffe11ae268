#pragma once
// The main screen: the year heading, the four strategy frames (member factions, offers, alliance
// summary), the players and the Auto button, and the menus. It shows what the TurnCycle holds, turns
// clicks into its calls and redraws after each; as the cycle's Host it answers with the game's
// message boxes and opens the message window, the strategy description, the faction screens and the
// save/load screen. exec() ends with Quit when the program is to end, BackToTitle for a new game.

#include <QDialog>
#include <array>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Random.h"
#include "game/Host.h"
#include "game/TurnCycle.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tei {

inline constexpr const char* kLightCyan = "#C0FFFF";

class Main : public QDialog, public Host {
    Q_OBJECT
public:
    enum Outcome { Quit = 0, BackToTitle = 1 };

    Main(const GameFolder& folder, GameGlobals& g, Random& rng, QWidget* parent = nullptr);
    // Starts the game once the screen is up (a new game or the loaded one), then runs the screen.
    int exec() override;
    // The start of the game: the first year is dealt and the first player is called.
    void start();

    const TurnCycle& cycle() const { return cycle_; }

    // Host
    void notify(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    void showMessageWindow(const WindowPages& window) override;
    void showStrategy() override;
    void showFactionDetail() override;
    void showFactionList() override;
    void showSaveLoad() override;
    void endProgram() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The window's close box asks as the quit command does.
    void reject() override;

private:
    void init_rtn();
    void buildMenus();
    QGroupBox* buildFrame(int k);
    // Redraws everything from the cycle, and leaves the screen when the program is to end.
    void refresh();
    void afterCall();
    void Com_Lst_Click(int k, int row);
    void Gun_lst_Click(int k, int row);
    void dsp_PC_Click(int row);
    void Command1_Click(int index);
    void cmdSave_Click();
    void cmdLoad_Click();
    void newGame_Click();
    void exitGame_Click();
    void mnAllGdata_Click();
    void mnForecast_Click();
    void mnLog_Click();

    const GameFolder& folder_;
    GameGlobals& g_;
    TurnCycle cycle_;
    bool ending_ = false;
    QLabel* yearHeading_ = nullptr;
    QLabel* playerLabel_ = nullptr;
    QListWidget* dsp_PC_ = nullptr;
    QLabel* Lab_hlp_ = nullptr;
    QPushButton* Command1_3_ = nullptr;
    std::array<QGroupBox*, kFrameCount> Frame1_{};
    std::array<QListWidget*, kFrameCount> Gun_lst_{};
    std::array<QListWidget*, kFrameCount> Com_Lst_{};
    std::array<QLabel*, kFrameCount> summaryHeading_{};  // frames 1..3
    std::array<QLabel*, kFrameCount> summaryValue_{};    // frames 1..3
};

}  // namespace tei
