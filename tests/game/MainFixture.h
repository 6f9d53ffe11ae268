#pragma once
// A small game folder for the main screen's rules: officers, factions and comments as working files,
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
    // Writes ini/busv.ini and ini/gunsv.ini; the counts become the highest numbers given (officers up
    // to officerCount at least). A number left out is written as a free nobody.
    void writeWorld(std::initializer_list<OfficerSpec> officers, std::initializer_list<FactionSpec> factions,
                    int16_t officerCount = 0) {
        TemplateBook none;
        Turn turn(g, rng, none);
        g.officerCount = officerCount;
        g.factionCount = 0;
        for (const auto& s : officers) {
            put(turn, s);
            g.officerCount = std::max(g.officerCount, s.id);
        }
        for (const auto& s : factions) {
            put(turn, s);
            g.factionCount = std::max(g.factionCount, s.id);
        }
        tmp.writeIni("busv.ini", formatOfficers(turn.records.officers, g.officerCount));
        tmp.writeIni("gunsv.ini", formatFactions(turn.records.factions, g.factionCount));
        tmp.writeIni("Cmtsv.ini", "");  // no comments: the autosave copies it with the rest
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
