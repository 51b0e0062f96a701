#include "app_test_fixture.h"

#include "qt_app_environment.h"
#include "settings/host_settings.h"
#include "text/codepage.h"
#include "web/fetch.h"

namespace velmora::test {

MainWindowTest::MainWindowTest() : server_(fixtureServer()), scrapers_(createScraperTable()) {
    qtApp();
    server_.clearRoutes();
    server_.releaseStalls();
    server_.clearRequests();
    HostSettings hosts = HostSettings::defaults();
    for (auto& site : hosts.site) site = server_.host();
    hosts.home = server_.host();
    hosts.feedback = server_.host();
    hosts.sponsor = server_.host();
    setHostSettings(hosts);

    window_ = std::make_unique<MainWindow>(scrapers_);
    window_->setSearchWorkerSetup([] {
        using namespace std::chrono_literals;
        setFetchTimeouts({2000ms, 2000ms, 2000ms});
    });
    window_->show();
}

MainWindowTest::~MainWindowTest() {
    window_.reset();
    server_.releaseStalls();
    server_.clearRoutes();
}

void MainWindowTest::servePage(const std::string& prefix, const std::string& file,
                               std::chrono::milliseconds delay) {
    FixtureResponse page;
    page.body = readTestData("app/" + file);
    page.delay = delay;
    server_.routePrefix(prefix, page);
}

std::vector<std::string> MainWindowTest::requestTargets() const {
    std::vector<std::string> targets;
    for (const auto& request : server_.requests()) targets.push_back(request.target);
    return targets;
}

std::vector<std::vector<std::string>> MainWindowTest::rowsUtf8() const {
    std::vector<std::vector<std::string>> rows;
    const ResultTableModel& model = *window_->resultModel();
    for (int r = 0; r < model.rowCount(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < ResultTableModel::kColumnCount; ++c)
            cells.push_back(gbkToUtf8(model.row(r).cell(c)));
        rows.push_back(cells);
    }
    return rows;
}

}  // namespace velmora::test
