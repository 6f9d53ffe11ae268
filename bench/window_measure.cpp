// The game window's figures, on Qt's offscreen platform, each the median of several runs of a fresh
// process in a fresh game folder seeded from the shipped data:
//   title  the time from starting the process to the first paint of the title screen (the start check
//          of the data folder and the title screen's working files included);
//   year   the time from pressing Yes on the last player's "…の行動をコンピュータに任せますか？" to the
//          first paint of the message window with the year's story (the whole resolution included);
//   chart  the time from opening the history chart at the end of a game (reading a history of 38
//          years of 13 factions, building the lines and the ranking) to the first paint of the chart;
//   and the peak memory (the largest resident set the kernel reports for the finished process) of
//   each: the year run holds the title's files, the main screen and the message window.
// The clock is CLOCK_MONOTONIC, which the parent and the child share.
//
//   build/bench/window_measure [RUNS]

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QChartView>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/HistoryFile.h"
#include "core/Random.h"
#include "core/forms/GameLook.h"
#include "game/forms/Main.h"
#include "messages/forms/Msg.h"
#include "screens/forms/HistoryChart.h"
#include "setup/ScenarioSetup.h"
#include "setup/StartCheck.h"
#include "setup/forms/Form2.h"

namespace fs = std::filesystem;

namespace {

long long nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// Prints the measured instant (or span) and leaves at once: what is measured is done.
[[noreturn]] void report(long long ns) {
    std::printf("%lld\n", ns);
    std::fflush(stdout);
    std::_Exit(0);
}

// Ends the child with the instant of the first paint of a widget of type T.
template <class T>
class FirstPaint : public QObject {
public:
    explicit FirstPaint(long long since) : since_(since) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && qobject_cast<T*>(o)) report(nowNs() - since_);
        return false;
    }

private:
    long long since_;
};

int title(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tei::applyGameLook(app);
    tei::GameFolder folder;
    tei::GameGlobals g;
    tei::ClockRandom rng;
    if (tei::startProblem(folder)) return 3;
    FirstPaint<tei::Form2> paint(0);  // the parent subtracts its own start instant
    app.installEventFilter(&paint);
    tei::Form2 screen(folder, g, rng);
    screen.exec();
    return 4;
}

// Answers every message box with its Yes or OK button; the Yes to the Auto question starts the clock
// that the message window's first paint stops.
class Answers : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(o))
                QTimer::singleShot(0, box, [this, box] {
                    for (QAbstractButton* b : box->buttons()) {
                        auto role = box->buttonRole(b);
                        if (role != QMessageBox::YesRole && role != QMessageBox::AcceptRole) continue;
                        if (box->text().contains(QStringLiteral("任せますか"))) pressedAt = nowNs();
                        b->click();
                        return;
                    }
                });
        if (e->type() == QEvent::Paint && pressedAt != 0 && qobject_cast<tei::Msg*>(o)) report(nowNs() - pressedAt);
        return false;
    }
    long long pressedAt = 0;
};

int year(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tei::applyGameLook(app);
    tei::GameFolder folder;
    tei::GameGlobals g;
    tei::SeededRandom rng(1);
    tei::ScenarioSetup setup(folder, g, rng);
    if (!setup.Form_Load().ok || !setup.startNewGame({0}).ok) return 3;
    Answers answers;
    app.installEventFilter(&answers);
    tei::Main main(folder, g, rng);
    main.show();
    main.start();
    main.findChild<QPushButton*>(QStringLiteral("Command1_3"))->click();
    return 4;
}

// Ends the child with the time since 'since' at the first paint of a chart: the chart view's viewport
// is where a chart is painted.
class FirstChartPaint : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && since != 0 && o->parent() && qobject_cast<QChartView*>(o->parent()))
            report(nowNs() - since);
        return false;
    }
    long long since = 0;
};

int chart(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tei::applyGameLook(app);
    tei::GameFolder folder;
    tei::GameGlobals g;
    g.slotFaction[2] = 3;
    FirstChartPaint paint;
    app.installEventFilter(&paint);
    paint.since = nowNs();
    tei::HistoryChart window(folder, g, tei::HistoryChart::Opening::FinalRanking);
    window.exec();
    return 4;
}

