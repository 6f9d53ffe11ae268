#pragma once
// The officer editor: the job drop-down (disabled for a faction's ruler, and offering 君主 only to
// him and to one who holds it already) and the ability boxes of the chosen job. Register writes the game's officer file
// and the scenario master; restore takes the job and abilities from the scenario's backup master into the boxes without
// writing; close writes nothing.

#include <QDialog>
#include <array>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Records.h"
#include "screens/KeyAbilities.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace tei {

class Editor : public QDialog {
    Q_OBJECT
public:
    Editor(const GameFolder& folder, GameGlobals& g, const Bushou& officer, QWidget* parent = nullptr);

    // Hands over the officer to edit and shows him.
    void setBushou(const Bushou& officer);
    // The officer as last registered or restored.
    const Bushou& officer() const { return officer_; }

private:
    void init_rtn();
    // Whether the officer rules a faction of the faction file; his job number when it cannot be read.
    bool rulesAFaction() const;
    void Dsp_Chr_rtn1();
    void Dsp_Chr_rtn(Job job);
    void cmbJob_Click(int index);
    void cmdEdit_Click();
    void cmdInit_Click();

    const GameFolder& folder_;
    GameGlobals& g_;
    Bushou officer_;
    bool ruler_ = false;  // he rules a faction: his job is locked
    QLabel* Name_lab_ = nullptr;
    QComboBox* cmbJob_ = nullptr;
    std::array<QLabel*, kAbilityRows> Skl_Kind_{};
    std::array<QLineEdit*, kAbilityRows> Skl_Lab_{};
};

}  // namespace tei
