#include "support/SmallWorld.h"

namespace tei::test {

TemplateBook echoTemplates() {
    std::string text;
    for (int n = 1; n < 100; ++n)
        text += "." + std::to_string(n) + "\r\n[" + std::to_string(n) + ":\r\n+\r\n|\r\n*\r\n]\r\n..\r\n";
    return TemplateBook(text);
}

void put(Turn& turn, const OfficerSpec& o) {
    Bushou& b = turn.records.officers[o.id];
    b = Bushou{};
    b.id = o.id;
    b.name = o.name;
    b.kunID = o.kunID;
    b.Job = numberOf(o.Job);
    b.policy = o.policy;
    b.fight = o.fight;
    b.wisdom = o.wisdom;
    b.tactics = o.tactics;
    b.charm = o.charm;
    b.Setu = o.Setu;
}

void put(Turn& turn, const FactionSpec& f) {
    gun& g = turn.records.factions[f.id];
    g = gun{};
    g.id = f.id;
    g.name = f.name;
    g.kunshuID = f.kunshuID;
    g.meishuID = f.meishuID;
    g.army = f.army;
    g.seihei = f.seihei;
    g.meisei = f.meisei;
    g.kessoku = f.kessoku;
    g.tian = f.tian;
    g.ifu = f.ifu;
    g.del = f.del;
}

void derive(Turn& turn) { turn.records.ld_Chr2(turn.officerCount(), turn.factionCount()); }

}  // namespace tei::test
