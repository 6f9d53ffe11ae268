#include "game/forms/Forecast.h"

#include <QProgressDialog>
#include <QTableWidget>
#include <fstream>
#include <map>

#include "ScreenFixture.h"

namespace tei {
namespace {

using test::GameScreenTest;
using test::ModalSequence;

namespace fs = std::filesystem;

class ForecastTest : public GameScreenTest {
protected:
    // Every file of the game folder with its bytes.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> out;
        for (const auto& e : fs::recursive_directory_iterator(tmp.root()))
            if (e.is_regular_file()) {
                std::ifstream in(e.path(), std::ios::binary);
                out[e.path().string()] = std::string(std::istreambuf_iterator<char>(in), {});
            }
        return out;
    }
};

TEST_F(ForecastTest, ShowsTheProgressThenEveryFactionsChancesWithThePlayerMarked) {
    newGame({2});  // 曹操
    auto main = openMain("曹操");
    const auto before = files();
    bool progressSeen = false;
    ModalSequence s;
    s.then<QProgressDialog>([&](QProgressDialog* progress) {
        progressSeen = true;
        EXPECT_EQ(progress->windowTitle(), "戦況予測");
        EXPECT_EQ(progress->maximum(), 40);
        EXPECT_TRUE(progress->labelText().startsWith("189年の状況から40回")) << progress->labelText().toStdString();
        EXPECT_LE(progress->value(), 40);
    });
    s.then<Forecast>([](Forecast* result) {
        auto* table = child<QTableWidget>(result, "oddsTable");
        ASSERT_EQ(table->rowCount(), 13);  // every faction of scenario 1
        double firsts = 0, previous = 101;
        int players = 0;
        for (int r = 0; r < table->rowCount(); ++r) {
            const QString name = table->item(r, 0)->text();
            const double first = table->item(r, 1)->text().chopped(1).toDouble();
            EXPECT_LE(first, previous) << "sorted by the chance to finish first";
            previous = first;
            firsts += first;
            EXPECT_TRUE(table->item(r, 2)->text().endsWith("%"));
            if (name.contains("（プレイヤー）")) {
                ++players;
                EXPECT_EQ(name, "曹操（プレイヤー）");
                EXPECT_EQ(table->item(r, 0)->background().color(), QColor(0xC0, 0xFF, 0xFF));
                EXPECT_TRUE(table->item(r, 3)->font().bold());
            }
        }
        EXPECT_EQ(players, 1);
        EXPECT_GE(firsts, 99.9);  // someone finishes first in every game; ties add more
        EXPECT_TRUE(text(result, "forecastAbout").startsWith("189年の状況から"));
        press(result, "backButton");
    });
    runForecast(main.get(), tmp.folder(), g, main->cycle().yearCounter, 40);
    EXPECT_TRUE(s.done());
    EXPECT_TRUE(progressSeen);
    EXPECT_EQ(files(), before);      // the game's files were only read
    EXPECT_EQ(g.slotFaction[2], 3);  // and the game on the screen keeps its player
}

TEST_F(ForecastTest, TheMenuEntryStartsFiveHundredGamesAndCancelStopsThemWithNoResult) {
    newGame({});
    auto main = openMain({});
    const auto before = files();
    int forecastsShown = 0;
    // Should a result window open after the cancel, it is counted and closed rather than waited on.
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* result = qobject_cast<Forecast*>(QApplication::activeModalWidget())) {
            ++forecastsShown;
            result->reject();
        }
    });
    watch.start();
    {
        ModalSequence s;
        s.then<QProgressDialog>([](QProgressDialog* progress) {
            EXPECT_EQ(progress->maximum(), 500);
            for (auto* b : progress->findChildren<QPushButton*>())
                if (b->text() == "中止") QTest::mouseClick(b, Qt::LeftButton);
        });
        auto* entry = main->findChild<QAction*>("mnForecast");
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->text(), "戦況予測");
        entry->trigger();
        EXPECT_TRUE(s.done());
    }
    QApplication::processEvents();
    EXPECT_EQ(forecastsShown, 0);
    EXPECT_EQ(files(), before);
    EXPECT_TRUE(main->isVisible());
}

}  // namespace
}  // namespace tei
