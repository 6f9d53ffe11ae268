#include "core/OfficerRecordFile.h"

#include <gtest/gtest.h>

#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::crlf;
using test::TempGameFolder;

const std::string kMaster = crlf({".1", "\"曹操\"", "10,7,9,10", "9,6", "1,5", "\"sousou\"", "3",  //
                                  ".2", "\"荀彧\"", "10,2,9,4",  "8,9", "1,3", "\"junik\"",  "4",  //
                                  ".3", "\"許褚\"", "1,9,2,4",   "3,4", "1,2", "\"kyocho\"", "0"});

TEST(OfficerRecordFile, WriterReplacesOnlyTheOfficersRecordAndWritesItBare) {
    TempGameFolder tmp;
    tmp.writeIni("bushou1.ini", kMaster);
    Bushou b = *parseOfficerRecord(kMaster, 2);
    b.Job = 6;
    b.wisdom = 10;
    writeOfficerRecord(tmp.folder(), tmp.folder().ini("BUSHOU1.ini"), b);
    EXPECT_EQ(tmp.readIni("bushou1.ini"), crlf({".1", "\"曹操\"", "10,7,9,10", "9,6", "1,5", "\"sousou\"", "3",  //
                                                ".2", "荀彧",     "10,2,10,4", "8,9", "1,6", "junik",      "4",  //
                                                ".3", "\"許褚\"", "1,9,2,4",   "3,4", "1,2", "\"kyocho\"", "0"}));
    EXPECT_EQ(tmp.readIni("buimg.ini"), kMaster);
}

TEST(OfficerRecordFile, WriterKeepsTheFollowingRecordWhenTheOldOneWasCutShort) {
    std::string text = crlf({".1", "甲", "1,1,1,1", ".2", "乙", "2,2,2,2", "2,2", "0,1", "p", "0"});
    Bushou b;
    b.id = 1;
    b.name = "甲";
    EXPECT_EQ(replaceOfficerRecord(text, b), crlf({".1", "甲", "1,1,0,0", "0,0", "0,0", "", "0",  //
                                                   ".2", "乙", "2,2,2,2", "2,2", "0,1", "p", "0"}));
}

TEST(Comment, LookupSplitsAtCommasIndentsEachLineAndNeedsNoFileForNone) {
    std::string comments = crlf({".3", "曹操", "乱世の奸雄。", "詩文にも優れ,兵法書に注を付けた。", ".",  //
                                 ".4", "荀彧", "王佐の才。", ".",                                         //
                                 ".200", "架空", "ここは読まれない。", "."});
    EXPECT_EQ(commentFromText(comments, 3), "  乱世の奸雄。\r\n  詩文にも優れ\r\n  兵法書に注を付けた。\r\n");
    EXPECT_EQ(commentFromText(comments, 4), "  王佐の才。\r\n");
    EXPECT_EQ(commentFromText(comments, 0), "");
    EXPECT_EQ(commentFromText(comments, 200), "この１ゲーム限りの架空の人物。");
    EXPECT_EQ(commentFromText(comments, 9), "");

    // Fictional and empty comments need no file.
    TempGameFolder tmp;  // no Cmtsv.ini at all
    EXPECT_EQ(ld_Comment_rtn(tmp.folder(), 200), "この１ゲーム限りの架空の人物。");
    EXPECT_EQ(ld_Comment_rtn(tmp.folder(), 0), "");
    EXPECT_THROW(ld_Comment_rtn(tmp.folder(), 5), FileError);
}

}  // namespace
}  // namespace tei
