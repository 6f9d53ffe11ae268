// The writers that hand the next reader their parsed records along with the text (the year end's
// one-record faction rewrite, the resolution's officer file) must hand exactly what a reader parsing
// the bytes on the disk would find, or a running game would see other records than a loaded one.

#include <gtest/gtest.h>

#include <sstream>

#include "core/RecordFiles.h"
#include "core/RecordScratch.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::crlf;
using test::TempGameFolder;

// Everything a reader takes from each record, one line a record.
std::string described(const FactionFile& file) {
    std::ostringstream s;
    for (const auto& r : file) {
        s << r.number << " " << r.marker << " " << r.fallen << " " << r.fields << " " << r.faction.id << " "
          << r.faction.name << " " << r.faction.del;
        for (int k = 1; k <= 8; ++k) s << "," << factionNumberField(r.faction, k);
        s << "\n";
    }
    return s.str();
}

std::string described(const OfficerFile& file) {
    std::ostringstream s;
    for (const auto& r : file) {
        const Bushou& b = r.officer;
        s << r.number << " " << r.fields << " " << b.id << " " << b.name << " " << b.jpg << " " << b.commentID << " "
          << b.gunID;
        for (int k = 1; k <= 8; ++k) s << "," << officerNumberField(b, k);
        s << "\n";
    }
    return s.str();
}

// What a fresh reader finds in the file's bytes.
std::string onDiskFactions(const TempGameFolder& tmp) { return described(parseFactionFile(tmp.readIni("gunsv.ini"))); }
std::string onDiskOfficers(const TempGameFolder& tmp) { return described(parseOfficerFile(tmp.readIni("busv.ini"))); }

TEST(ParsedWrites, TheYearEndsFactionRewriteHandsOnWhatTheBytesSay) {
    // A comma inside a quoted name, a record cut short, a marker that does not start its line and a
    // record past the count.
    const std::string files[] = {
        crlf({".1", "\"董,卓\"", "0,1,180,30,60,50,70,75", "\"FALSE\"", ".2", "袁紹", "2,5,120", "x,.3", "曹操",
              "2,8,40,10,70,70,80,20", "yes", ".4", "孫堅", "0,9,1,1,1,1,1,1", "FALSE"}),
        // A bare flag holding a quote cannot be written back as it was read: the text is parsed anew.
        crlf({".1", "董卓", "0,1,180,30,60,50,70,75", "F\"ALSE", ".2", "袁紹", "2,5,120,20,90,60,65,40", "FALSE"}),
    };
    for (const std::string& file : files) {
        TempGameFolder tmp;
        tmp.writeIni("gunsv.ini", file);
        int16_t officerCount = 170, factionCount = 3;
        RecordScratch s(tmp.folder(), officerCount, factionCount);
        for (int16_t n : {2, 1, 3}) {
            gun f = s.ld_Gun_rtn(n).value_or(gun{});
            f.army = static_cast<int16_t>(f.army + 7);
            s.sv_Gun_rtn(n, f);
            EXPECT_EQ(described(*readFactionFile(tmp.folder(), tmp.folder().ini("gunsv.ini"))), onDiskFactions(tmp));
        }
    }
}

TEST(ParsedWrites, TheResolutionsOfficerFileHandsOnWhatTheBytesSay) {
    TempGameFolder tmp;
    RecordTables t;
    t.officers[1] = Bushou{1, "曹操", 9, 7, 9, 9, 9, 8, 1, 3, 5, "sousou", 12};
    t.officers[2] = Bushou{2, "", 1, 1, 1, 1, 1, 1, 1, 3, 2, "", 0};  // no name, no picture
    t.officers[3] = Bushou{3, "呂布", 1, 10, 1, 1, 1, 1, 0, 0, 2, "ryo fu", -32768};
    t.sv_Chr(tmp.folder(), 4);  // officer 4 is the table's fresh entry
    EXPECT_EQ(described(*readOfficerFile(tmp.folder(), tmp.folder().ini("busv.ini"))), onDiskOfficers(tmp));

    // Names a bare line cannot hold as they are: the file is parsed anew, and reads what it reads.
    for (const char* name : {"a,b", " 張遼", ".5", "x\"y"}) {
        SCOPED_TRACE(name);
        t.officers[2].name = name;
        t.sv_Chr(tmp.folder(), 4);
        EXPECT_EQ(described(*readOfficerFile(tmp.folder(), tmp.folder().ini("busv.ini"))), onDiskOfficers(tmp));
    }
}

}  // namespace
}  // namespace tei