// A history of 38 years (200..237) of 13 factions, three of which fall on the way.
std::string longHistory() {
    std::vector<tei::HistoryRow> rows;
    for (int year = 200; year < 238; ++year)
        for (int f = 1; f <= 13; ++f) {
            int t = year - 200;
            tei::HistoryRow r{.year = static_cast<int16_t>(year),
                              .faction = static_cast<int16_t>(f),
                              .name = "軍閥" + std::to_string(f),
                              .alive = !(f % 4 == 0 && t >= 10 * (f / 4)),
                              .troops = static_cast<int16_t>(50 + (f * 37 + t * 11) % 400),
                              .elite = static_cast<int16_t>(5 + (f + t) % 30),
                              .fame = static_cast<int16_t>(20 + (f * 13 + t * 7) % 180),
                              .awe = static_cast<int16_t>(10 + (f * 3 + t) % 90),
                              .order = static_cast<int16_t>((f * 17 + t * 5) % 101),
                              .cohesion = static_cast<int16_t>((f * 29 + t * 3) % 101),
                              .officers = static_cast<int16_t>(3 + (f + t) % 25),
                              .alliance = static_cast<int16_t>(f % 3 == 0 ? 18 : 0),
                              .score = 100 + (f * 53 + t * 31) % 900 + 0.25 * (t % 4)};
            if (!r.alive) r.score = 0;
            rows.push_back(std::move(r));
        }
    std::string text = tei::emptyHistory();
    for (const auto& r : rows) text += tei::formatHistoryRow(r);
    return text;
}

struct Run {
    double ms, peakMb;
};

bool runChild(const char* self, const char* mode, const fs::path& folder, Run& out) {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    long long start = nowNs();
    pid_t pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
        ::dup2(fds[1], 1);
        ::close(fds[0]);
        int quiet = ::open("/dev/null", O_WRONLY);  // Qt's notes about the offscreen platform
        if (quiet >= 0) ::dup2(quiet, 2);
        if (::chdir(folder.c_str()) != 0) ::_exit(127);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("XDG_RUNTIME_DIR", (folder / "runtime").c_str(), 1);
        ::execl(self, self, mode, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    char buf[64] = {};
    ssize_t n = ::read(fds[0], buf, sizeof buf - 1);
    ::close(fds[0]);
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid || n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    long long value = std::atoll(buf);
    // The title child reports the instant itself; the year and chart children the span.
    out.ms = static_cast<double>(std::strcmp(mode, "title") == 0 ? value - start : value) / 1e6;
    out.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return true;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "title") == 0) return title(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "year") == 0) return year(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "chart") == 0) return chart(argc, argv);
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    fs::path root = fs::temp_directory_path() / ("teijiroku-window-measure-" + std::to_string(::getpid()));
    char self[4096] = {};
    if (::readlink("/proc/self/exe", self, sizeof self - 1) <= 0) return 1;
    for (const char* mode : {"title", "year", "chart"}) {
        std::vector<double> ms, peak;
        for (int i = 0; i < runs; ++i) {
            fs::remove_all(root);
            fs::create_directories(root / "save");
            fs::create_directories(root / "runtime");
            fs::permissions(root / "runtime", fs::perms::owner_all);
            fs::copy(fs::path(TEIJIROKU_SOURCE_DIR) / "data" / "ini", root / "ini");
            if (std::strcmp(mode, "chart") == 0) {
                std::FILE* f = std::fopen((root / "ini" / tei::kHistoryFile).c_str(), "wb");
                std::string text = longHistory();
                if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) return 1;
            }
            Run r{};
            if (!runChild(self, mode, root, r)) {
                std::fprintf(stderr, "the %s run failed\n", mode);
                fs::remove_all(root);
                return 1;
            }
            ms.push_back(r.ms);
            peak.push_back(r.peakMb);
        }
        std::printf("%-5s %d runs: median %.1f ms (highest %.1f)   peak memory median %.1f MB (highest %.1f)\n", mode,
                    runs, median(ms), *std::max_element(ms.begin(), ms.end()), median(peak),
                    *std::max_element(peak.begin(), peak.end()));
    }
    fs::remove_all(root);
    return 0;
}
