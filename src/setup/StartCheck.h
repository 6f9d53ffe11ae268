#pragma once
// What the game program looks for before it opens the title screen: the ini folder and every file a
// game reads from it (the masters and backups of the six scenarios, the comment master, the name
// lists and the two template files). Only presence is checked; the files' contents are read, and
// reported on, by the screens that use them.

#include <optional>
#include <string>
#include <vector>

#include "core/GameFolder.h"

namespace tei {

// The files a game needs inside ini/, in the order they are reported.
std::vector<std::string> requiredGameFiles();

// Nothing when the folder can be played; otherwise a Japanese message naming the missing folder or
// every missing file ("ini/bushou1.ini").
std::optional<std::string> startProblem(const GameFolder& folder);

}  // namespace tei
