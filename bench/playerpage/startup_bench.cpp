// Start-up with the program's three web views (the main window's hidden
// home view and the sponsor window's two browsers) against the same
// window without any: time until the main window is shown, until the
// pages have loaded, and the peak memory of the whole process tree
// (WebEngine spreads over several processes).
//
//   velmora_startup_bench            runs both kinds a few times, prints figures
//   velmora_startup_bench --child views|plain HOST   one start-up (internal)
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <QWebEngineView>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "hidden_home_view.h"
#include "settings/host_settings.h"
#include "sponsor_window.h"
#include "support/fixture_server.h"

extern char** environ;

namespace {

// ---- the child: one start-up of the program's windows --------------------

int runChild(int& argc, char** argv, bool withViews, const char* host) {
    velmora::HostSettings settings = velmora::HostSettings::defaults();
    settings.home = host;
    settings.sponsor = host;
    velmora::setHostSettings(settings);

    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Velmora1.6"));
    window.resize(794, 543);
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    int pending = 0;
    auto loaded = [&pending](bool) {
        if (--pending == 0) std::printf("loaded\n"), std::fflush(stdout);
    };
    if (withViews) {
        QWebEngineView* home = velmora::createHiddenHomeView(central);
        ++pending;
        QObject::connect(home, &QWebEngineView::loadFinished, loaded);
    }
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed()) app.processEvents();
    std::printf("shown\n");
    std::fflush(stdout);
    if (withViews) {
        // As the main window's creation handler does: after it is up, without waiting.
        velmora::SponsorWindow* sponsor = velmora::openSponsorWindow(std::chrono::seconds(60));
        ++pending;
        QObject::connect(sponsor->sponsorBrowser(), &QWebEngineView::loadFinished, loaded);
    } else {
        std::printf("loaded\n");
        std::fflush(stdout);
    }
    // Let the processes settle after loading, then end.
    QTimer::singleShot(1500, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}

// ---- the parent: launching children and watching their process tree ------

struct ProcessMemory {
    long long rssKb = 0;
    long long pssKb = 0;
};

long long readKbField(const std::string& file, const char* field) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0) return std::atoll(line.c_str() + std::strlen(field));
    return 0;
}

// Sum over `root` and every process descended from it.
ProcessMemory treeMemory(pid_t root) {
    std::map<pid_t, pid_t> parentOf;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream stat(entry.path() / "stat");
        std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        std::size_t close = content.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(content.substr(close + 2));
        char state;
        pid_t ppid;
        rest >> state >> ppid;
        parentOf[std::stoi(name)] = ppid;
    }
    ProcessMemory total;
    for (const auto& [pid, ppid] : parentOf) {
        pid_t p = pid;
        while (p > 1 && p != root) p = parentOf.count(p) ? parentOf[p] : 0;
        if (p != root) continue;
        std::string base = "/proc/" + std::to_string(pid);
        total.rssKb += readKbField(base + "/status", "VmRSS:");
        total.pssKb += readKbField(base + "/smaps_rollup", "Pss:");
    }
    return total;
}

struct StartupFigures {
    double shownMs = 0;
    double loadedMs = 0;
    ProcessMemory peak;
};

StartupFigures runOnce(const char* self, const char* kind, const std::string& host) {
    int out[2];
    if (::pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv = {const_cast<char*>(self), const_cast<char*>("--child"), const_cast<char*>(kind),
                               const_cast<char*>(host.c_str()), nullptr};
    auto started = std::chrono::steady_clock::now();
    pid_t child = 0;
    int spawned = posix_spawn(&child, self, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return {};
    }
    auto msSince = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    };

    StartupFigures figures;
    std::atomic<bool> done{false};
    std::thread sampler([&] {
        while (!done) {
            ProcessMemory now = treeMemory(child);
            figures.peak.rssKb = std::max(figures.peak.rssKb, now.rssKb);
            figures.peak.pssKb = std::max(figures.peak.pssKb, now.pssKb);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    FILE* lines = ::fdopen(out[0], "r");
    char line[64];
    while (lines && std::fgets(line, sizeof line, lines)) {
        if (std::strncmp(line, "shown", 5) == 0) figures.shownMs = msSince();
        if (std::strncmp(line, "loaded", 6) == 0) figures.loadedMs = msSince();
    }
    if (lines) std::fclose(lines);
    int status = 0;
    ::waitpid(child, &status, 0);
    done = true;
    sampler.join();
    return figures;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        bool withViews = std::strcmp(argv[2], "views") == 0;
        const char* host = argv[3];
        int qtArgc = 1;
        return runChild(qtArgc, argv, withViews, host);
    }

    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu", 0);

    velmora::test::FixtureServer server;
    velmora::test::FixtureResponse page;
    page.body = "<html><head><title>page</title></head><body>hello</body></html>";
    server.route("/?ver=1.6", page);
    server.route("/tan.htm", page);

    constexpr int kRuns = 3;
    std::printf("%-28s %10s %10s %14s %14s\n", "start-up", "shown ms", "loaded ms", "peak RSS MiB",
                "peak PSS MiB");
    std::map<std::string, StartupFigures> medians;
    for (const char* kind : {"plain", "views"}) {
        std::vector<double> shown, loaded, rss, pss;
        for (int i = 0; i < kRuns; ++i) {
            StartupFigures f = runOnce(argv[0], kind, server.host());
            shown.push_back(f.shownMs);
            loaded.push_back(f.loadedMs);
            rss.push_back(f.peak.rssKb / 1024.0);
            pss.push_back(f.peak.pssKb / 1024.0);
        }
        const char* label =
            std::strcmp(kind, "views") == 0 ? "main + sponsor, 3 web views" : "main window, no web view";
        std::printf("%-28s %10.0f %10.0f %14.1f %14.1f\n", label, median(shown), median(loaded), median(rss),
                    median(pss));
        medians[kind] = {
            median(shown),
            median(loaded),
            {static_cast<long long>(median(rss) * 1024), static_cast<long long>(median(pss) * 1024)}};
    }
    const StartupFigures& p = medians["plain"];
    const StartupFigures& v = medians["views"];
    std::printf("ratio views/plain: shown %.2fx, peak PSS %.2fx (median of %d runs each)\n",
                p.shownMs > 0 ? v.shownMs / p.shownMs : 0.0,
                p.peak.pssKb > 0 ? double(v.peak.pssKb) / double(p.peak.pssKb) : 0.0, kRuns);
    return 0;
}
