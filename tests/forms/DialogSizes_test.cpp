#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <functional>

#include "ScreenFixture.h"
#include "core/OfficerRecordFile.h"
#include "core/RecordFiles.h"
#include "messages/forms/DLogReader.h"
#include "screens/forms/ALL_Gdata.h"
#include "screens/forms/All_Bdata.h"
#include "screens/forms/B_data.h"
#include "screens/forms/Cmt_Edit.h"
#include "screens/forms/Editor.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/SVLD.h"
#include "screens/forms/Status.h"
#include "screens/forms/Strate.h"
#include "setup/forms/Form2.h"

namespace tei {
namespace {

using test::GameScreenTest;
using test::ModalSequence;
using test::ScreenTest;

// The screen the game is played on at the least, less a title bar and a panel.
constexpr int kScreenWidth = 1366;
constexpr int kScreenHeight = 768 - 48;

class DialogSizeTest : public GameScreenTest {};

TEST_F(DialogSizeTest, EveryScreenFitsASmallLaptopScreen) {
    newGame({2});
    tmp.writeIni("teiji.log", "鼎峙録の記録\r\n");
    auto fits = [](QWidget& w) {
        SCOPED_TRACE(w.objectName().toStdString());
        w.show();
        QApplication::processEvents();
        EXPECT_LE(w.width(), kScreenWidth);
        EXPECT_LE(w.height(), kScreenHeight);
        EXPECT_LE(w.minimumSizeHint().height(), kScreenHeight);
        w.hide();
    };
    std::unique_ptr<Main> main = openMain("曹操");
    fits(*main);
    g.detailId = 3;  // 曹操
    g.msgText = "戦争を画策中";
    {
        ALL_Gdata w(tmp.folder(), g);
        fits(w);
    }
    {
        All_Bdata w(tmp.folder(), g);
        fits(w);
    }
    {
        Gdata w(tmp.folder(), g);
        fits(w);
    }
    {
        B_data w(tmp.folder(), g);
        fits(w);
    }
    g.detailId = 29;
    {
        Status w(tmp.folder(), g);
        fits(w);
    }
    Bushou officer = *readOfficerRecord(tmp.folder(), tmp.folder().ini(kOfficerFile), 29);
    {
        Editor w(tmp.folder(), g, officer);
        fits(w);
    }
    {
        Cmt_Edit w(tmp.folder(), g);
        fits(w);
    }
    g.textNo = 2;
    g.textArg1 = "袁紹";
    g.textArg2 = " 30％を借り受け、そのまま自分の物とする。";
    g.msgText = "兵力確保\r\n（難易度 5・要政治）";
    g.selectable = 1;
    {
        Strate w(tmp.folder(), g);
        fits(w);
    }
    g.gameMode = GameMode::Continue;
    {
        SVLD w(tmp.folder(), g);
        fits(w);
    }
    {
        Msg w(g, textWindow(MsgMode::YearEnd, "年末"));
        w.Form_Load();
        fits(w);
    }
    {
        DLogReader w(tmp.folder());
        w.logPath = tmp.folder().ini(kChronicleFile);
        ASSERT_TRUE(w.Form_Load().empty());
        fits(w);
    }
    {
        Form2 w(tmp.folder(), g, rng);
        fits(w);
    }
    main->close();
}

TEST_F(DialogSizeTest, TheFactionListShowsEveryColumnAndAllThirteenRows) {
    newGame({});
    ALL_Gdata list(tmp.folder(), g);
    list.show();
    QApplication::processEvents();
    auto* table = child<QTableWidget>(&list, "factionTable");
    ASSERT_EQ(table->rowCount(), 13);
    EXPECT_FALSE(table->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(table->verticalScrollBar()->isVisible());
    // The last row lies wholly inside the table, and so does the widest column.
    EXPECT_LE(table->rowViewportPosition(12) + table->rowHeight(12), table->viewport()->height());
    const int last = table->columnCount() - 1;
    EXPECT_LE(table->columnViewportPosition(last) + table->horizontalHeader()->sectionSizeHint(last),
              table->viewport()->width());

    // A double click on a row opens that faction's screen, and leaves the shared values as they were.
    g.detailId = 189;
    g.msgText = "前";
    ModalSequence s;
    s.then<Gdata>([&](Gdata* faction) {
        EXPECT_EQ(faction->windowTitle(), "軍の内情" + table->verticalHeaderItem(2)->text());
        EXPECT_EQ(text(faction, "noteLabel"), "");
        press(faction, "backButton");
    });
    const QPoint at = table->visualItemRect(table->item(2, 3)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(s.done());
    EXPECT_EQ(g.detailId, 189);
    EXPECT_EQ(g.msgText, "前");
    press(&list, "Command1_0");
}

TEST_F(ScreenTest, AResizedWindowOpensAgainWithTheSizeAndPlaceItWasLeftWith) {
    g.detailId = 2;
    QRect left;
    QSize first;
    {
        Status status(tmp.folder(), g);
        status.show();
        QApplication::processEvents();
        first = status.size();
        status.setGeometry(QRect(QPoint(31, 42), first + QSize(50, 30)));
        left = status.geometry();
        press(&status, "backButton");
    }
    // The settings are the tests' own, never the player's.
    const QString file = gameSettings()->fileName();
    EXPECT_TRUE(file.startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR"))) << file.toStdString();
    {
        Status again(tmp.folder(), g);
        again.show();
        QApplication::processEvents();
        EXPECT_EQ(again.geometry(), left);
        press(&again, "backButton");
    }
    // Another screen keeps its own.
    Gdata faction(tmp.folder(), g);
    faction.show();
    QApplication::processEvents();
    EXPECT_NE(faction.size(), left.size());
    press(&faction, "backButton");
}

}  // namespace
}  // namespace tei
