// The command-line program as a person runs it: the time from start to exit of
// "teijiroku-cli autoplay --quiet" for a whole game, its processor time and its peak memory (the
// largest resident set the kernel reports for the finished child), each the median of several runs.
// Every run gets a fresh game folder seeded from the shipped data, copied before the clock starts.
//
//   build/bench/cli_measure [RUNS] [SCENARIO]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Run {
    double wallMs, userMs, sysMs, peakMb;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double ms(const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0; }

bool runOnce(const fs::path& folder, const std::string& scenario, Run& out) {
    auto start = std::chrono::steady_clock::now();
    pid_t pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0) ::_exit(127);
        if (!std::freopen("/dev/null", "w", stdout)) ::_exit(127);
        ::execl(TEIJIROKU_CLI, "teijiroku-cli", "autoplay", "--scenario", scenario.c_str(), "--seed", "1", "--quiet",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) return false;
    auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    out.wallMs = std::chrono::duration<double, std::milli>(end - start).count();
    out.userMs = ms(usage.ru_utime);
    out.sysMs = ms(usage.ru_stime);
    out.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    std::string scenario = argc > 2 ? argv[2] : "1";
    if (runs < 1) runs = 1;
    fs::path root = fs::temp_directory_path() / ("teijiroku-cli-measure-" + std::to_string(::getpid()));
    std::vector<double> wall, cpu, user, sys, peak;
    for (int i = 0; i < runs; ++i) {
        fs::remove_all(root);
        fs::create_directories(root / "save");
        fs::copy(fs::path(TEIJIROKU_SOURCE_DIR) / "data" / "ini", root / "ini");
        Run r{};
        if (!runOnce(root, scenario, r)) {
            std::fprintf(stderr, "teijiroku-cli autoplay failed\n");
            fs::remove_all(root);
            return 1;
        }
        wall.push_back(r.wallMs);
        cpu.push_back(r.userMs + r.sysMs);
        user.push_back(r.userMs);
        sys.push_back(r.sysMs);
        peak.push_back(r.peakMb);
    }
    fs::remove_all(root);
    std::printf("teijiroku-cli autoplay --scenario %s --seed 1 --quiet, %d runs, medians:\n", scenario.c_str(), runs);
    std::printf("  wall %.1f ms   cpu %.1f ms (user %.1f, sys %.1f)   peak memory %.1f MB\n", median(wall), median(cpu),
                median(user), median(sys), median(peak));
    std::printf("  highest: wall %.1f ms   peak memory %.1f MB\n", *std::max_element(wall.begin(), wall.end()),
                *std::max_element(peak.begin(), peak.end()));
    return 0;
}
