#pragma once
// The check of a data folder (teijiroku-cli check): everything the game takes on trust from its ini
// files, looked at before a game relies on it. Each problem is one Japanese line naming the file and,
// where there is one, the record; no problem means the folder is sound.
//
// Checked: every master file of the six scenarios is present and readable text; the officer masters
// hold records 1..155/155/160 and the faction masters 1..13/12/13, numbered in order, each with all
// its values and no more, and no name written bare with a leading "." (which passes for a marker);
// every ruler serves himself with Job 5; every faction's ruler is such an officer; alliance leaders
// lead themselves and members name a leader; every officer serves nobody or a ruler of his scenario;
// comment numbers lie below 200 and exist in Comment.ini; the name lists are long enough and hold no
// double quote; every template the game shows and every description is present and reachable.
//
// A master that differs from its backup is what the officer editor makes: a note says how many
// officers were changed, and the backup, which the editor restores from, must be sound itself.

#include <filesystem>
#include <string>
#include <vector>

namespace tei {

// What the check found: problems (the folder is not sound) and notes (worth knowing, not a fault).
struct DataCheckReport {
    std::vector<std::string> problems;
    std::vector<std::string> notes;
};

// The report on the data folder 'iniDir' (the folder holding the files, "ini" in a game folder).
DataCheckReport checkDataFolder(const std::filesystem::path& iniDir);

}  // namespace tei
