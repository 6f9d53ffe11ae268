#pragma once
// The resolution of a year as the turn cycle runs it: the year's offers are resolved from the working
// files (the battles included), the records are written back, and the year's pages are added to the
// chronicle. The turn cycle then has the pages shown.

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Random.h"
#include "messages/MessagePages.h"

namespace tei {

struct ResolvedYear {
    MessagePages pages;            // the year's story, "EOT" after the last page
    bool caution = false;          // a player's faction was attacked (Lbl_Caution shown)
    bool Metubou_Flg = false;      // a player's faction fell
    bool All_Metubou_Flg = false;  // no player faction is left
};

// Resolves the year g.detailId. Throws FileError when a working file or Text.ini cannot be read or
// written; the working files and the chronicle then hold what they held before.
ResolvedYear resolveYear(GameFolder& folder, GameGlobals& g, Random& rng);

}  // namespace tei
