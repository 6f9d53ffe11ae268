#include "game/TurnCycle.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "core/Numbers.h"
#include "core/RecordFiles.h"
#include "core/Scenarios.h"
#include "game/Reports.h"
#include "game/YearEnd.h"
#include "game/YearResolution.h"
#include "messages/Chronicle.h"
#include "messages/TemplateBook.h"

namespace tei {

TurnCycle::TurnCycle(const GameFolder& folder, GameGlobals& g, Random& rng, Host& host)
    : folder_(folder),
      g_(g),
      rng_(rng),
      host_(host),
      scratch_(folder, g.officerCount, g.factionCount),
      frames_(folder, g),
      offers_(g, rng, scratch_, frames_),
      choice_(folder, g, rng, frames_) {}

bool TurnCycle::guarded(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const FileError& e) {
        host_.reportFileError(e);
        return false;
    }
}

// Start-up

void TurnCycle::init_rtn() {
    allLostNoticeShown = false;
    playerLabel_ = "プレイヤー";
}

void TurnCycle::setScenarioYears(bool setFirstYear) {
    const ScenarioInfo& s = scenarioInfo(g_.scenarioNo);
    g_.factionCount = static_cast<int16_t>(s.factionCount);
    lastYear = static_cast<int16_t>(s.lastYear);
    if (setFirstYear) yearCounter = static_cast<int16_t>(s.firstYear);
}

bool TurnCycle::Form_Load() {
    init_rtn();
    bool ok = guarded([&] {
        if (g_.gameMode == GameMode::Continue) {
            restoreLoadedGame();
        } else {
            // A faction master cut short would start a game the first resolution refuses: name it now.
            auto master = folder_.ini(factionMasterName(g_.scenarioNo));
            if (firstLackingFaction(*readFactionFile(folder_, master), scenarioInfo(g_.scenarioNo).factionCount) != 0)
                throw factionsCutShort(folder_, master);
            {
                // A new game's chronicle and faction file are made as one step.
                GameFolder::DeferredWrites step(folder_);
                mkFristLog();
                mk_Gunsv_rtn();
                step.commit();
            }
            ld_PCGun_rtn();
            setScenarioYears(true);
            frames_.ini_Mei_rtn();
            scratch_.ld_Kunshu_rtn();
            turnSlot = 0;
            g_.msgMode = MsgMode::Resolution;
            Dsp_rtn();
            choice_.Tagun_rtn();
            tebanIncliment_rtn();
        }
    });
    g_.dialogResult = 0;
    return ok;
}

// The saved year starts again: the scenario's counts first (so the alliances are read with the
// loaded game's faction count), then the year change deals the saved year's offers anew. The saved
// cohesion replaces the leaders' Fame as soon as the alliances are placed, so that the year change
// carries it over and the frames, the offers and a report of the year are made with it; it is set
// once more when the year change is done (for a header the game wrote, to the same values).
void TurnCycle::restoreLoadedGame() {
    g_.scenarioNo = g_.saveHeader[4];
    g_.officerCount = kGameOfficerCount;
    setScenarioYears(false);
    frames_.ini_Mei_rtn();
    restoreSavedCohesion();
    yearCounter = static_cast<int16_t>(g_.saveHeader[0] - 1);
    turnSlot = 0;
    tebanIncliment_rtn();
    Res_rtn();
    restoreSavedCohesion();
}

// A frame that holds no alliance keeps cohesion 0 whatever the header says for it.
void TurnCycle::restoreSavedCohesion() {
    for (int k = 1; k <= 3; ++k)
        if (g_.allianceLeader[k] != 0) g_.allianceCohesion[k] = g_.saveHeader[k];
}

void TurnCycle::mkFristLog() { tei::mkFristLog(folder_); }

void TurnCycle::mk_Gunsv_rtn() {
    folder_.copyFile(folder_.ini(factionMasterName(g_.scenarioNo)), folder_.ini(kFactionFile));
}

void TurnCycle::ld_PCGun_rtn() {
    FactionTable t;
    fillFactions(*readFactionFile(folder_, folder_.ini(kFactionFile)), g_.factionCount, t);
    for (int n = 1; n <= g_.factionCount && n <= kMaxFaction; ++n)
        for (int s = 0; s < kSlotCount; ++s)
            if (g_.slotFaction[s] == n) g_.slotRuler[s] = t[n].kunshuID;
}

std::vector<PlayerLine> TurnCycle::playerList() const {
    std::vector<PlayerLine> lines;
    for (int t = 0; t <= 18; ++t)
        if (g_.slotRuler[t] > 0) lines.push_back({g_.slotName[t], g_.slotFaction[t]});
    return lines;
}

std::vector<std::string> TurnCycle::offerNames(int k) const {
    std::vector<std::string> names;
    for (Command c : g_.offerCommands[k]) names.emplace_back(commandName(c));
    return names;
}

std::string TurnCycle::offerName(int frame, int position) const {
    const auto& offers = g_.offerCommands[frame];
    if (position < 0 || position >= static_cast<int>(offers.size())) return {};
    return commandName(offers[static_cast<size_t>(position)]);
}

