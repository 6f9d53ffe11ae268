#pragma once
// The banner that opens a year in the message window: three lines of "＝" whose middle line names the
// year, as "＝＝ 　189年　＝＝". Every line ends with CR LF.

#include <string>

#include "messages/MessagePages.h"

namespace tei {

std::string yearBanner(int year);

// Empties every page, returns to page 0 and writes the banner there: how the window starts composing a
// year's story.
void beginYearPages(MessagePages& pages, int year);

}  // namespace tei
