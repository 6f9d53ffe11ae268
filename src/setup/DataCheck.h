#pragma once
// The check of a data folder (teijiroku-cli check): everything the game takes on trust from its ini
// files, looked at before a game relies on it. Each problem is one Japanese line naming the file and,
// where there is one, the record; an empty list means the folder is sound.
//
// Checked: every master file of the six scenarios is present and readable text; the officer masters
// hold records 1..155/155/160 and the faction masters 1..13/12/13, numbered in order, each with all
// its values and no more; every ruler serves himself with Job 5; every faction's ruler is such an
// officer; alliance leaders lead themselves and members name a leader; every officer serves nobody or
// a ruler of his scenario; comment numbers lie below 200 and exist in Comment.ini; the backups equal
// their masters; the name lists are long enough; every template the game shows and every description
// is present and reachable.

#include <filesystem>
#include <string>
#include <vector>

namespace tei {

// Problems of the data folder 'iniDir' (the folder holding the files, "ini" in a game folder). Notes
// that are no problems (a file read as Shift_JIS) go to 'notes' when given.
std::vector<std::string> checkDataFolder(const std::filesystem::path& iniDir,
                                         std::vector<std::string>* notes = nullptr);

}  // namespace tei
