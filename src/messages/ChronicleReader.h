#pragma once
// The chronicle reader's engine (form DLogReader): the chronicle cut into one page per year, the page
// on view and its page buttons. A read-only twin of the message window with its own rules: next and
// last stop at the first empty page and page 40 is never shown, so a chronicle longer than the pages
// simply ends there. A button that is disabled does nothing; close is always enabled.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/GameFolder.h"
#include "messages/Chronicle.h"
#include "messages/MessageWindow.h"

namespace tei {

class ChronicleReader {
public:
    // Reads the chronicle at logPath and shows the latest year's page (at most page 39); a message
    // naming the file when it cannot be read (the reader then shows nothing).
    [[nodiscard]] std::optional<std::string> Form_Load(const GameFolder& folder, const std::filesystem::path& logPath);
    // The same from the chronicle's text.
    void load(std::string_view text);
    void resetEnable();

    // True when the window closes.
    bool Command1_Click(int index);

    bool enabled(int button) const { return button >= 0 && button < 4 && enabled_[static_cast<size_t>(button)]; }
    const std::string& shownText() const { return book_.pages[static_cast<size_t>(page_)]; }
    int16_t page() const { return page_; }
    const ChroniclePages& book() const { return book_; }
    // Height of the text label: 190 per line below 160 lines, else the tallest label.
    static int labelHeight(int lineCount);
    int shownLabelHeight() const { return labelHeight(book_.lineCounts[static_cast<size_t>(page_)]); }

private:
    bool filled(int i) const;

    ChroniclePages book_;
    int16_t page_ = 0;
    std::array<bool, 4> enabled_{true, false, false, false};
};

}  // namespace tei
