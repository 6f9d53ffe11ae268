#include "game/YearResolution.h"

#include "battle/Battle.h"
#include "battle/Turn.h"
#include "messages/Chronicle.h"
#include "messages/TemplateBook.h"
#include "resolution/Resolution.h"

namespace tei {

ResolvedYear resolveYear(const GameFolder& folder, GameGlobals& g, Random& rng) {
    TemplateBook book = TemplateBook::load(folder, kTextTemplates);
    Turn turn(g, rng, book);
    Battle battle(turn);
    Resolution resolution(turn, battle);
    // The records and the chronicle change together or not at all.
    GameFolder::DeferredWrites together(folder);
    if (auto problem = resolution.resolveYear(folder)) throw *problem;
    mkLog(folder, turn.pages);
    together.commit();
    ResolvedYear year;
    year.pages = turn.pages;
    year.caution = resolution.cautionShown();
    year.flags = {resolution.Metubou_Flg, resolution.All_Metubou_Flg};
    return year;
}

}  // namespace tei
