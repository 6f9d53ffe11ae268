#pragma once
// The chronicle reader: the chronicle at logPath, one year to a page, in a scrollable read-only area
// with the page buttons of the message window. A shell over ChronicleReader. PageUp and PageDown turn
// the pages, Escape closes. A chronicle that cannot be read is reported instead of shown.

#include <QDialog>
#include <array>
#include <filesystem>
#include <string>

#include "core/GameFolder.h"
#include "messages/ChronicleReader.h"

class QPlainTextEdit;
class QPushButton;

namespace tei {

class DLogReader : public QDialog {
    Q_OBJECT
public:
    explicit DLogReader(const GameFolder& folder, QWidget* parent = nullptr);

    // The chronicle to read, set before the reader is shown.
    std::filesystem::path logPath;

    // Reads the chronicle and shows its first page; when it cannot be read, shows the message naming
    // it and returns Rejected without showing the reader.
    int exec() override;
    // Reads the chronicle and shows its first page; the message when it could not be read.
    std::string Form_Load();

    const ChronicleReader& reader() const { return reader_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void init_rtn();
    void dsp_Text_rtn();
    void Command1_Click(int index);

    const GameFolder& folder_;
    ChronicleReader reader_;
    QPlainTextEdit* dspMsg_ = nullptr;
    std::array<QPushButton*, 4> Command1_{};
};

}  // namespace tei
