#include "messages/forms/DLogReader.h"

#include <QKeyEvent>

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "messages/MessageWindow.h"
#include "messages/forms/PageView.h"

namespace tei {

DLogReader::DLogReader(const GameFolder& folder, QWidget* parent) : QDialog(parent), folder_(folder) {
    init_rtn();
    rememberGeometry(this);
}

void DLogReader::init_rtn() {
    setObjectName(QStringLiteral("DLogReader"));
    setWindowTitle(qs(kWindowCaption));
    auto* layout = makeBackColumn(this, QStringLiteral("Picture1"));
    QWidget* back = layout->parentWidget();

    dspMsg_ = makePageView(QStringLiteral("dspMsg"), back);
    layout->addWidget(dspMsg_, 1);
    layout->addLayout(makePageButtons(back, Command1_, [this](int i) { Command1_Click(i); }));
}

std::string DLogReader::Form_Load() {
    std::optional<std::string> problem = reader_.Form_Load(folder_, logPath);
    dsp_Text_rtn();
    return problem.value_or(std::string());
}

int DLogReader::exec() {
    if (reportLoadFailure(parentWidget(), Form_Load())) return Rejected;
    return QDialog::exec();
}

void DLogReader::dsp_Text_rtn() {
    showPage(dspMsg_, Command1_, reader_.shownText(), [this](int i) { return reader_.enabled(i); });
}

void DLogReader::Command1_Click(int index) {
    if (reader_.Command1_Click(index)) {
        accept();
        return;
    }
    dsp_Text_rtn();
}

void DLogReader::keyPressEvent(QKeyEvent* event) {
    if (!turnPageByKey(event, [this](int i) { Command1_Click(i); })) QDialog::keyPressEvent(event);  // Escape closes
}

}  // namespace tei
