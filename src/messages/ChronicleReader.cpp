#include "messages/ChronicleReader.h"

#include <algorithm>

namespace tei {

namespace {
constexpr int kLastShownPage = 39;
}  // namespace

std::optional<std::string> ChronicleReader::Form_Load(const GameFolder& folder, const std::filesystem::path& logPath) {
    try {
        load(folder.readBytes(logPath));
    } catch (const FileError& e) {
        load({});
        return e.message();
    }
    return std::nullopt;
}

// The reader opens where cutting ended, on the latest year, but never on page 40, which is not shown.
void ChronicleReader::load(std::string_view text) {
    book_ = cutChronicle(text);
    page_ = std::min<int16_t>(book_.lastPage, kLastShownPage);
    resetEnable();
}

bool ChronicleReader::filled(int i) const {
    if (i < 0 || i >= ChroniclePages::kCount) return false;
    const std::string& p = book_.pages[static_cast<size_t>(i)];
    return !p.empty() && p != kEndOfPages;
}

void ChronicleReader::resetEnable() {
    enabled_[CloseButton] = true;
    enabled_[PreviousButton] = page_ > 0;
    bool more = filled(page_ + 1) && page_ <= kLastShownPage;
    enabled_[NextButton] = more;
    enabled_[LastButton] = more;
}

bool ChronicleReader::Command1_Click(int index) {
    if (!enabled(index)) return false;
    switch (index) {
        case CloseButton:
            return true;
        case PreviousButton:
            if (page_ > 0) --page_;
            break;
        case NextButton:
            if (page_ < kLastShownPage) ++page_;
            break;
        case LastButton:
            for (int i = 0; i <= kLastShownPage && !book_.pages[static_cast<size_t>(i)].empty(); ++i)
                page_ = static_cast<int16_t>(i);
            break;
    }
    resetEnable();
    return false;
}

int ChronicleReader::labelHeight(int lineCount) { return lineCount < 160 ? lineCount * 190 : kTallestLabel; }

}  // namespace tei
