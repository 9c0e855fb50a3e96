// Measures what a player waits for, beside a bare Qt program measured in the same run: each
// program is its own fresh process, launched again for every run, the two interleaved.
//
//   xvfb-run -a build/tools/bench/bench [--runs N] [--ticks N] [--idle-seconds S]
//
// Start-up is timed from just before the parent starts the child to the moment the child's first
// frame went out (the child prints it as CLOCK_MONOTONIC, the clock both read). Everything else
// is timed inside the children (tools/bench/game.cpp and bare.cpp) and reported back as lines of
// "key value". A child that never paints, or fails in any way, stops the bench with its output.

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

long long nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

[[noreturn]] void die(const std::string& what) {
    std::fprintf(stderr, "bench: %s\n", what.c_str());
    std::exit(1);
}

struct Child {
    long long startNs = 0;
    std::vector<std::string> lines;
};

// Runs `argv`, collecting its output lines; `onLine` may answer true to stop the child there
// (it is then killed, as the idle runs are). Dies with the child's output if it fails or hangs.
Child run(const std::vector<std::string>& argv, int timeoutS, const std::function<bool(pid_t, const std::string&)>& onLine = {}) {
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) || pipe2(err, O_CLOEXEC)) die("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    Child child;
    pid_t pid = 0;
    child.startNs = nowNs();
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) die("cannot start " + argv[0]);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);

    std::string pending, errors;
    bool stopped = false;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    for (int open = 2; open > 0;) {
        const int left = static_cast<int>(timeoutS * 1000 - (nowNs() - child.startNs) / 1000000);
        if (left <= 0 || poll(fds, 2, left) <= 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            die(argv[0] + " " + (argv.size() > 1 ? argv[1] : "") + " hung (no end within " + std::to_string(timeoutS) +
                " s); it said:\n" + errors);
        }
        for (int i = 0; i < 2; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP))) continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
                continue;
            }
            if (i == 1) {
                errors.append(buffer, n);
                continue;
            }
            pending.append(buffer, n);
            for (std::size_t nl; (nl = pending.find('\n')) != std::string::npos; pending.erase(0, nl + 1)) {
                child.lines.push_back(pending.substr(0, nl));
                if (!stopped && onLine && onLine(pid, child.lines.back())) {
                    stopped = true;
                    kill(pid, SIGKILL);
                }
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const bool ok =
        stopped ? (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) : (WIFEXITED(status) && WEXITSTATUS(status) == 0);
    if (!ok)
        die(argv[0] + " " + (argv.size() > 1 ? argv[1] : "") + " failed (status " + std::to_string(status) + "); it said:\n" +
            errors);
    return child;
}

// "key value" and "key detail value" lines.
std::vector<std::vector<std::string>> fields(const Child& c) {
    std::vector<std::vector<std::string>> out;
    for (const auto& line : c.lines) {
        std::istringstream in(line);
        std::vector<std::string> f;
        for (std::string w; in >> w;) f.push_back(w);
        if (!f.empty()) out.push_back(f);
    }
    return out;
}

using Samples = std::map<std::string, std::vector<double>>;

void collect(Samples& into, const std::string& prefix, const Child& c) {
    for (const auto& f : fields(c)) {
        if (f.size() == 2) into[prefix + f[0]].push_back(std::atof(f[1].c_str()));
        if (f.size() < 3) continue;
        std::string key = prefix + f[0];
        for (std::size_t i = 1; i + 1 < f.size(); ++i) key += " " + f[i];
        into[key].push_back(std::atof(f.back().c_str()));
    }
}

double startup(const Child& c, const std::string& what) {
    for (const auto& f : fields(c))
        if (f.size() == 2 && f[0] == "painted") return (std::atoll(f[1].c_str()) - c.startNs) / 1e6;
    die(what + " exited without reporting its first paint");
}

struct Stats {
    double median = NAN, min = NAN, max = NAN;
    std::size_t n = 0;
};

Stats stats(std::vector<double> v) {
    Stats s;
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    s.n = v.size();
    s.min = v.front();
    s.max = v.back();
    s.median = v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    return s;
}

std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

// CPU time of every thread of `pid` so far, in ms, and its context switches (wake-ups).
std::pair<double, long> cpuOf(pid_t pid) {
    double ms = 0;
    long switches = 0;
    const std::string dir = "/proc/" + std::to_string(pid) + "/task/";
    DIR* tasks = opendir(dir.c_str());
    while (tasks) {
        const dirent* e = readdir(tasks);
        if (!e) break;
        if (e->d_name[0] == '.') continue;
        std::ifstream sched(dir + e->d_name + "/schedstat");
        double runNs = 0;
        if (sched >> runNs) ms += runNs / 1e6;
        std::ifstream status(dir + e->d_name + "/status");
        for (std::string key; status >> key;) {
            long v = 0;
            if ((key == "voluntary_ctxt_switches:" || key == "nonvoluntary_ctxt_switches:") && status >> v) switches += v;
        }
    }
    if (tasks) closedir(tasks);
    return {ms, switches};
}

