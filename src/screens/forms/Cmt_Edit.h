#pragma once
// The comment editor: the officer's name (msgText) and his comment as the status shows it, in a text
// box. "決定" writes the comment into the comment file; "戻る" closes without writing. Neither touches
// the shared dialog result, which belongs to the screens below (a strategy description's decision).

#include <QDialog>
#include <string>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Records.h"

class QLabel;
class QPlainTextEdit;

namespace tei {

class Cmt_Edit : public QDialog {
    Q_OBJECT
public:
    explicit Cmt_Edit(const GameFolder& folder, GameGlobals& g, QWidget* parent = nullptr);

    // The text put into the box before the editor is shown.
    void setComment(const std::string& text);
    void setBushou(const Bushou& officer);
    const Bushou& officer() const { return officer_; }

private:
    void init_rtn();
    void Command1_Click(int index);

    const GameFolder& folder_;
    GameGlobals& g_;
    Bushou officer_;
    QLabel* Name_lab_ = nullptr;
    QPlainTextEdit* Txt_cmt_ = nullptr;
};

}  // namespace tei
