// Load-to-list time of a DJ list page of 1000 entries: the fetch from a
// loopback server, the cut into rows and the filling of the track list,
// beside the cut alone and the plain backtracking search that the window
// would run without its in-order pre-check.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <QTreeWidget>

#include <boost/regex.hpp>
#include <cstdlib>
#include <memory>

#include "dj/dj_catalogue.h"
#include "dj/dj_window.h"
#include "settings/host_settings.h"
#include "support/fixture_server.h"
#include "text/codepage.h"

namespace {

using namespace velmora;

Text listPage(int entries, bool closed = true) {
    Text page = "<html><head><title>" + gbk("国外舞曲") + "</title></head><body><form>\n";
    for (int i = 0; i < entries; ++i) {
        const std::string id = std::to_string(300000 + i);
        page += "<ul><li class=\"wq_2\"><input type=\"checkbox\" name=\"id\" value=\"" + id +
                "\"> <a href=/play/" + id + ".htm onClick='return openplay(this.href)'>" +
                gbk("英文慢摇 第") + id + gbk("首") + "</a></li>";
        if (!closed) continue;
        page += "<li class=\"wq_3\"><a href=/down/" + id +
                ".htm target=_blank>down</a></li><li class=\"wq_4\">2012-05-17</li><li class=\"wq_5\">" + id +
                "</li><li class=\"wq_8\"><a href=/user/1.htm target=_blank>" + gbk("DJ阿华") +
                "</a></li></ul>\n";
    }
    return page + "</form></body></html>";
}

test::FixtureServer& server() {
    static test::FixtureServer s;
    return s;
}

void BM_LoadPageIntoTrackList(benchmark::State& state) {
    test::FixtureResponse response;
    response.body = listPage(1000);
    server().route("/dance/sort/foreign_1.html", response);
    HostSettings settings = hostSettings();
    settings.dj = server().host();
    setHostSettings(settings);

    DjGlobals globals;
    globals.currentCategoryPrefix = djCategoryPrefix(djCategories()[2]);
    DjWindow window(globals);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    auto* list = window.findChild<QTreeWidget*>(QStringLiteral("超级列表框1"));
    for (auto _ : state) {
        window.loadDjPage(1);
        if (list->topLevelItemCount() != 1000) state.SkipWithError("the list did not fill");
    }
    state.SetLabel("fetch + cut + fill, 1000 rows");
    QApplication::processEvents();
}
BENCHMARK(BM_LoadPageIntoTrackList)->Unit(benchmark::kMillisecond);

void BM_CutPageIntoRows(benchmark::State& state) {
    const Text page = listPage(1000);
    DjRegex regex;
    for (auto _ : state) benchmark::DoNotOptimize(parseDjListPage(page, regex));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_CutPageIntoRows)->Unit(benchmark::kMillisecond);

// The peer: Boost's iterator alone, as the pattern was first run.
void BM_CutPagePlainBoost(benchmark::State& state) {
    const Text page = listPage(1000);
    for (auto _ : state) {
        boost::regex re(kDjListPattern.begin(), kDjListPattern.end(),
                        boost::regex::perl | boost::regex::icase);
        std::size_t n = 0;
        for (boost::sregex_iterator it(page.begin(), page.end(), re), end; it != end; ++it) ++n;
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_CutPagePlainBoost)->Unit(benchmark::kMillisecond);

// A page of entries that never close: the pre-check keeps this linear.
void BM_CutUnclosedPage(benchmark::State& state) {
    const Text page = listPage(static_cast<int>(state.range(0)), false);
    DjRegex regex;
    for (auto _ : state) benchmark::DoNotOptimize(parseDjListPage(page, regex));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_CutUnclosedPage)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_CutUnclosedPagePlainBoost(benchmark::State& state) {
    const Text page = listPage(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        boost::regex re(kDjListPattern.begin(), kDjListPattern.end(),
                        boost::regex::perl | boost::regex::icase);
        std::size_t n = 0;
        try {
            for (boost::sregex_iterator it(page.begin(), page.end(), re), end; it != end; ++it) ++n;
        } catch (const std::exception&) {
        }
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_CutUnclosedPagePlainBoost)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_MEDIA_BACKEND", "gstreamer", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
