#pragma once
// The comment editor's file work: an officer's comment written into the comment file ini/Cmtsv.ini,
// either over his existing record or as a new record at the end.
//
// The file keeps its records: every record but the officer's is copied line by line, and a record
// left without its closing "." line gets one. Record 200 (the fictional officers' comment, never
// looked up) and anything outside a record are dropped. A new record takes the number one above the
// highest record of the file and the highest number an officer of the game's file holds, and never
// 200, which stays reserved: after 199 comes 201. The master keeps such a number while the comment
// file is made anew from Comment.ini at the title screen, so it is never handed out twice.
//
// The editor's box holds the comment as the status shows it, each line indented by two blanks. Each
// line is written so that the comment reads back as it stands in the box: the indent is taken off,
// and a line that bare would read back otherwise (a comma, which starts a new line when shown; a
// blank at either end, which the reader drops; a quote or "." at its start, which would open a quoted
// text or pass for a record's marker) is written in double quotes, a quote in it doubled. The
// comment reader takes two quotes in a row inside quotes for one. The officer's name line is written
// the same way, so it stays one item.

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
// The new record's number lies above the file's records and above 'heldAbove', the highest number an
// officer holds. Nothing when a new record is needed and no number is left for it.
std::optional<CommentRewrite> rewriteComments(std::string_view fileText, int commentID, std::string_view name,
                                              std::string_view typed, int heldAbove = 0);

// One line of a comment record as written: bare when it reads back so, else in double quotes with
// its quotes doubled.
std::string commentItem(std::string_view line);
// The typed text as the lines of a record: line breaks of any kind become CR LF, empty lines at the
// end are dropped, a line's two-blank indent is taken off, and each line is a commentItem.
std::string commentLines(std::string_view typed);

// Writes the comment into ini/Cmtsv.ini (snapshot ini/Cmtimg.ini first). When a new record is made,
// its number goes to the officer's record in ini/busv.ini and in the scenario's officer master (where
// he has one), and to 'officer', all together. When a file is missing or cannot be written, every
// file is left as it was.
EditOutcome sv_Cmt_rtn(const GameFolder& folder, int scenarioNo, Bushou& officer, std::string_view name,
                       std::string_view typed);

}  // namespace tei
