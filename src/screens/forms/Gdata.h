#pragma once
// One faction in detail (faction detailId): troops, elite troops, fame, public order, cohesion and
// awe, the note the opener left in msgText, and the faction's officers in five lists by job.
// Clicking an officer opens his status; Command1 opens the officer table of the faction.

#include <QDialog>
#include <array>
#include <string>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "screens/WorldView.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace tei {

class Gdata : public QDialog {
    Q_OBJECT
public:
    explicit Gdata(GameFolder& folder, GameGlobals& g, QWidget* parent = nullptr);
    int exec() override;

private:
    void init_rtn();
    bool Dsp_rtn();  // false when the files could not be read (loadError_ says why)
    void jobList_Click(QListWidgetItem* item);
    void Command1_Click();

    GameFolder& folder_;
    GameGlobals& g_;
    int16_t faction_ = 0;  // the faction shown, kept apart from detailId, which the status reuses
    QLabel* heading_ = nullptr;
    std::array<QLabel*, 6> values_{};
    QLabel* note_ = nullptr;
    std::array<QListWidget*, kJobLists> jobLists_{};
    std::string loadError_;
};

}  // namespace tei
