#include "game/Reports.h"

#include "core/Numbers.h"
#include "messages/Chronicle.h"

namespace tei {

namespace {
// A faction outside every alliance leads none, even when its ruler number is 0 as well.
bool leadsItsAlliance(const gun& f) { return f.meishuID != 0 && f.meishuID == f.kunshuID; }
}  // namespace

double factionScore(const gun& f, const GameGlobals& g) {
    double s = static_cast<double>(static_cast<long long>(f.army) * (f.tian + 50)) / 150 + f.meisei * 2.0;
    if (leadsItsAlliance(f)) {
        int a = g.factionAlliance[static_cast<size_t>(f.id >= 0 && f.id <= kMaxFaction ? f.id : 0)];
        s += g.allianceTroops[a] / 100.0 * g.allianceCohesion[a];
    }
    return s;
}

int Reports::Houkoku_rtn() {
    auto& page = report_.at(0);
    int16_t total = 0;
    for (int f = 1; f <= g_.factionCount && f <= kMaxFaction; ++f) {
        gun F = scratch_.ld_Gun_rtn(f).value_or(gun{});
        F.id = static_cast<int16_t>(f);
        if (!F.del) {
            double s = factionScore(F, g_);
            total = to16(total + s);
            page += F.name + " " + Str(s) + kCrLf;
        } else {
            page += F.name + " " + "滅亡" + Str(0) + kCrLf;
        }
    }
    page += kCrLf;

    int height = 4800;
    for (int t = 0; t < kSavedSlotCount; ++t) {
        int f = g_.slotFaction[t];
        if (f <= 0) continue;
        height += 1080;
        const gun rec = scratch_.ld_Gun_rtn(f).value_or(gun{});
        page += rec.name + "（プレイヤー）" + kCrLf;
        if (rec.del) {
            page += std::string("滅亡：0") + kCrLf + kCrLf;
            continue;
        }
        double m = Int(static_cast<double>(static_cast<long long>(rec.army) * (rec.tian + 50)) / 150);
        page += "動員可能な兵力：" + Str(m) + "000（1000で割ります）" + kCrLf;
        page += "名声：" + Str(rec.meisei) + "（２を掛けます）" + kCrLf;
        double s = m + rec.meisei * 2.0;
        if (leadsItsAlliance(rec)) {
            page += std::string("盟主である") + kCrLf;
            int a = g_.factionAlliance[static_cast<size_t>(f <= kMaxFaction ? f : 0)];
            // Int(troops / 100 * cohesion), worked out on whole numbers.
            double e = static_cast<double>(
                IntRatio(static_cast<long long>(g_.allianceTroops[a]) * g_.allianceCohesion[a], 100));
            s += e;
            page += "同盟の期待できる兵力：" + Str(e) + "000（1000で割ります）" + kCrLf;
        } else {
            page += std::string("盟主でない") + kCrLf;
        }
        page += "最終成績：" + Str(s) + kCrLf;
        // With every score too small to count, the share is shown as 0.
        double share = total != 0 ? Comma3(s / total) : 0.0;
        page += "制覇率：" + Str(share) + "（自軍スコア／全軍閥のスコア）" + kCrLf + kCrLf;
    }
    page += std::string("＊「save」フォルダ内にログファイル「tei_end.log」を作成しました。") + kCrLf;
    folder_.copyFile(folder_.ini(kChronicleFile), folder_.save(kEndLogName));
    return height;
}

}  // namespace tei