// The year

void TurnCycle::tebanIncliment_rtn() {
    while (turnSlot < kSlotCount && g_.slotFaction[turnSlot] == 0 && turnSlot < g_.factionCount) ++turnSlot;
    if (turnSlot < g_.factionCount && turnSlot < kSlotCount) {
        host_.notify(g_.slotName[turnSlot] + "の番です。");
        playerLabel_ = std::string("プレイヤー") + kCrLf + "（" + g_.slotName[turnSlot] + "）";
    }
}

void TurnCycle::Dsp_rtn() {
    yearHeading_ = Str(yearCounter) + "年の戦況" + "（水色のリストの戦略が選択可能です）";
    frames_.Dsp_Gun_rtn();
    frames_.ld_Meiichi_rtn();
    offers_.ld_Com_rtn();
}

void TurnCycle::Limit_rtn() {
    for (auto& c : g_.allianceCohesion) c = std::clamp<int16_t>(c, 0, 100);
}

// The year is resolved and written first; the window then shows its story.
void TurnCycle::Strate_rtn() {
    g_.detailId = yearCounter;
    g_.msgMode = MsgMode::Resolution;
    ResolvedYear year = resolveYear(folder_, g_, rng_);
    host_.showMessageWindow({g_.msgMode, std::move(year.pages), year.caution});
    if (year.Metubou_Flg) host_.notify("プレイヤーの軍団が滅亡しました。");
    if (year.All_Metubou_Flg && !allLostNoticeShown) {
        allLostNoticeShown = true;
        if (!host_.askYesNo(std::string("プレイヤーの軍団が全て滅亡しました。") + kCrLf + "このまま続けますか？")) {
            ended_ = true;
            host_.endProgram();
        }
    }
    g_.msgMode = MsgMode::Ending;
}

void TurnCycle::T_End_rtn() {
    reportText.page = 0;
    reportText.at(0).clear();
    g_.msgMode = MsgMode::YearEnd;
    TemplateBook text = TemplateBook::load(folder_, kTextTemplates);
    YearEnd yearEnd(g_, rng_, scratch_, text, reportText);
    // The officers rewrite the faction file record by record; it reaches the disk once.
    GameFolder::DeferredWrites once(folder_);
    yearEnd.Policy_rtn();
    yearEnd.Jinji_rtn();
    once.commit();
    g_.msgText = reportText.at(0);
    WindowPages window = textWindow(g_.msgMode, g_.msgText);
    window.heading = yearEndHeading(yearCounter);
    host_.showMessageWindow(window);
    g_.msgMode = MsgMode::Resolution;
    reportText.page = 0;
}

void TurnCycle::report(const char* title) {
    reportText.at(0) = std::string(title) + kCrLf;
    g_.msgMode = MsgMode::Report;
    Reports reports(folder_, g_, scratch_, reportText);
    reports.Houkoku_rtn();
    if (title == std::string_view(kFinalReportTitle)) finalStandings_ = reports.reported();
    g_.msgText = reportText.at(0);
    g_.msgMode = MsgMode::Report;
    host_.showMessageWindow(textWindow(g_.msgMode, g_.msgText));
}

void TurnCycle::Res_rtn() {
    scratch_.ld_Kunshu_rtn();
    frames_.res_Mei_rtn();
    ++yearCounter;
    Limit_rtn();
    g_.msgMode = MsgMode::Resolution;
    Dsp_rtn();
    choice_.Tagun_rtn();
    if (yearCounter == lastYear - 10) {
        report(kInterimReportTitle);
        g_.msgMode = MsgMode::Resolution;
    }
    if (yearCounter >= lastYear) {
        report(kFinalReportTitle);
        End_rtn();
    }
}

void TurnCycle::End_rtn() {
    host_.showFactionList();
    g_.msgMode = MsgMode::Ending;
    host_.showMessageWindow(creditsWindow());
    ended_ = true;
    host_.endProgram();
}

void TurnCycle::endOfTurn() {
    ++turnSlot;
    tebanIncliment_rtn();
    if (turnSlot < g_.factionCount) return;
    // The year reaches the disk as one step: a file that fails part-way leaves every working file as
    // the year found it.
    GameFolder::DeferredWrites year(folder_);
    Strate_rtn();
    if (!ended_) {
        T_End_rtn();
        Res_rtn();
    }
    year.commit();
    if (ended_) return;
    g_.savedFlag = 0;
    turnSlot = 0;
    tebanIncliment_rtn();
}

bool TurnCycle::Command1_Click(int index) {
    if (index != 3 || ended_) return true;
    const std::string& name = turnSlot < kSlotCount ? g_.slotName[turnSlot] : std::string();
    std::string question =
        name.empty() ? std::string("時間を進めますか？") : name + "の行動をコンピュータに任せますか？";
    if (!host_.askYesNo(question)) return true;
    return guarded([&] { endOfTurn(); });
}

}  // namespace tei
