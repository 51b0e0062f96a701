// Figures for the main window, printed (not asserted):
//  - start-up: scraper table, window built and shown;
//  - one site's page of 10 000 entries searched into the real window:
//    time until the last row is in the list, and the user-interface
//    thread's longest stall meanwhile (a 1 ms timer's largest gap);
//  - the same run into a plain in-memory list, as the peer.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>

#include "main_window.h"
#include "result_table_model.h"
#include "scrapers/memory_result_list.h"
#include "scrapers/scraper_table.h"
#include "settings/host_settings.h"
#include "support/fixture_server.h"
#include "text/codepage.h"

namespace {

constexpr int kRows = 10000;

std::string bigPpsPage() {
    std::string page = "<html><body>\n";
    for (int i = 0; i < kRows; ++i) {
        const std::string n = std::to_string(i);
        page += "<div class=\"lbx\"><span>" + n + "</span><a href=\"http://v.pps.test/" + n +
                ".html\"><img src=\"a.jpg\" alt=\"天下无贼 第" + n +
                "集\"></a><p>2004</p><a title=\"t\" class=\"c\" "
                "href=\"http://v.pps.test/play/" +
                n + ".html\" target=\"_blank\">\n";
    }
    return velmora::utf8ToGbk(page + "</body></html>\n");
}

class PlainHooks final : public velmora::ModeRunHooks {
public:
    void showStatus(const velmora::Text&) override {}
    velmora::Text readKeyword() override { return "kw"; }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    velmora::test::FixtureServer server;
    velmora::test::FixtureResponse page;
    page.body = bigPpsPage();
    server.routePrefix("/search?q=", page);
    velmora::HostSettings hosts = velmora::HostSettings::defaults();
    for (auto& site : hosts.site) site = server.host();
    velmora::setHostSettings(hosts);

    QElapsedTimer clock;
    clock.start();
    const velmora::ScraperTable scrapers = velmora::createScraperTable();
    velmora::MainWindow window(scrapers);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    const double startupMs = clock.nsecsElapsed() / 1e6;

    // The peer: the same mode run into a plain list on this thread.
    clock.restart();
    velmora::MemoryResultList plain;
    PlainHooks hooks;
    velmora::runModeSites(scrapers, velmora::OnlinePlay, hooks, plain, {});
    const double plainMs = clock.nsecsElapsed() / 1e6;

    // The window run, with a 1 ms timer measuring how long the event loop
    // is kept from running.
    qint64 longestGapNs = 0;
    QElapsedTimer sinceTick;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });
    window.findChild<QLineEdit*>(QStringLiteral("编辑框1"))->setText(QStringLiteral("kw"));
    auto* startButton = window.findChild<QPushButton*>(QStringLiteral("按钮1"));
    const velmora::ResultTableModel& model = *window.resultModel();

    clock.restart();
    sinceTick.start();
    probe.start();
    window.toggleSearchRun();
    double lastRowMs = -1;
    while (startButton->text() != QStringLiteral("开始挖掘") && clock.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (lastRowMs < 0 && model.rowCount() >= kRows) lastRowMs = clock.nsecsElapsed() / 1e6;
    }
    const double runMs = clock.nsecsElapsed() / 1e6;
    probe.stop();

    std::printf("start-up to main window shown: %.1f ms\n", startupMs);
    std::printf("rows in the window: %d (plain list: %zu)\n", model.rowCount(), plain.rows().size());
    std::printf("10000 rows, time until the last row is in the list: %.1f ms (whole run %.1f ms)\n",
                lastRowMs, runMs);
    std::printf("same run into a plain list (peer): %.1f ms; window/plain ratio %.2f\n", plainMs,
                plainMs > 0 ? lastRowMs / plainMs : 0.0);
    std::printf("longest user-interface stall during the run: %.1f ms\n", longestGapNs / 1e6);
    return model.rowCount() == kRows ? 0 : 1;
}
