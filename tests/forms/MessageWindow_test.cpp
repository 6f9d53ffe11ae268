#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include "GameScreens.h"
#include "game/FakeHost.h"
#include "game/TurnCycle.h"
#include "messages/forms/Msg.h"
#include "screens/forms/GameLook.h"

namespace tei {
namespace {

using test::GameScreenTest;

class MessageWindowTest : public GameScreenTest {
protected:
    static QString page(Msg& w) { return child<QPlainTextEdit>(&w, "Label1")->toPlainText(); }
    static std::vector<bool> states(Msg& w) {
        return {enabled(&w, "Command1_0"), enabled(&w, "Command1_1"), enabled(&w, "Command1_2"),
                enabled(&w, "Command1_3")};
    }
};

TEST_F(MessageWindowTest, OnePreparedPageOffersOnlyClose) {
    g.msgMode = 2;
    g.detailId = 189;
    g.msgText = "治安が良くなった\r\n結束も強まった\r\n";
    Msg w(tmp.folder(), g, rng);
    w.Form_Load();
    w.show();
    EXPECT_EQ(w.windowTitle(), "鼎峙録・覇業編");
    EXPECT_EQ(page(w), "治安が良くなった\n結束も強まった\n");
    EXPECT_EQ(states(w), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(child<QPushButton>(&w, "Command1_0")->text(), "閉");
    EXPECT_EQ(child<QPushButton>(&w, "Command1_1")->text(), "前ページ");
    EXPECT_EQ(child<QPushButton>(&w, "Command1_2")->text(), "次ページ");
    EXPECT_EQ(child<QPushButton>(&w, "Command1_3")->text(), "最終ページ");
    EXPECT_FALSE(child<QLabel>(&w, "Lbl_Caution")->isVisible());
    EXPECT_FALSE(child<QTimer>(&w, "Timer1")->isActive());

    QTest::keyClick(&w, Qt::Key_PageDown);
    EXPECT_EQ(w.window().page(), 0);
    g.dialogResult = 0;
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(g.dialogResult, 1);
}

TEST_F(MessageWindowTest, CreditsRunOnTheirTimer) {
    g.msgMode = 0;
    Msg w(tmp.folder(), g, rng);
    w.Form_Load();
    w.show();
    auto* timer = child<QTimer>(&w, "Timer1");
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(page(w).startsWith(QString(23, QChar('\n')) + "　　　　　Produced by\n"));
    // The credits are a single page, so close is there at once.
    EXPECT_EQ(states(w), (std::vector<bool>{true, false, false, false}));
    press(&w, "Command1_0");
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(timer->isActive());
}

TEST_F(MessageWindowTest, AResolvedYearIsPagedWithButtonsAndKeys) {
    newGame({});
    test::FakeHost host(g);
    TurnCycle cycle(tmp.folder(), g, rng, host);
    ASSERT_TRUE(cycle.Form_Load());
    g.msgMode = 1;
    g.detailId = 189;
    Msg w(tmp.folder(), g, rng);
    w.Form_Load();
    w.show();
    const MessagePages& pages = w.window().pages;
    int last = 0;
    while (!pages.isEnd(last + 1)) ++last;
    ASSERT_GE(last, 2) << "the year should fill several pages";

    EXPECT_TRUE(page(w).startsWith("＝＝＝＝＝＝＝＝＝\n＝＝ 　189年　＝＝\n＝＝＝＝＝＝＝＝＝\n"));
    // Only the credits hold close back; a year's story may be closed on any page.
    EXPECT_EQ(states(w), (std::vector<bool>{true, false, true, true}));

    QTest::keyClick(&w, Qt::Key_PageDown);
    EXPECT_EQ(w.window().page(), 1);
    EXPECT_EQ(page(w), qsText(pages.at(1)));
    EXPECT_EQ(states(w), (std::vector<bool>{true, true, true, true}));
    QTest::keyClick(&w, Qt::Key_PageUp);
    EXPECT_EQ(w.window().page(), 0);

    press(&w, "Command1_3");
    EXPECT_EQ(w.window().page(), last);
    EXPECT_EQ(page(w), qsText(pages.at(last)));
    EXPECT_EQ(states(w), (std::vector<bool>{true, true, false, false}));
    press(&w, "Command1_1");
    EXPECT_EQ(w.window().page(), last - 1);
    EXPECT_EQ(states(w), (std::vector<bool>{true, true, true, true}));
    EXPECT_FALSE(child<QLabel>(&w, "Lbl_Caution")->isVisible());  // nobody plays, nobody is warned
    EXPECT_EQ(w.flags().Metubou_Flg, false);

    // The year went into the chronicle before the window showed it.
    std::string log = tmp.readIni("teiji.log");
    EXPECT_NE(log.find("＝＝ 　189年　＝＝"), std::string::npos);
    EXPECT_TRUE(log.ends_with("EOT=======\r\n"));
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MessageWindowTest, AWarOnAPlayersFactionRaisesTheWarning) {
    newGame({});
    test::FakeHost host(g);
    TurnCycle cycle(tmp.folder(), g, rng, host);
    ASSERT_TRUE(cycle.Form_Load());
    // One faction alone takes a war offer of its frame; its target is made a player's faction.
    int frame = -1, position = -1;
    for (int k = 0; k < kFrameCount && frame < 0; ++k)
        for (size_t p = 0; p < g.offerCommands[k].size(); ++p)
            if (g.offerCommands[k][p] == 11 && !cycle.frames().members(k).empty()) {
                frame = k;
                position = static_cast<int>(p);
                break;
            }
    ASSERT_GE(frame, 0) << "no war was dealt this year";
    const int16_t target = g.offerTarget[frame][position];
    int16_t attacker = 0;
    for (const FrameMember& m : cycle.frames().members(frame)) {
        if (m.faction == target) continue;
        if (attacker == 0) {
            attacker = m.faction;
            g.factionChoice[m.faction] = static_cast<int16_t>(position);
        } else if (g.factionChoice[m.faction] == position) {
            g.factionChoice[m.faction] = static_cast<int16_t>(position == 0 ? 1 : 0);
        }
    }
    if (g.factionAlliance[target] == frame && g.factionChoice[target] == position)
        g.factionChoice[target] = static_cast<int16_t>(position == 0 ? 1 : 0);
    ASSERT_NE(attacker, 0);
    g.slotFaction[0] = target;
    g.slotName[0] = "守り手";

    g.msgMode = 1;
    g.detailId = 189;
    Msg w(tmp.folder(), g, rng);
    w.Form_Load();
    w.show();
    EXPECT_TRUE(child<QLabel>(&w, "Lbl_Caution")->isVisible());
    EXPECT_EQ(text(&w, "Lbl_Caution"), "プレイヤーが攻撃を受けています");
    w.close();
}

TEST_F(MessageWindowTest, AYearThatCannotBeResolvedThrowsAndWritesNothing) {
    newGame({});
    test::FakeHost host(g);
    TurnCycle cycle(tmp.folder(), g, rng, host);
    ASSERT_TRUE(cycle.Form_Load());
    std::string before = tmp.readIni("busv.ini");
    std::filesystem::remove(tmp.root() / "ini" / "teiji.log");
    g.msgMode = 1;
    g.detailId = 189;
    Msg w(tmp.folder(), g, rng);
    EXPECT_THROW(w.Form_Load(), FileError);
    EXPECT_EQ(tmp.readIni("busv.ini"), before);
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace tei
