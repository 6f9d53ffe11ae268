#pragma once
// What the message window does when it opens for the resolution of a year: the year's offers are
// resolved from the working files (the battles included), the records are written back, and the
// year's pages are added to the chronicle. The window then shows the pages.

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Random.h"
#include "game/Host.h"
#include "messages/MessagePages.h"

namespace tei {

struct ResolvedYear {
    MessagePages pages;         // the year's story, "EOT" after the last page
    bool caution = false;       // a player's faction was attacked (Lbl_Caution shown)
    MessageWindowResult flags;  // the fall of player factions
};

// Resolves the year g.detailId. Throws FileError when a working file or Text.ini cannot be read or
// written; the working files and the chronicle then hold what they held before.
ResolvedYear resolveYear(const GameFolder& folder, GameGlobals& g, Random& rng);

}  // namespace tei