void row(const std::string& what, const Stats& ours, const Stats& bare, const char* target, const char* verdict) {
    std::printf("%-56s %8.2f %8.2f %8.2f", what.c_str(), ours.median, ours.min, ours.max);
    if (bare.n)
        std::printf("   %8.2f %8.2f %8.2f   %6.2f", bare.median, bare.min, bare.max, ours.median / bare.median);
    else
        std::printf("   %8s %8s %8s   %6s", "", "", "", "");
    std::printf("   %-10s %s\n", target, verdict);
}

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

}  // namespace

int main(int argc, char** argv) {
    int runs = 30, ticks = 500, idleSeconds = 5;
    bool startupOnly = false;
    if (argc > 1 && !std::strcmp(argv[argc - 1], "--startup-only")) {
        startupOnly = true;
        --argc;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--runs"))
            runs = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--ticks"))
            ticks = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--idle-seconds"))
            idleSeconds = std::atoi(argv[i + 1]);
        else
            die("usage: bench [--runs N] [--ticks N] [--idle-seconds S] [--startup-only]");
    }
    if (argc % 2 == 0) die("usage: bench [--runs N] [--ticks N] [--idle-seconds S] [--startup-only]");
    std::string platform = std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
    if (platform.empty()) {
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            platform = "offscreen (no display: run it under xvfb-run -a to measure a real window system)";
        } else {
            platform = std::getenv("DISPLAY") ? "xcb" : "wayland";
        }
    }
    const std::string game = NONOKA_GAME, driver = BENCH_GAME, bare = BENCH_BARE;
    setenv("NONOKA_BENCH_PAINTED", "1", 1);
    const std::string loadBefore = loadAverage();

    std::vector<std::string> games;
    for (const auto& f : fields(run({driver, "--list"}, 30)))
        if (f.size() == 2 && f[0] == "game") games.push_back(f[1]);

    // Once each, untimed: the page cache and the font caches are warm for every timed run alike.
    run({game, "--self-test"}, 30);
    run({bare, "--startup"}, 30);

    Samples ours, base;
    std::fprintf(stderr, "bench: %d runs", runs);
    for (int r = 0; r < runs; ++r) {
        std::fprintf(stderr, " %d", r + 1);
        const bool bareFirst = r % 2 == 1;
        for (int k = 0; k < 2; ++k) {
            if ((k == 0) == bareFirst)
                base["startup"].push_back(startup(run({bare, "--startup"}, 30), "the bare window"));
            else
                ours["startup"].push_back(startup(run({game, "--self-test"}, 30), "the game"));
        }
        for (int k = 0; k < 2 && !startupOnly; ++k) {
            if ((k == 0) == bareFirst) {
                collect(base, "", run({bare, "--session"}, 60));
                collect(base, "", run({bare, "--open"}, 30));
            } else {
                collect(ours, "", run({driver, "--cold"}, 60));
                collect(ours, "", run({driver, "--session"}, 120));
                for (const auto& g : games) collect(ours, "", run({driver, "--open", g}, 30));
            }
        }
    }
    if (startupOnly) {
        const Stats title = stats(ours["startup"]), bareTitle = stats(base["startup"]);
        std::printf("\nload average %s before, %s after\n", loadBefore.c_str(), loadAverage().c_str());
        row("first painted title, from before exec", title, bareTitle, "<= 1.15x",
            verdict(title.median <= 1.15 * bareTitle.median));
        return 0;
    }
    std::fprintf(stderr, "; timers");
    {
        // Side by side, so that whatever else the machine does falls on both alike.
        auto bareTimers = std::async(std::launch::async, [&] {
            return run({bare, "--timers", std::to_string(ticks)}, ticks / 10 + 60);
        });
        collect(ours, "", run({driver, "--timers", std::to_string(ticks)}, ticks / 10 + 60));
        collect(base, "", bareTimers.get());
    }
    std::fprintf(stderr, "; idle\n");
    auto idle = [&](const std::string& program, const char* mode) {
        std::pair<double, long> cpu;
        run({program, mode}, idleSeconds + 60, [&](pid_t pid, const std::string& line) {
            if (line != "waiting") return false;
            const auto before = cpuOf(pid);
            const long long start = nowNs();
            sleep(static_cast<unsigned>(idleSeconds));
            const auto after = cpuOf(pid);
            const double seconds = (nowNs() - start) / 1e9;
            cpu = {(after.first - before.first) / seconds, static_cast<long>((after.second - before.second) / seconds)};
            return true;
        });
        return cpu;
    };
    const auto idleOurs = idle(driver, "--idle");
    const auto idleBare = idle(bare, "--idle");

    // ---- the table ----
    std::printf("\nbench: %s, %ld cores, load average %s before, %s after; %d runs each, interleaved\n\n", platform.c_str(),
                sysconf(_SC_NPROCESSORS_ONLN), loadBefore.c_str(), loadAverage().c_str(), runs);
    std::printf("%-56s %8s %8s %8s   %8s %8s %8s   %6s   %s\n", "ms unless said; ratio of the medians", "median", "min", "max",
                "bare Qt", "min", "max", "ratio", "target");
    const Stats title = stats(ours["startup"]), bareTitle = stats(base["startup"]);
    row("first painted title, from before exec", title, bareTitle, "<= 1.15x", verdict(title.median <= 1.15 * bareTitle.median));

    // Scene changes by the kinds of the two forms, each kind shown by its slowest change.
    std::map<std::string, std::vector<std::string>> kinds;
    for (const auto& [key, v] : ours)
        if (key.starts_with("change ")) kinds[key.substr(7, key.find(' ', 7) - 7)].push_back(key);
    const Stats bareChange = stats(base["change"]);
    for (const auto& [kind, keys] : kinds) {
        std::string worst;
        for (const auto& k : keys)
            if (worst.empty() || stats(ours[k]).median > stats(ours[worst]).median) worst = k;
        const std::string label = "scene change " + kind + " (slowest: " + worst.substr(worst.rfind(' ') + 1) + ")";
        const Stats s = stats(ours[worst]);
        row(label, s, bareChange, "<= 16 ms", verdict(s.median <= 16));
    }

    const Stats coldWorker = stats(ours["store.cold.worker"]);
    row("store pictures cold, one after another, worker thread", coldWorker, {}, "<= 30 ms", verdict(coldWorker.median <= 30));
    row("store pictures cold, one after another, GUI thread", stats(ours["store.cold.gui"]), {}, "", "");
    row("all pictures pre-rendered while the title waits (wall)", stats(ours["store.prerender"]), {}, "", "");
    row("store pictures from the cache", stats(ours["store.cached"]), {}, "", "");
    std::string heaviest;
    for (const auto& g : games)
        if (heaviest.empty() || stats(ours["open " + g]).median > stats(ours["open " + heaviest]).median) heaviest = g;
    const Stats open = stats(ours["open " + heaviest]);
    row("first paint of the heaviest game (" + heaviest + ")", open, stats(base["open"]), "<= 16 ms", verdict(open.median <= 16));
    double waited = 0;
    for (const auto& g : games)
        for (double w : ours["open.waited " + g]) waited = std::max(waited, w);
    std::printf("%-56s %8.2f %55s   %-10s %s\n", "  rendering a game waited for at its first paint, worst", waited, "", "0",
                verdict(waited == 0));
    for (int interval : {20, 45}) {
        const std::string k = "timer" + std::to_string(interval);
        const std::string label = "timer " + std::to_string(interval) + " ms, tick-to-tick deviation: mean, p99, max";
        std::printf("%-56s %8.3f %8.3f %8.3f   %8.3f %8.3f %8.3f   %6s   %-10s %s\n", label.c_str(), ours[k + ".mean"][0],
                    ours[k + ".p99"][0], ours[k + ".max"][0], base[k + ".mean"][0], base[k + ".p99"][0], base[k + ".max"][0], "",
                    "p99 <= 1", verdict(ours[k + ".p99"][0] <= 1));
    }
    const Stats rss = stats(ours["rss_kb"]), bareRss = stats(base["rss_kb"]);
    std::printf("%-56s %8.1f %8.1f %8.1f   %8.1f %8.1f %8.1f   %6.2f   %-10s %s\n", "peak RSS after walking the chain, MB",
                rss.median / 1024, rss.min / 1024, rss.max / 1024, bareRss.median / 1024, bareRss.min / 1024, bareRss.max / 1024,
                rss.median / bareRss.median, "<= 1.3x", verdict(rss.median <= 1.3 * bareRss.median));
    std::printf("%-56s %8.3f %8ld %8s   %8.3f %8ld %8s   %6s   %-10s %s\n",
                "idle while a scene waits: CPU ms per s, wake-ups per s", idleOurs.first, idleOurs.second, "", idleBare.first,
                idleBare.second, "", "", "0", verdict(idleOurs.first < 0.05));

    // ---- details ----
    std::printf("\nevery scene change, median ms:\n");
    for (const auto& [kind, keys] : kinds)
        for (const auto& k : keys) std::printf("  %-54s %8.2f\n", k.substr(7).c_str(), stats(ours[k]).median);
    std::printf("every game's first paint, median ms (rendering waited for, worst ms):\n");
    for (const auto& g : games) {
        double w = 0;
        for (double v : ours["open.waited " + g]) w = std::max(w, v);
        std::printf("  %-54s %8.2f  (%.2f)\n", g.c_str(), stats(ours["open " + g]).median, w);
    }
    std::vector<std::pair<double, std::string>> slow;
    for (const auto& [key, v] : ours)
        if (key.starts_with("picture ")) slow.push_back({stats(v).median, key.substr(8)});
    std::sort(slow.rbegin(), slow.rend());
    std::printf("slowest store pictures, cold on one worker thread, median ms:\n");
    for (std::size_t i = 0; i < std::min<std::size_t>(6, slow.size()); ++i)
        std::printf("  %-54s %8.2f\n", slow[i].second.c_str(), slow[i].first);
    std::printf("renderings on demand during the walk (bars drawn at new widths), median: %.0f taking %.2f ms\n",
                stats(ours["walk.misses"]).median, stats(ours["walk.waited"]).median);
    return 0;
}
