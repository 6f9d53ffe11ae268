#pragma once
// The officers' administration at the end of every year. Public order rises with the Politics of
// every able official and may be cut down by one weak official's mishap; cohesion rises by the
// Capacity of one officer who stands out and may be cut down the same way. Each change is written to
// the faction file at once and told on the main screen's year-end page.

#include <array>
#include <cstdint>

#include "core/GameGlobals.h"
#include "core/Random.h"
#include "core/RecordScratch.h"
#include "messages/MessagePages.h"
#include "messages/TemplateBook.h"

namespace tei {

class YearEnd {
public:
    YearEnd(GameGlobals& g, Random& rng, RecordScratch& scratch, const TemplateBook& text, MessagePages& report)
        : g_(g), rng_(rng), scratch_(scratch), text_(text), report_(report) {}

    void Policy_rtn();
    void Jinji_rtn();

private:
    struct OfficerColumns {
        RecordColumn lord{}, job{}, ability{};
    };
    OfficerColumns readColumns(int abilitySelector);
    // The faction of an officer: the faction whose ruler is his lord (the last one found stays when
    // none matches).
    int factionOf(int lord);
    // Appends template n with the faction's name and the named officer's name.
    void tell(int n, const gun& faction, int officer);

    GameGlobals& g_;
    Random& rng_;
    RecordScratch& scratch_;
    const TemplateBook& text_;
    MessagePages& report_;
};

}  // namespace tei
