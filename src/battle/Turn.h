#pragma once
// Everything the resolution of one year works on: the shared game values, the random source, the
// narrative templates, the officer and faction tables loaded for this resolution, and the pages the
// year's story is written on. The resolution pass and the battles share one Turn; the officer moves
// that both of them use (desertion after a defeat, defection after subversion) live here too.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/GameGlobals.h"
#include "core/Random.h"
#include "core/RecordFiles.h"
#include "messages/MessagePages.h"
#include "messages/Narration.h"
#include "messages/TemplateBook.h"

namespace tei {

class Turn {
public:
    Turn(GameGlobals& globals, Random& rng, const TemplateBook& book)
        : g(globals), rng(rng), book(book), narration_(book, globals, pages) {}
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

    // Records
    Bushou& officer(int n) { return officerAt(records.officers, n); }
    gun& faction(int n) { return factionAt(records.factions, n); }
    int officerCount() const { return g.officerCount; }
    int factionCount() const { return g.factionCount; }

    // Narrative: template n with the current textArg1/textArg2, or a fixed phrase.
    void show(int n) { narration_.show(n); }
    void append(std::string_view text) { narration_.append(text); }

    // Officers and players
    // The officers whose faction is f, in number order.
    std::vector<int16_t> Sch_chr_rtn(int f) const;
    // One officer who deserts faction f after a defeat, or 0.
    int Rnd_Shuppon(int f);
    // Officers of faction 'from' who go over to faction 'to'; their names, each followed by "、",
    // are left in textArg1.
    void Rnd_Shuppon2(int to, int from);
    // True when one of player slots 0..15 plays faction f.
    bool isPlayer(int f) const;

    GameGlobals& g;
    Random& rng;
    const TemplateBook& book;
    RecordTables records;
    MessagePages pages;

private:
    Narration narration_;
};

}  // namespace tei
