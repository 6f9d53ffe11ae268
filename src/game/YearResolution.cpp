#include "game/YearResolution.h"

#include "battle/Battle.h"
#include "battle/Turn.h"
#include "messages/Chronicle.h"
#include "messages/TemplateBook.h"
#include "resolution/Resolution.h"

namespace tei {

ResolvedYear resolveYear(GameFolder& folder, GameGlobals& g, Random& rng) {
    TemplateBook book = TemplateBook::load(folder, kTextTemplates);
    Turn turn(g, rng, book);
    Battle battle(turn);
    Resolution resolution(turn, battle);
    // The records and the chronicle change together or not at all.
    GameFolder::DeferredWrites together(folder);
    resolution.resolveYear(folder);
    mkLog(folder, turn.pages);
    together.commit();
    return {turn.pages, resolution.cautionShown(), resolution.Metubou_Flg, resolution.All_Metubou_Flg};
}

}  // namespace tei
