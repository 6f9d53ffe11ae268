#pragma once
// The officer table of faction detailId: one line per officer with his abilities ("-" where an
// ability does not count for his job) and his job.

#include <QDialog>
#include <string>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"

class QTableWidget;

namespace tei {

class B_data : public QDialog {
    Q_OBJECT
public:
    explicit B_data(const GameFolder& folder, GameGlobals& g, QWidget* parent = nullptr);
    int exec() override;

private:
    void init_rtn();
    void Dsp_rtn();

    const GameFolder& folder_;
    GameGlobals& g_;
    QTableWidget* table_ = nullptr;
    std::string loadError_;
};

}  // namespace tei
