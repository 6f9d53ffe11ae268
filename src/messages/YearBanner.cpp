#include "messages/YearBanner.h"

#include "core/GameFolder.h"

namespace tei {

namespace {
constexpr const char* kBannerRule = "＝＝＝＝＝＝＝＝＝";
}  // namespace

std::string yearBanner(int year) {
    std::string out = kBannerRule;
    out += kCrLf;
    // The year in plain digits: no leading blank here, unlike numbers inside the narrative.
    out += "＝＝ 　" + std::to_string(year) + "年　＝＝";
    out += kCrLf;
    out += kBannerRule;
    out += kCrLf;
    return out;
}

void beginYearPages(MessagePages& pages, int year) {
    pages.clear_Text_rtn();
    pages.page = 0;
    pages.at(0) = yearBanner(year);
}

}  // namespace tei
