#pragma once
// One officer's status (officer detailId): name, job, the ability rows of his job and his comment.
// The door to the editors: the edit button opens the officer editor, clicking the comment opens the
// comment editor, and after either the status is drawn anew from the files.

#include <QDialog>
#include <array>
#include <string>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "screens/OfficerStatus.h"

class QLabel;
class QPushButton;

namespace tei {

class Status : public QDialog {
    Q_OBJECT
public:
    explicit Status(GameFolder& folder, GameGlobals& g, QWidget* parent = nullptr);
    int exec() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void init_rtn();
    // Reads the officer and his comment (ld_Chr_rtn, ld_Comment_rtn) and shows them; false when the
    // files could not be read (loadError_ says why).
    bool Dsp_rtn();
    void cmdEdit_Click();
    void Lab_cmt_Click();

    GameFolder& folder_;
    GameGlobals& g_;
    int16_t officerNo_ = 0;  // kept apart from detailId, which later screens may reuse
    OfficerStatus status_;
    QLabel* Name_lab_ = nullptr;
    QLabel* job_ = nullptr;
    std::array<QLabel*, kAbilityRows> Skl_Kind_{};
    std::array<QLabel*, kAbilityRows> Skl_Lab_{};
    QLabel* Lab_cmt_ = nullptr;
    QLabel* Lab_hlp_ = nullptr;
    QPushButton* cmdEdit_ = nullptr;
    std::string loadError_;
};

}  // namespace tei
