#pragma once
// All factions: one row per live faction with its ruler, troops, elite troops, public order,
// cohesion, fame, awe, number of officers and alliance leader. "武将リスト" opens the officers of
// every faction; double-clicking a row opens that faction's screen. The table opens large enough
// for every column and thirteen rows, the most factions a scenario has. At the end of the game a
// "推移グラフ" button beside the buttons opens the chart of the whole game with the final ranking.

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"

class QHBoxLayout;
class QTableWidget;

namespace tei {

class ALL_Gdata : public QDialog {
    Q_OBJECT
public:
    explicit ALL_Gdata(const GameFolder& folder, GameGlobals& g, QWidget* parent = nullptr);
    // Shows the screen, or only the message when the working files could not be read.
    int exec() override;
    // Adds the "推移グラフ" button of the final faction list.
    void offerHistoryChart();

private:
    void init_rtn();
    void Dsp_rtn();
    void Command1_Click(int index);
    void factionTable_DoubleClick(int row);
    // Makes the table at least as large as every column and kMaxRowsShown rows need.
    void fitTable();

    const GameFolder& folder_;
    GameGlobals& g_;
    QTableWidget* table_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    std::vector<int16_t> factions_;  // the faction number of each row
    std::string loadError_;
};

}  // namespace tei
