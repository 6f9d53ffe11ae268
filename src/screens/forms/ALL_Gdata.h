#pragma once
// All factions: one row per live faction with its ruler, troops, elite troops, public order,
// cohesion, fame, awe, number of officers and alliance leader. "武将リスト" opens the officers of
// every faction. At the end of the game a "推移グラフ" button beside them opens the chart of the whole
// game with the final ranking.

#include <QDialog>
#include <string>

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

    const GameFolder& folder_;
    GameGlobals& g_;
    QTableWidget* table_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    std::string loadError_;
};

}  // namespace tei
