#pragma once
// The officers of every faction: a name label and a list for each live faction, thirteen of each.
// Clicking an officer opens his status.

#include <QDialog>
#include <array>
#include <string>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace tei {

class All_Bdata : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSlots = 13;

    explicit All_Bdata(GameFolder& folder, GameGlobals& g, QWidget* parent = nullptr);
    int exec() override;

private:
    void init_rtn();
    void Dsp_rtn();
    void Chr_lst_Click(QListWidgetItem* item);

    GameFolder& folder_;
    GameGlobals& g_;
    std::array<QLabel*, kSlots> Lab_name_{};
    std::array<QListWidget*, kSlots> Chr_lst_{};
    std::string loadError_;
};

}  // namespace tei
