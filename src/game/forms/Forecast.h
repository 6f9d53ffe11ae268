#pragma once
// 戦況予測: the odds of the game on the screen. The game is saved in memory as the save command would
// save it now, and played on many times by the computer for every faction, in background threads
// behind a progress dialog that can be cancelled (the window stays responsive meanwhile); then every
// faction's chance to finish first and to survive is listed, the likeliest at the top, the players'
// factions marked. The game on the screen and its files are left as they were.

#include <QDialog>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "game/Sweep.h"

class QTableWidget;

namespace tei {

inline constexpr const char* kForecastCaption = "戦況予測";
inline constexpr int kForecastGames = 500;

// Plays 'games' continuations of the game in the working files from the year shown, then shows the
// result window. Nothing more is shown after a cancel; a failure is shown in a message box.
void runForecast(QWidget* parent, const GameFolder& folder, const GameGlobals& g, int16_t year, int games);

// The result: a table of every faction with its chances as percentages and bars.
class Forecast : public QDialog {
    Q_OBJECT
public:
    Forecast(const std::vector<OddsLine>& lines, int games, int year, QWidget* parent = nullptr);

private:
    QTableWidget* table_ = nullptr;
};

}  // namespace tei
