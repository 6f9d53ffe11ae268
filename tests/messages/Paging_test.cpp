#include <gtest/gtest.h>

#include <string>

#include "messages/ChronicleReader.h"
#include "messages/MessageWindow.h"

namespace tei {
namespace {

struct Buttons {
    bool close, previous, next, last;
    bool operator==(const Buttons&) const = default;
};

template <class Window>
Buttons buttons(const Window& w) {
    return {w.enabled(CloseButton), w.enabled(PreviousButton), w.enabled(NextButton), w.enabled(LastButton)};
}

std::ostream& operator<<(std::ostream& os, const Buttons& b) {
    return os << "close " << b.close << " previous " << b.previous << " next " << b.next << " last " << b.last;
}

TEST(MessageWindow, OnePreparedPageDisablesPagingAndEnablesClose) {
    GameGlobals g;
    MessageWindow w(g);
    w.Form_Load(textWindow(MsgMode::YearEnd, "年末の人事"));
    EXPECT_EQ(w.shownText(), "年末の人事");
    EXPECT_EQ(buttons(w), (Buttons{true, false, false, false}));
    w.parmTextHeight = 9000;
    EXPECT_FALSE(w.Command1_Click(NextButton));  // disabled: nothing happens
    EXPECT_EQ(w.page(), 0);
    EXPECT_TRUE(w.Command1_Click(CloseButton));
    EXPECT_EQ(g.dialogResult, 1);
    EXPECT_EQ(w.parmTextHeight, 0);
}

TEST(MessageWindow, CreditsTurnByThemselvesAndCloseOnlyOnTheLastPage) {
    GameGlobals g;
    MessageWindow w(g);
    w.Form_Load(creditsWindow());
    EXPECT_NE(w.shownText().find("Produced by"), std::string::npos);
    // The one credits page is already the last: close is enabled at once.
    EXPECT_EQ(buttons(w), (Buttons{true, false, false, false}));
    w.Timer1_Timer();
    EXPECT_EQ(w.page(), 0);

    // Credits of three pages hold close back until the timer reaches the last one.
    WindowPages three = creditsWindow();
    three.pages.at(1) = "二";
    three.pages.at(2) = "三";
    three.pages.at(3) = "EOT";
    w.Form_Load(three);
    EXPECT_FALSE(w.enabled(CloseButton));
    w.Timer1_Timer();
    EXPECT_EQ(w.shownText(), "二");
    EXPECT_FALSE(w.enabled(CloseButton));
    w.Timer1_Timer();
    w.Timer1_Timer();
    EXPECT_EQ(w.page(), 2);
    EXPECT_TRUE(w.enabled(CloseButton));
}

TEST(MessageWindow, PageCounterCountsToTheLastPageThatHoldsText) {
    GameGlobals g;
    MessageWindow w(g);
    w.Form_Load(textWindow(MsgMode::YearEnd, "年末"));
    EXPECT_EQ(w.pageCounter(), "1 / 1");

    // The story ended on a page left empty: it is not counted until it is on view.
    WindowPages year{MsgMode::Resolution, {}};
    year.pages.append("一");
    year.pages.nextPage();
    year.pages.append("二");
    year.pages.nextPage();
    year.pages.markEnd();
    year.pages.at(5) = "後";  // beyond the end: never reached, never counted
    w.Form_Load(year);
    EXPECT_EQ(w.pageCounter(), "1 / 2");
    w.Command1_Click(NextButton);
    EXPECT_EQ(w.pageCounter(), "2 / 2");
    w.Command1_Click(LastButton);
    EXPECT_EQ(w.page(), 2);
    EXPECT_EQ(w.pageCounter(), "3 / 3");

    // Without any "EOT" the pages run to page 40.
    WindowPages open{MsgMode::Resolution, {}};
    open.pages.at(0) = "始";
    open.pages.at(40) = "終";
    w.Form_Load(open);
    EXPECT_EQ(w.pageCounter(), "1 / 41");
}

TEST(MessageWindow, LabelHeightByCharacters) {
    EXPECT_EQ(MessageWindow::labelHeight(std::string(1999, 'a'), 0), 23988);
    EXPECT_EQ(MessageWindow::labelHeight(std::string(2000, 'a'), 0), 30400);
    std::string kana;
    for (int i = 0; i < 1999; ++i) kana += "あ";
    EXPECT_EQ(MessageWindow::labelHeight(kana, 0), 23988);
    EXPECT_EQ(MessageWindow::labelHeight(kana, 5000), 5000);
}

std::string year(int y, int lines) {
    std::string text = "＝＝＝＝\r\n＝＝ " + std::to_string(y) + "年 ＝＝\r\n＝＝＝＝\r\n";
    for (int i = 3; i < lines; ++i) text += "行\r\n";
    return text;
}

// The reader opens where cutting the chronicle ended, on the latest year; a page's label is as high
// as its lines need.
TEST(ChronicleReader, OpensOnTheLatestYearWithALabelForItsLines) {
    ChronicleReader r;
    r.load("鼎峙録の記録\r\n" + year(189, 159) + year(190, 160) + year(191, 3) + "EOT=======\r\n");
    EXPECT_EQ(r.book().lineCounts[0], 160);  // the heading and 159 lines of the first year
    EXPECT_EQ(r.book().lineCounts[1], 160);
    EXPECT_EQ(r.page(), 2);
    EXPECT_EQ(r.shownText(), year(191, 3));
    r.Command1_Click(PreviousButton);
    EXPECT_EQ(r.shownLabelHeight(), 30400);
    EXPECT_EQ(ChronicleReader::labelHeight(159), 30210);
    EXPECT_EQ(ChronicleReader::labelHeight(160), 30400);
}

// Page 40 is never shown: a chronicle cut into 40 pages opens on page 39 (the last), one cut into 41
// or more on page 39 too, with next and last enabled but going nowhere.
TEST(ChronicleReader, OpensNoFurtherThanPage39) {
    struct Row {
        int years, page;
        Buttons buttons;
    };
    for (Row row : {Row{39, 38, {true, true, false, false}}, Row{40, 39, {true, true, false, false}},
                    Row{41, 39, {true, true, true, true}}, Row{45, 39, {true, true, true, true}}}) {
        SCOPED_TRACE(row.years);
        std::string log = "鼎峙録の記録\r\n";
        for (int y = 0; y < row.years; ++y) log += year(189 + y, 4);
        ChronicleReader r;
        r.load(log + "EOT=======\r\n");
        EXPECT_EQ(r.page(), row.page);
        EXPECT_EQ(r.shownText(), year(189 + row.page, 4));
        EXPECT_EQ(buttons(r), row.buttons);
        r.Command1_Click(NextButton);
        EXPECT_EQ(r.page(), row.page);
    }
}

TEST(ChronicleReader, AChronicleOfItsHeadingAloneIsOnePage) {
    ChronicleReader r;
    r.load("鼎峙録の記録\r\n");
    EXPECT_EQ(r.shownText(), "鼎峙録の記録\r\n");
    EXPECT_EQ(buttons(r), (Buttons{true, false, false, false}));
    EXPECT_TRUE(r.Command1_Click(CloseButton));
}

}  // namespace
}  // namespace tei
