#pragma once
// The chronicle ini/teiji.log: the game's heading, then every resolved year's pages, then one line
// "EOT=======" that is always the last. Each year's pages are inserted before that line, and the log
// as it was before is kept in ini/teiji.img. Also the closing credits page of the message window, and
// the cutting of the chronicle into one page per year for the chronicle reader.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/GameFolder.h"
#include "messages/MessagePages.h"

namespace tei {

inline constexpr const char* kChronicleFile = "teiji.log";
inline constexpr const char* kChronicleBackup = "teiji.img";
inline constexpr const char* kChronicleHeading = "鼎峙録の記録";
inline constexpr const char* kChronicleEnd = "EOT=======";

// Creates ini/teiji.log anew holding the heading line. Throws FileError.
void mkFristLog(GameFolder& folder);

// The log with the year's pages inserted: the log's lines up to (not including) the first line
// "EOT=======" (all of them when there is none), then pages 0.. up to the one before the first "EOT"
// page (at most pages 0..39), each followed by a line break, then the end line.
std::string appendYear(std::string_view log, const MessagePages& pages);
// Copies ini/teiji.log to ini/teiji.img, then writes the log with the year's pages inserted. Throws
// FileError (a missing log included); the log is then left as it was.
void mkLog(GameFolder& folder, const MessagePages& pages);

// The closing credits (message window mode 0): page 0 the credits, page 1 "EOT".
void credit(MessagePages& pages);

// The chronicle cut into pages for the reader: the lines before the second year's banner on page 0,
// then one year's banner and narrative per page, at most 41 pages; reading stops at the first line
// beginning "EOT". Every line is stored with CR LF.
struct ChroniclePages {
    static constexpr int kCount = 41;
    std::array<std::string, kCount> pages{};
    std::array<int16_t, kCount> lineCounts{};
    int16_t lastPage = 0;  // the page cutting ended on: the latest year's, or 41 when the pages ran out
};
ChroniclePages cutChronicle(std::string_view text);

}  // namespace tei
