#pragma once
// Small hand-built worlds for rule tests: officers and factions put straight into a Turn's tables,
// and a template book whose every template just echoes its number and arguments, so a test reads
// which template was shown with what: template 12 with "甲" and "乙" reads "[12:甲|乙]" + CR LF.

#include <cstdint>
#include <string>

#include "battle/Turn.h"
#include "core/Records.h"
#include "messages/TemplateBook.h"

namespace tei::test {

// Templates 1..99 that echo "[n:" textArg1 "|" textArg2 "]" and a line break.
TemplateBook echoTemplates();

struct OfficerSpec {
    int16_t id;
    const char* name;
    int16_t kunID;
    tei::Job Job;
    int16_t policy = 1, fight = 1, wisdom = 0, tactics = 0, charm = 0, Setu = 0;
};

struct FactionSpec {
    int16_t id;
    const char* name;
    int16_t kunshuID;
    int16_t meishuID = 0;
    int16_t army = 0, seihei = 0, meisei = 0, kessoku = 0, tian = 0, ifu = 0;
    bool del = false;
};

// Puts the record into the turn's table (gunID is derived by derive()).
void put(Turn& turn, const OfficerSpec& o);
void put(Turn& turn, const FactionSpec& f);
// ld_Chr2 over the turn's tables with the turn's counts.
void derive(Turn& turn);

}  // namespace tei::test
