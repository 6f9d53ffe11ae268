#pragma once
// A small world in the working files' layout, shared by the screen tests: faction 1 (董卓) with a
// ruler, a strategist, a general, a staff officer, a civil official and an officer without a job;
// faction 2 (曹操) leading an alliance; faction 3 (袁紹) fallen; faction 4 (劉表) whose flag reads
// "yes", which only "TRUE" would make fallen. And a history of four other factions over 189..192.

#include <string>

#include "core/GameGlobals.h"
#include "core/HistoryFile.h"
#include "support/TempGameFolder.h"

namespace tei::test {

inline const std::string kWorldOfficers =
    crlf({".1",  "\"董卓\"",   "3,8,6,7",  "4,2", "1,5", "\"toutaku\"",  "1",    //
          ".2",  "\"李儒\"",   "5,3,8,5",  "3,4", "1,6", "\"riju\"",     "2",    //
          ".3",  "\"呂布\"",   "3,10,3,7", "3,1", "1,4", "\"ryofu\"",    "3",    //
          ".4",  "\"賈詡\"",   "7,3,10,7", "5,4", "1,3", "\"kaku\"",     "0",    //
          ".5",  "\"王允\"",   "8,2,7,3",  "6,8", "1,1", "\"ouin\"",     "200",  //
          ".6",  "\"曹操\"",   "9,7,9,10", "9,6", "6,5", "\"sousou\"",   "4",    //
          ".7",  "\"夏侯惇\"", "2,9,4,8",  "5,6", "6,2", "\"kakoton\"",  "0",    //
          ".8",  "\"袁紹\"",   "7,6,5,6",  "7,5", "0,5", "\"enshou\"",   "0",    //
          ".9",  "\"劉表\"",   "7,2,5,3",  "6,5", "9,5", "\"ryuuhyou\"", "0",    //
          ".10", "\"胡軫\"",   "1,1,0,0",  "0,0", "1,0", "\"zouhyou1\"", "0",    //
          ".11", "\"蔡瑁\"",   "4,5,4,6",  "3,2", "9,4", "\"saibou\"",   "0"});

inline const std::string kWorldFactions = crlf({".1", "董卓", "0,1,180,30,60,50,70,75", "\"FALSE\"",  //
                                                ".2", "曹操", "6,6,40,15,40,65,85,20", "\"false\"",   //
                                                ".3", "袁紹", "6,8,110,20,75,70,70,40", "\"TRUE\"",   //
                                                ".4", "劉表", "0,9,70,10,60,70,70,20", "\"yes\""});

inline const std::string kWorldComments = crlf({".1", "董卓", "暴政を敷いた。", ".",     //
                                                ".2", "李儒", "董卓の腹心,謀臣。", ".",  //
                                                ".3", "呂布", "飛将と称された。", ".",   //
                                                ".4", "曹操", "乱世の奸雄。", "."});

// 甲 stands throughout (renamed 甲国 in the last year, and its 190 row written again later with other
// values); 乙 falls in 191; 丙 had fallen before the history began; 丁 ends level with 甲国.
inline const std::string kWorldHistory = emptyHistory() +
                                         "189,1,甲,1,100,10,50,20,60,70,5,0,150.5\r\n"
                                         "189,2,乙,1,30,0,40,10,50,60,3,0,120\r\n"
                                         "189,3,丙,0,5,0,10,0,0,0,1,0,0\r\n"
                                         "189,4,丁,1,20,0,30,0,70,0,2,0,80\r\n"
                                         "190,1,甲,1,110,10,50,20,60,70,5,0,160\r\n"
                                         "190,2,乙,1,25,0,40,10,50,60,3,0,110\r\n"
                                         "190,3,丙,0,5,0,10,0,0,0,1,0,0\r\n"
                                         "190,4,丁,1,21,0,30,0,70,0,2,0,81\r\n"
                                         "191,1,甲,1,120,10,50,20,60,70,5,0,190\r\n"
                                         "191,2,乙,0,18,0,40,10,50,60,1,0,0\r\n"
                                         "191,3,丙,0,5,0,10,0,0,0,1,0,0\r\n"
                                         "191,4,丁,1,22,0,30,0,70,0,2,0,82\r\n"
                                         "192,1,甲国,1,130,10,50,20,60,70,5,0,200\r\n"
                                         "192,2,乙,0,18,0,40,10,50,60,1,0,0\r\n"
                                         "192,3,丙,0,5,0,10,0,0,0,1,0,0\r\n"
                                         "192,4,丁,1,23,0,30,0,70,0,2,0,200\r\n"
                                         "190,1,甲,1,115,10,50,20,60,70,5,0,165.25\r\n";

// Counts of the small world: 10 officers are read (officer 11 lies beyond the count), 4 factions.
inline GameGlobals worldGlobals() {
    GameGlobals g;
    g.scenarioNo = 1;
    g.officerCount = 10;
    g.factionCount = 4;
    return g;
}

inline void writeWorld(const TempGameFolder& tmp) {
    tmp.writeIni("busv.ini", kWorldOfficers);
    tmp.writeIni("gunsv.ini", kWorldFactions);
    tmp.writeIni("Cmtsv.ini", kWorldComments);
}

}  // namespace tei::test
