#pragma once
// The comment editor's file work: an officer's comment written into the comment file ini/Cmtsv.ini,
// either over his existing record or as a new record at the end.
//
// The file keeps its records: every record but the officer's is copied line by line, and a record
// left without its closing "." line gets one. Record 200 (the fictional officers' comment, never
// looked up) and anything outside a record are dropped. A new record takes the number one above the
// highest record of the file, and never 200, which stays reserved: after 199 comes 201.
//
// Typed text is written as typed, except that a "." that would begin an item (at the start of a
// line or after a comma, blanks before it not counting) becomes a full-width "．": a typed ".5"
// would otherwise end the record or pass for the header of record 5.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/GameFolder.h"
#include "core/Records.h"
#include "screens/EditOutcome.h"

namespace tei {

inline constexpr const char* kCommentEditorCaption = "武将のコメントエディタ";

struct CommentRewrite {
    std::string text;          // the new comment file, lines ended by CR LF
    int16_t newCommentId = 0;  // the number of the record appended; 0 when an existing one was rewritten
};

// The comment file's text with the record 'commentID' replaced by the officer's name and the typed
// text, or with a new record appended when the file has none (commentID 0 and 200 never have one).
// Nothing when a new record is needed and no number is left for it.
std::optional<CommentRewrite> rewriteComments(std::string_view fileText, int commentID, std::string_view name,
                                              std::string_view typed);

// The typed text as the lines of a record: line breaks of any kind become CR LF, empty lines at the
// end are dropped, and a "." beginning an item becomes "．".
std::string commentLines(std::string_view typed);

// Writes the comment into ini/Cmtsv.ini (snapshot ini/Cmtimg.ini first). When a new record is made,
// the officer's record in ini/busv.ini then takes its number, and so does 'officer'. When a file is
// missing or cannot be written, every file is left as it was.
EditOutcome sv_Cmt_rtn(GameFolder& folder, Bushou& officer, std::string_view name, std::string_view typed);

}  // namespace tei
