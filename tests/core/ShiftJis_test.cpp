// Files from older Japanese editors: a game folder whose files are Shift_JIS plays exactly the game of
// the same text in UTF-8, writes UTF-8, leaves the masters as they are on the disk, and check names
// every such file. The Shift_JIS files are made here from the shipped ones.

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/GameFolder.h"
#include "game/Autoplay.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

namespace fs = std::filesystem;
using test::TempGameFolder;

// UTF-8 text in Shift_JIS; a character Shift_JIS has not (many of the names' rarer ones) becomes 〓.
std::string toShiftJis(std::string_view utf8) {
    iconv_t cd = ::iconv_open("CP932", "UTF-8");
    std::string in(utf8), out(utf8.size() * 2 + 4, '\0');
    char* inp = in.data();
    size_t inLeft = in.size();
    char* outp = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0 && ::iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1)) {
        EXPECT_EQ(errno, EILSEQ);
        int length = 1;  // the length of the UTF-8 character that has no Shift_JIS form
        while (length < static_cast<int>(inLeft) && (static_cast<unsigned char>(inp[length]) & 0xC0) == 0x80) ++length;
        inp += length;
        inLeft -= static_cast<size_t>(length);
        *outp++ = '\x81';
        *outp++ = '\xAC';
        outLeft -= 2;
    }
    ::iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

using test::Files;

void writeFile(const fs::path& p, std::string_view bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// A text file is UTF-8 (its byte order mark dropped) or else Shift_JIS; bytes that are neither are refused.
TEST(ShiftJis, FilesThatAreNoUtf8AreReadAsShiftJisOrRefusedAsToday) {
    TempGameFolder tmp;
    GameFolder& f = tmp.folder();
    tmp.writeIni("sjis.ini", ".1\r\n\x91\x82\x91\x80,\xB6\xC5\r\n");  // 曹操 and a half-width カナ
    tmp.writeIni("bom.ini", "\xEF\xBB\xBF.1\r\n曹操\r\n");
    const struct {
        const char* bytes;
        const char* why;
    } neither[] = {{"\x83\x65\xFF", "0xFF is no Shift_JIS"},
                   {"\x83\x20", "a lead byte without its second byte"},
                   {"\x83", "cut after a lead byte"},
                   {"\x83\x65\0", "a NUL byte"}};
    EXPECT_EQ(f.readText(f.ini("sjis.ini")), ".1\r\n曹操,ｶﾅ\r\n");
    EXPECT_EQ(f.readText(f.ini("bom.ini")), ".1\r\n曹操\r\n");
    EXPECT_TRUE(f.isShiftJis(f.ini("sjis.ini")));
    EXPECT_FALSE(f.isShiftJis(f.ini("bom.ini")));
    // A copy is UTF-8 text; a UTF-8 file is copied byte for byte, its mark included.
    f.copyFile(f.ini("sjis.ini"), f.ini("copy.ini"));
    EXPECT_EQ(tmp.readIni("copy.ini"), ".1\r\n曹操,ｶﾅ\r\n");
    (void)f.snapshotFile(f.ini("sjis.ini"), f.ini("snap.ini"));
    EXPECT_EQ(tmp.readIni("snap.ini"), ".1\r\n曹操,ｶﾅ\r\n");
    f.copyFile(f.ini("bom.ini"), f.ini("copy.ini"));
    EXPECT_EQ(tmp.readIni("copy.ini"), "\xEF\xBB\xBF.1\r\n曹操\r\n");
    for (const auto& n : neither) {
        SCOPED_TRACE(n.why);
        tmp.writeIni("bad.ini",
                     std::string(n.bytes, std::string_view(n.why) == "a NUL byte" ? 3 : std::strlen(n.bytes)));
        try {
            (void)f.readText(f.ini("bad.ini"));
            ADD_FAILURE() << "read";
        } catch (const FileError& e) {
            EXPECT_EQ(e.message(), "ファイル「ini/bad.ini」は UTF-8 のテキストではありません。");
        }
    }
}

// Every shipped file in Shift_JIS beside the same text in UTF-8: the seeded games are the same page for
// page, and so are the files they write, which are UTF-8; the masters keep their Shift_JIS bytes.
TEST(ShiftJis, AShiftJisFolderPlaysTheGameOfItsTextAndCheckNamesEveryFile) {
    TempGameFolder sjis, utf8;
    sjis.copyShippedData();
    for (const auto& [name, bytes] : sjis.files()) {
        std::string converted = toShiftJis(bytes);
        writeFile(sjis.root() / name, converted);
        writeFile(utf8.root() / name, *shiftJisToUtf8(converted));
    }
    const Files masters = sjis.files();
    for (int scenario : {1, 5}) {
        SCOPED_TRACE(scenario);
        AutoplayOptions o;
        o.scenario = scenario;
        o.seed = 11;
        o.players = {2};
        std::ostringstream outS, outU, err;
        ASSERT_EQ(runAutoplay(o, sjis.folder(), outS, err), 0) << err.str();
        ASSERT_EQ(runAutoplay(o, utf8.folder(), outU, err), 0) << err.str();
        EXPECT_GT(outS.str().size(), 10000u);
        EXPECT_EQ(outS.str(), outU.str());
        Files playedS = sjis.files(), playedU = utf8.files();
        for (const auto& [name, bytes] : playedS) {
            if (masters.count(name)) {
                EXPECT_EQ(bytes, masters.at(name)) << name;
            } else {
                EXPECT_EQ(bytes, playedU.at(name)) << name;
                EXPECT_TRUE(isUtf8Text(bytes)) << name;
            }
        }
    }

    std::ostringstream out;
    EXPECT_EQ(runCheck(sjis.root() / "ini", out), 0);
    std::string lines = out.str();
    EXPECT_NE(lines.find("ファイル「ini/bushou1.ini」は Shift_JIS として読み込みました。\n"), std::string::npos)
        << lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 14) << lines;  // the files check reads, each once
    std::ostringstream again;
    EXPECT_EQ(runCheck(utf8.root() / "ini", again), 0);
    EXPECT_EQ(again.str(), "");
}

}  // namespace
}  // namespace tei
