#include "game/Reports.h"

#include "core/Numbers.h"
#include "messages/Chronicle.h"

namespace tei {

namespace {
// A faction outside every alliance leads none, even when its ruler number is 0 as well.
bool leadsItsAlliance(const gun& f) { return f.meishuID != 0 && f.meishuID == f.kunshuID; }
}  // namespace

Reports::Score Reports::scoreOf(const gun& f, int faction) const {
    Score s;
    s.troops = static_cast<double>(static_cast<long long>(f.army) * (f.tian + 50)) / 150;
    s.fame = f.meisei * 2.0;
    s.leader = leadsItsAlliance(f);
    if (s.leader) {
        int a = g_.factionAlliance[static_cast<size_t>(faction >= 0 && faction <= kMaxFaction ? faction : 0)];
        s.alliance = g_.allianceTroops[a] / 100.0 * g_.allianceCohesion[a];
        // Int(troops / 100 * cohesion), worked out on whole numbers.
        s.allianceShown =
            static_cast<double>(IntRatio(static_cast<long long>(g_.allianceTroops[a]) * g_.allianceCohesion[a], 100));
    }
    return s;
}

double Reports::Score::detailed() const { return Int(troops) + fame + allianceShown; }

// With every score too small to count, the share is 0.
double Reports::share(double detailed, int16_t total) { return total != 0 ? Comma3(detailed / total) : 0.0; }

std::vector<Standing> Reports::standings() const {
    int16_t total = 0;
    return standings(total);
}

std::vector<Standing> Reports::standings(int16_t& total) const {
    std::vector<Standing> list;
    std::vector<double> detailed;
    total = 0;
    for (int f = 1; f <= g_.factionCount && f <= kMaxFaction; ++f) {
        const gun F = scratch_.ld_Gun_rtn(f).value_or(gun{});
        Standing s{static_cast<int16_t>(f), F.name, F.del};
        detailed.push_back(0);
        if (!F.del) {
            Score parts = scoreOf(F, f);
            s.score = parts.listed();
            detailed.back() = parts.detailed();
            total = to16(total + s.score);
        }
        list.push_back(std::move(s));
    }
    for (size_t i = 0; i < list.size(); ++i)
        if (!list[i].fallen) list[i].share = share(detailed[i], total);
    return list;
}

int Reports::Houkoku_rtn() {
    auto& page = report_.at(0);
    int16_t total = 0;
    reported_ = standings(total);
    for (const Standing& s : reported_) {
        if (!s.fallen)
            page += s.name + " " + Str(s.score) + kCrLf;
        else
            page += s.name + " " + "滅亡" + Str(0) + kCrLf;
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
        const Score parts = scoreOf(rec, f);
        page += "動員可能な兵力：" + Str(Int(parts.troops)) + "000（1000で割ります）" + kCrLf;
        page += "名声：" + Str(rec.meisei) + "（２を掛けます）" + kCrLf;
        if (parts.leader) {
            page += std::string("盟主である") + kCrLf;
            page += "同盟の期待できる兵力：" + Str(parts.allianceShown) + "000（1000で割ります）" + kCrLf;
        } else {
            page += std::string("盟主でない") + kCrLf;
        }
        const double s = parts.detailed();
        page += "最終成績：" + Str(s) + kCrLf;
        page += "制覇率：" + Str(share(s, total)) + "（自軍スコア／全軍閥のスコア）" + kCrLf + kCrLf;
    }
    page += std::string("＊「save」フォルダ内にログファイル「tei_end.log」を作成しました。") + kCrLf;
    folder_.copyFile(folder_.ini(kChronicleFile), folder_.save(kEndLogName));
    return height;
}

}  // namespace tei
