#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <memory>
#include <vector>

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
#include "screens/forms/HistoryChart.h"
#include "screens/forms/SVLD.h"
#include "screens/forms/Status.h"
#include "screens/forms/Strate.h"
#include "setup/forms/Form2.h"

namespace tei {
namespace {

using test::GameScreenTest;
using test::ModalSequence;
using test::ScreenTest;

// The screen the game is played on at the least, less a title bar and a panel. A window reaching
// past the screen's edge is not only out of reach: on X every window opened over it (the status an
// officer list opens, the comment editor over that) stays black.
constexpr int kScreenWidth = 1366;
constexpr int kScreenHeight = 768 - 48;

class DialogSizeTest : public GameScreenTest {};

TEST_F(DialogSizeTest, EveryScreenFitsASmallLaptopScreenAndTheFactionListShowsAllOfItself) {
    newGame({2});
    tmp.writeIni("teiji.log", "鼎峙録の記録\r\n");
    std::unique_ptr<Main> main = openMain("曹操");
    g.detailId = 3;  // 曹操; his faction's screens, then one of his officers
    g.msgText = "戦争を画策中";
    g.textNo = 2;
    g.textArg1 = "袁紹";
    g.textArg2 = " 30％を借り受け、そのまま自分の物とする。";
    g.selectable = 1;
    g.gameMode = GameMode::Continue;
    GameFolder& f = tmp.folder();
    std::vector<std::unique_ptr<QWidget>> screens;
    screens.push_back(std::make_unique<ALL_Gdata>(f, g));
    screens.push_back(std::make_unique<All_Bdata>(f, g));
    screens.push_back(std::make_unique<Gdata>(f, g));
    screens.push_back(std::make_unique<B_data>(f, g));
    screens.push_back(std::make_unique<Strate>(f, g));
    screens.push_back(std::make_unique<SVLD>(f, g));
    screens.push_back(std::make_unique<Msg>(g, textWindow(MsgMode::YearEnd, "年末")));
    screens.push_back(std::make_unique<DLogReader>(f));
    screens.push_back(std::make_unique<HistoryChart>(f, g, HistoryChart::Opening::FinalRanking));
    g.detailId = 29;
    screens.push_back(std::make_unique<Status>(f, g));
    screens.push_back(std::make_unique<Editor>(f, g, *readOfficerRecord(f, f.ini(kOfficerFile), 29)));
    screens.push_back(std::make_unique<Cmt_Edit>(f, g));
    screens.push_back(std::make_unique<Form2>(f, g, rng));
    main->hide();
    screens.push_back(std::move(main));
    for (auto& w : screens) {
        SCOPED_TRACE(w->objectName().toStdString());
        w->show();
        QApplication::processEvents();
        EXPECT_LE(w->width(), kScreenWidth);
        EXPECT_LE(w->height(), kScreenHeight);
        w->hide();
    }

    // The faction list shows all thirteen rows and every column without scrolling.
    QWidget* list = screens.front().get();
    list->show();
    QApplication::processEvents();
    auto* table = child<QTableWidget>(list, "factionTable");
    ASSERT_EQ(table->rowCount(), 13);
    EXPECT_FALSE(table->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(table->verticalScrollBar()->isVisible());
    // The last row lies wholly inside the table, and so does the widest column.
    EXPECT_LE(table->rowViewportPosition(12) + table->rowHeight(12), table->viewport()->height());
    const int last = table->columnCount() - 1;
    EXPECT_LE(table->columnViewportPosition(last) + table->horizontalHeader()->sectionSizeHint(last),
              table->viewport()->width());
    list->hide();
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
