#pragma once
// A small game folder for the main screen's rules: officers and factions written as working files,
// the shared values, a scripted random source, the record scratch and the four frames.

#include <gtest/gtest.h>

#include <initializer_list>

#include "core/RecordFiles.h"
#include "core/RecordScratch.h"
#include "game/Frames.h"
#include "support/ScriptedRandom.h"
#include "support/SmallWorld.h"
#include "support/TempGameFolder.h"

namespace tei::test {

class MainFixture : public ::testing::Test {
protected:
    // Writes ini/busv.ini and ini/gunsv.ini; the counts become the highest numbers given. A number
    // left out is written as a free nobody, so give officers consecutive numbers.
    void writeWorld(std::initializer_list<OfficerSpec> officers, std::initializer_list<FactionSpec> factions) {
        OfficerTable o{};
        FactionTable f{};
        int16_t no = 0, nf = 0;
        for (const auto& s : officers) {
            Bushou& b = o[s.id];
            b.id = s.id;
            b.name = s.name;
            b.kunID = s.kunID;
            b.Job = s.Job;
            b.policy = s.policy;
            b.fight = s.fight;
            b.wisdom = s.wisdom;
            b.tactics = s.tactics;
            b.charm = s.charm;
            b.Setu = s.Setu;
            no = std::max(no, s.id);
        }
        for (const auto& s : factions) {
            gun& g = f[s.id];
            g.id = s.id;
            g.name = s.name;
            g.kunshuID = s.kunshuID;
            g.meishuID = s.meishuID;
            g.army = s.army;
            g.seihei = s.seihei;
            g.meisei = s.meisei;
            g.kessoku = s.kessoku;
            g.tian = s.tian;
            g.ifu = s.ifu;
            g.del = s.del;
            nf = std::max(nf, s.id);
        }
        g.officerCount = no;
        g.factionCount = nf;
        tmp.writeIni("busv.ini", formatOfficers(o, no));
        tmp.writeIni("gunsv.ini", formatFactions(f, nf));
    }

    FactionTable readFactions() const {
        FactionTable t;
        parseFactions(tmp.readIni("gunsv.ini"), g.factionCount, t);
        return t;
    }

    TempGameFolder tmp;
    GameGlobals g;
    ScriptedRandom rng;
    RecordScratch scratch{tmp.folder(), g.officerCount, g.factionCount};
    Frames frames{tmp.folder(), g};
};

}  // namespace tei::test
