// Names and picture names that the writers write bare: one a bare line cannot hold (a comma, a blank
// at an end, a leading ".") used to come back split into other fields after the next year's rewrite.

#include <gtest/gtest.h>

#include "core/OfficerRecordFile.h"
#include "core/RecordFiles.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::crlf;

TEST(bareOrQuoted, QuotesOnlyWhatABareLineCannotHold) {
    EXPECT_EQ(bareOrQuoted("曹操"), "曹操");
    EXPECT_EQ(bareOrQuoted(""), "");
    EXPECT_EQ(bareOrQuoted("曹,操"), "\"曹,操\"");
    EXPECT_EQ(bareOrQuoted(" 張遼"), "\" 張遼\"");
    EXPECT_EQ(bareOrQuoted(".5"), "\".5\"");
    EXPECT_EQ(bareOrQuoted("a\"b"), "a\"b");  // no writing of it reads back; left as it was
}

TEST(bareOrQuoted, AHandEditedNameWithACommaSurvivesEveryWriter) {
    OfficerTable officers{};
    officers[1] = Bushou{1, "曹,操", 9, 7, 8, 6, 5, 4, 1, 0, 5, "sou,sou", 12};
    OfficerTable back{};
    parseOfficers(formatOfficers(officers, 1), 1, back);
    EXPECT_EQ(back[1].name, "曹,操");
    EXPECT_EQ(back[1].policy, 9);
    EXPECT_EQ(back[1].Setu, 4);
    EXPECT_EQ(back[1].jpg, "sou,sou");
    EXPECT_EQ(back[1].commentID, 12);

    FactionTable factions{};
    factions[1].name = ".袁紹";
    factions[1].army = 120;
    factions[1].del = true;
    FactionTable fback{};
    parseFactions(formatFactions(factions, 1), 1, fback);
    EXPECT_EQ(fback[1].name, ".袁紹");
    EXPECT_EQ(fback[1].army, 120);
    EXPECT_TRUE(fback[1].del);

    // The officer editor's one-record rewrite.
    std::string file = crlf({".1", "\"曹,操\"", "9,7,8,6", "5,4", "1,5", "sousou", "12"});
    Bushou edited = *parseOfficerRecord(file, 1);
    EXPECT_EQ(edited.name, "曹,操");
    edited.fight = 10;
    auto again = parseOfficerRecord(replaceOfficerRecord(file, edited), 1);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->name, "曹,操");
    EXPECT_EQ(again->fight, 10);
    EXPECT_EQ(again->commentID, 12);
}

}  // namespace
}  // namespace tei
