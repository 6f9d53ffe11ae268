#pragma once
// The title screen: the opening picture, the six scenarios with the chosen one's description, the
// ruler list of its factions (several rows may be picked, one player each) and the commands new
// game, continue, reset officers and quit. A shell over ScenarioSetup; exec() tells the program
// what was chosen. When the autosave holds a game that has not ended, "前回の続きから" comes first,
// with the game's summary, and loads it.

#include <QDialog>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Random.h"
#include "setup/Opening.h"
#include "setup/ScenarioSetup.h"

class QLabel;
class QListWidget;
class QTimer;

namespace tei {

class TitleCard;

class Form2 : public QDialog {
    Q_OBJECT
public:
    // What exec() returns: the program ends, a new game was made, or a saved game was loaded.
    enum Choice { Quit = 0, NewGame = 1, Continue = 2 };

    Form2(GameFolder& folder, GameGlobals& g, Random& rng, QWidget* parent = nullptr);
    // Shows the screen; a file the opening could not read is reported once the screen shows.
    int exec() override;
    // The screen without its opening, as it comes back after a game left with "最初から".
    void skipOpening();

    const ScenarioSetup& setup() const { return setup_; }
    const Opening& opening() const { return opening_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void init_rtn();
    void Form_Load();
    void showRulers();
    // The scenario in effect in bold, its row highlighted even while another list has the keyboard.
    void markScenario();
    void List1_Click(int index, int row);
    void Timer1_Timer();
    void openingClick();
    void showOpening();
    void Command2_Click();
    void Command1_Click(int index);
    void cmdInit_Click();
    void cmdResume_Click();
    std::vector<int> selectedRows() const;

    GameFolder& folder_;
    GameGlobals& g_;
    ScenarioSetup setup_;
    Opening opening_;
    std::string loadError_;
    int scenarioRow_ = -1;  // the scenario list's row in effect; -1 while none is highlighted
    QWidget* Back_ = nullptr;
    QListWidget* scenarios_ = nullptr;  // List1(0)
    QListWidget* rulers_ = nullptr;     // List1(1)
    QLabel* Lab_txt_ = nullptr;
    QLabel* Hlp_ = nullptr;
    QWidget* cmdResume_ = nullptr;  // only while the autosave holds a game to go on with
    TitleCard* Picture1_ = nullptr;
    QLabel* Label1_ = nullptr;
    QTimer* Timer1_ = nullptr;
};

}  // namespace tei
