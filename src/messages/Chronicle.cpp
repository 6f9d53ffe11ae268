#include "messages/Chronicle.h"

#include <limits>

#include "core/TextLines.h"

namespace tei {

namespace {

constexpr const char* kBannerMark = "＝";
constexpr int kLastLoggedPage = 39;  // a page 40 is never recorded

}  // namespace

void mkFristLog(GameFolder& folder) {
    folder.writeText(folder.ini(kChronicleFile), std::string(kChronicleHeading) + kCrLf);
}

std::string appendYear(std::string_view log, const MessagePages& pages) {
    std::string out;
    out.reserve(log.size() + 4096);
    forEachLine(log, [&](std::string_view line) {
        if (line == kChronicleEnd) return false;
        out.append(line).append(kCrLf);
        return true;
    });
    for (int i = 0; i <= kLastLoggedPage && i < pages.count(); ++i) {
        out.append(pages.at(i)).append(kCrLf);
        if (pages.isEnd(i + 1)) break;
    }
    out.append(kChronicleEnd).append(kCrLf);
    return out;
}

void mkLog(GameFolder& folder, const MessagePages& pages) {
    auto log = folder.ini(kChronicleFile);
    auto old = folder.snapshotFile(log, folder.ini(kChronicleBackup));
    folder.writeText(log, appendYear(*old, pages));
}

void credit(MessagePages& pages) {
    std::string page;
    for (int i = 0; i < 23; ++i) page += kCrLf;
    page += std::string("　　　　　Produced by") + kCrLf;
    page += std::string("　　　　　　　鼎峙録・覇業編 開発チーム") + kCrLf;
    page += kCrLf;
    page += std::string("　　　　　　　鼎峙録プロジェクト") + kCrLf;
    pages.at(0) = page;
    pages.at(1) = kEndOfPages;
}

// Every line beginning "＝" counts towards the banner; the fourth such line opens the next page, so a
// page holds one year's three banner lines and its narrative.
ChroniclePages cutChronicle(std::string_view text) {
    ChroniclePages out;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    int page = 0;
    int banner = 0;
    forEachLine(text, [&](std::string_view line) {
        if (line.starts_with(kBannerMark)) ++banner;
        if (line.starts_with("EOT")) return false;
        if (banner > 3) {
            banner = 1;
            ++page;
        }
        if (page >= ChroniclePages::kCount) return false;
        auto p = static_cast<size_t>(page);
        out.pages[p].append(line).append(kCrLf);
        if (out.lineCounts[p] < std::numeric_limits<int16_t>::max()) ++out.lineCounts[p];
        return true;
    });
    out.lastPage = static_cast<int16_t>(page);
    return out;
}

}  // namespace tei
