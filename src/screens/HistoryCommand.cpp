#include "screens/HistoryCommand.h"

#include <ostream>

namespace tei {

std::optional<HistoryOptions> parseHistoryOptions(const std::vector<std::string>& args, std::string& error) {
    HistoryOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a != "--measure") {
            error = "不明なオプションです: " + a + " / unknown option: " + a;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = "オプション " + a + " に値がありません。 / option " + a + " needs a value.";
            return std::nullopt;
        }
        const std::string& v = args[++i];
        o.measure = measureByKey(v);
        if (!o.measure) {
            std::string keys;
            for (const MeasureInfo& m : kHistoryMeasures) keys += (keys.empty() ? "" : "|") + std::string(m.key);
            error = "表示する値は " + keys + " のどれかです: " + v + " / the measure is one of " + keys + ": " + v;
            return std::nullopt;
        }
    }
    return o;
}

int runHistory(const HistoryOptions& options, const GameFolder& folder, std::ostream& out, std::ostream& err) {
    // A step a killed run left half done is settled first: the year's rows are there whole or not at all.
    if (auto problem = folder.recover()) {
        err << "エラー: " << *problem << "\nerror: an interrupted write cannot be settled\n";
        return 2;
    }
    auto path = folder.ini(kHistoryFile);
    try {
        if (!options.measure) {
            out << folder.readBytes(path);
            return 0;
        }
        if (!folder.exists(path)) throw FileError(FileError::Kind::Missing, folder.display(path));
        HistoryView view = HistoryView::load(folder);
        out << view.table(*options.measure);
        if (view.badLines().empty()) return 0;
        std::string lines;
        for (int n : view.badLines()) lines += (lines.empty() ? "" : ", ") + std::to_string(n);
        err << "注意: ファイル「" << folder.display(path) << "」の " << lines
            << " 行目は読めないので表に入れていません。\n"
            << "note: lines " << lines << " of " << folder.display(path) << " are not rows and were left out\n";
        return 1;
    } catch (const FileError& e) {
        err << "エラー: " << e.message() << "\nerror: cannot use " << e.path() << "\n";
        return 2;
    }
}

}  // namespace tei
