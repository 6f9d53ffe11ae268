// A sweep against the same games played one by one: K runs of "teijiroku-cli autoplay --quiet" (seeds
// 1..K, each in a fresh game folder copied before its clock starts), then "teijiroku-cli sweep" of the
// same K games in one thread and in two, all in the same run of this program. Prints the wall and
// processor time of each and how many times faster the sweep is.
//
//   build/bench/sweep_measure [GAMES] [SCENARIO]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Times {
    double wallMs = 0, cpuMs = 0;
};

double ms(const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0; }

// Runs teijiroku-cli with 'args' in 'folder', its output thrown away; adds its times to 'sum'.
bool run(const fs::path& folder, const std::vector<std::string>& args, Times& sum) {
    std::vector<char*> argv{const_cast<char*>("teijiroku-cli")};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0) ::_exit(127);
        if (!std::freopen("/dev/null", "w", stdout)) ::_exit(127);
        ::execv(TEIJIROKU_CLI, argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) return false;
    auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    sum.wallMs += std::chrono::duration<double, std::milli>(end - start).count();
    sum.cpuMs += ms(usage.ru_utime) + ms(usage.ru_stime);
    return true;
}

void fresh(const fs::path& root) {
    fs::remove_all(root);
    fs::create_directories(root / "save");
    fs::copy(fs::path(TEIJIROKU_SOURCE_DIR) / "data" / "ini", root / "ini");
}

}  // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : 200;
    const std::string scenario = argc > 2 ? argv[2] : "1";
    const fs::path root = fs::temp_directory_path() / ("teijiroku-sweep-measure-" + std::to_string(::getpid()));
    auto failed = [&](const char* what) {
        std::fprintf(stderr, "teijiroku-cli %s failed\n", what);
        fs::remove_all(root);
        return 1;
    };

    Times oneByOne;
    for (int i = 1; i <= games; ++i) {
        fresh(root);
        if (!run(root, {"autoplay", "--scenario", scenario, "--seed", std::to_string(i), "--quiet"}, oneByOne))
            return failed("autoplay");
    }
    fresh(root);
    Times sweep1, sweep2;
    const std::vector<std::string> sweep = {"sweep", "--scenario", scenario, "--games", std::to_string(games), "--csv"};
    std::vector<std::string> withOne = sweep, withTwo = sweep;
    withOne.insert(withOne.end(), {"--jobs", "1"});
    withTwo.insert(withTwo.end(), {"--jobs", "2"});
    if (!run(root, withOne, sweep1) || !run(root, withTwo, sweep2)) return failed("sweep");
    fs::remove_all(root);

    std::printf("scenario %s, %d games (seeds 1..%d)\n", scenario.c_str(), games, games);
    auto line = [&](const char* what, const Times& t) {
        std::printf("  %-34s wall %9.1f ms  cpu %9.1f ms  (%.2f ms cpu a game)\n", what, t.wallMs, t.cpuMs,
                    t.cpuMs / games);
    };
    line("autoplay --quiet, one process each", oneByOne);
    line("sweep --jobs 1", sweep1);
    line("sweep --jobs 2", sweep2);
    std::printf("  sweep --jobs 1 is %.1f times faster by the wall clock (%.1f by processor time);\n",
                oneByOne.wallMs / sweep1.wallMs, oneByOne.cpuMs / sweep1.cpuMs);
    std::printf("  sweep --jobs 2 is %.1f times faster by the wall clock\n", oneByOne.wallMs / sweep2.wallMs);
    return 0;
}
