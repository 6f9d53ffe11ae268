#pragma once
// One officer record in a named officer file (the working file or a scenario master), and an
// officer's comment. Used by the status screen and the editors.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/GameFolder.h"
#include "core/Records.h"

namespace tei {

inline constexpr int kFictionalCommentId = 200;
inline constexpr const char* kFictionalComment = "この１ゲーム限りの架空の人物。";

// The record numbered 'number' of an officer file, or nothing when the file has none.
std::optional<Bushou> parseOfficerRecord(std::string_view text, int number);
std::optional<Bushou> readOfficerRecord(const GameFolder& folder, const std::filesystem::path& file, int number);

// The file's text with the officer's own record replaced from 'b' (name and picture name bare); every
// other line is kept as it was, line ends become CR LF.
std::string replaceOfficerRecord(std::string_view text, const Bushou& b);
// Copies the file to ini/buimg.ini, then writes it anew with the officer's record replaced.
void writeOfficerRecord(const GameFolder& folder, const std::filesystem::path& file, const Bushou& b);

// Each shown line of a comment begins with this indent.
inline constexpr const char* kCommentIndent = "  ";

// The comment shown for an officer: empty for commentID 0, the fixed fictional-person text for 200,
// otherwise the items of comment record commentID, each as the indent, the item and CR LF. A comma
// outside quotes starts a new shown line; inside quotes two quotes in a row stand for one.
std::string commentFromText(std::string_view commentFileText, int commentID);
std::string ld_Comment_rtn(const GameFolder& folder, int commentID);

}  // namespace tei
