// The run control with a plain fake window and a fake user-interface
// thread, so that ThreadSanitizer sees every thread involved.
#include "run/search_run_control.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "fake_ui_thread.h"
#include "scrapers/search_modes.h"
#include "settings/host_settings.h"
#include "support/fixture_environment.h"
#include "text/codepage.h"
#include "web/fetch.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using test::FakeUiThread;

// Everything the window was asked to do, in order. Touched on the fake UI
// thread only.
class FakeWindow final : public SearchWindow {
public:
    std::vector<std::string> events;  // UTF-8, for readable failures
    std::vector<ResultRow> rows;
    Text currentKeyword = "old";
    std::vector<int> rowsAtStatus;  // row count when each status arrived

    void clearRows() override {
        rows.clear();
        events.push_back("clear");
    }
    void appendRows(std::vector<ResultRow> batch) override {
        events.push_back("rows:" + std::to_string(batch.size()));
        for (auto& row : batch) rows.push_back(std::move(row));
    }
    void setCell(int row, int column, const Text& text) override {
        events.push_back("cell");
        if (row >= 0 && row < static_cast<int>(rows.size()))
            rows[static_cast<std::size_t>(row)].cell(column) = text;
    }
    void showStatus(const Text& text) override {
        rowsAtStatus.push_back(static_cast<int>(rows.size()));
        events.push_back("status:" + gbkToUtf8(text));
    }
    Text keyword() override {
        events.push_back("keyword");
        return currentKeyword;
    }
    void finishRun() override { events.push_back("finish"); }
};

// What every scraper of the test table does when searched.
struct Script {
    std::function<void(int index, const Text& keyword, ResultList& list)> onSearch;
};

class ScriptedScraper final : public SiteScraper {
public:
    ScriptedScraper(int index, std::shared_ptr<Script> script) : index_(index), script_(std::move(script)) {}
    std::unique_ptr<SiteScraper> clone() const override { return std::make_unique<ScriptedScraper>(*this); }
    void search(const Text& keyword, ResultList& list) const override {
        if (script_->onSearch) script_->onSearch(index_, keyword, list);
    }
    void parse(const Text&, ResultList&) const override {}

private:
    int index_;
    std::shared_ptr<Script> script_;
};

ResultRow siteRow(int site, int k) {
    const std::string tag = std::to_string(site) + "-" + std::to_string(k);
    return {gbk("片名") + tag, "http://s/" + tag, gbk("站点") + std::to_string(site), "x" + tag};
}

void appendSiteRow(ResultList& list, int site, int k) {
    const ResultRow row = siteRow(site, k);
    const int r = list.appendRow(row.title);
    list.setCell(r, LinkColumn, row.link);
    list.setCell(r, SiteColumn, row.site);
    list.setCell(r, ExtraColumn, row.extra);
}

template <typename Pred>
bool eventually(Pred pred, std::chrono::milliseconds limit = 10s) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        if (pred()) return true;
        std::this_thread::sleep_for(2ms);
    }
    return pred();
}

class RunControlTest : public ::testing::Test {
protected:
    RunControlTest() : script_(std::make_shared<Script>()) {
        for (int i = 0; i < kSiteCount; ++i) table_.push_back(std::make_unique<ScriptedScraper>(i, script_));
        ui_.invoke([this] {
            control_ = std::make_unique<SearchRunControl>(table_, window_, ui_);
            return 0;
        });
    }
    ~RunControlTest() override {
        ui_.invoke([this] {
            control_.reset();
            return 0;
        });
    }

    bool start(std::int32_t mode) {
        return ui_.invoke([&] { return control_->start(mode); });
    }
    bool stop() {
        return ui_.invoke([&] { return control_->stop(); });
    }
    bool running() {
        return ui_.invoke([&] { return control_->isRunning(); });
    }
    std::size_t workersAlive() {
        return ui_.invoke([&] { return control_->workersAlive(); });
    }
    std::vector<std::string> events() {
        return ui_.invoke([&] { return window_.events; });
    }
    std::vector<ResultRow> rows() {
        return ui_.invoke([&] { return window_.rows; });
    }
    bool finished() {
        const auto e = events();
        return !e.empty() && e.back() == "finish";
    }

    FakeUiThread ui_;
    FakeWindow window_;
    std::shared_ptr<Script> script_;
    ScraperTable table_;
    std::unique_ptr<SearchRunControl> control_;
};

std::vector<std::string> statusesOf(const std::vector<std::string>& events) {
    std::vector<std::string> out;
    for (const auto& e : events)
        if (e.rfind("status:", 0) == 0) out.push_back(e.substr(7));
    return out;
}

TEST_F(RunControlTest, EveryModeVisitsItsSitesInOrderAndFinishesOnce) {
    script_->onSearch = [](int index, const Text&, ResultList& list) {
        appendSiteRow(list, index, 0);
        appendSiteRow(list, index, 1);
    };
    for (std::int32_t mode : {OnlinePlay, QvodResources, BaiduYingyin, VideoDownload, MobileFilms, Mtv}) {
        SCOPED_TRACE(mode);
        ui_.invoke([&] {
            window_ = FakeWindow{};
            return 0;
        });
        ASSERT_TRUE(start(mode));
        ASSERT_TRUE(eventually([&] { return finished(); }));
        EXPECT_FALSE(running());

        const auto sites = workerSites(mode);
        std::vector<std::string> wantStatuses;
        std::vector<ResultRow> wantRows;
        for (const auto& site : sites) {
            wantStatuses.push_back(site.statusTextUtf8);
            wantRows.push_back(siteRow(site.scraperIndex, 0));
            wantRows.push_back(siteRow(site.scraperIndex, 1));
        }
        const auto e = events();
        EXPECT_EQ(e.front(), "clear");
        EXPECT_EQ(statusesOf(e), wantStatuses);
        EXPECT_EQ(std::count(e.begin(), e.end(), "keyword"), static_cast<long>(sites.size()));
        EXPECT_EQ(std::count(e.begin(), e.end(), "finish"), 1);
        EXPECT_EQ(rows(), wantRows);
        // A site's rows are in the window before the next site's status.
        std::vector<int> wantAtStatus;
        for (std::size_t i = 0; i < sites.size(); ++i) wantAtStatus.push_back(static_cast<int>(2 * i));
        EXPECT_EQ(ui_.invoke([&] { return window_.rowsAtStatus; }), wantAtStatus);
    }
}

TEST_F(RunControlTest, RowsOfALargeSiteArriveWholeAndInOrder) {
    constexpr int kRows = 3000;
    script_->onSearch = [](int index, const Text&, ResultList& list) {
        if (index != 2) return;
        for (int k = 0; k < kRows; ++k) appendSiteRow(list, index, k);
    };
    ASSERT_TRUE(start(OnlinePlay));
    ASSERT_TRUE(eventually([&] { return finished(); }));
    const auto got = rows();
    ASSERT_EQ(got.size(), static_cast<std::size_t>(kRows));
    for (int k = 0; k < kRows; ++k) ASSERT_EQ(got[static_cast<std::size_t>(k)], siteRow(2, k)) << k;
}

TEST_F(RunControlTest, KeywordIsReadAfreshForEverySite) {
    std::atomic<bool> atFifthSite{false}, goOn{false};
    std::mutex seenMutex;
    std::vector<Text> seen;
    script_->onSearch = [&](int index, const Text& keyword, ResultList&) {
        {
            std::lock_guard lock(seenMutex);
            seen.push_back(keyword);
        }
        if (index == 4) {
            atFifthSite = true;
            while (!goOn) std::this_thread::sleep_for(1ms);
        }
    };
    ASSERT_TRUE(start(OnlinePlay));
    ASSERT_TRUE(eventually([&] { return atFifthSite.load(); }));
    ui_.invoke([&] {
        window_.currentKeyword = gbk("新片");
        return 0;
    });
    goOn = true;
    ASSERT_TRUE(eventually([&] { return finished(); }));
    std::vector<Text> want(5, "old");
    want.resize(13, gbk("新片"));
    std::lock_guard lock(seenMutex);
    EXPECT_EQ(seen, want);
}

TEST_F(RunControlTest, StopCutsTheRunOffAtOnceAndItsWorkerEnds) {
    std::atomic<bool> refused{false};
    script_->onSearch = [&](int index, const Text&, ResultList& list) {
        if (index != 0) return;
        for (int k = 0;; ++k) {
            const int r = list.appendRow("t");
            if (r < 0) {
                refused = true;
                return;
            }
            list.setCell(r, LinkColumn, "l");
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    };
    ASSERT_TRUE(start(OnlinePlay));
    ASSERT_TRUE(eventually([&] { return !rows().empty(); }));
    ASSERT_TRUE(stop());
    EXPECT_FALSE(running());
    const auto atStop = events();
    ASSERT_TRUE(eventually([&] { return workersAlive() == 0; }));
    EXPECT_TRUE(refused);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(events(), atStop);
    EXPECT_EQ(std::count(atStop.begin(), atStop.end(), "finish"), 0);
    EXPECT_EQ(statusesOf(atStop).size(), 1u);  // no later site was visited
}

TEST_F(RunControlTest, StopAbortsTheFetchInFlight) {
    auto& server = test::fixtureServer();
    test::FixtureResponse stall;
    stall.stallBeforeHeaders = true;
    server.route("/stall", stall);
    server.clearRequests();
    std::atomic<bool> fetchReturned{false};
    script_->onSearch = [&](int index, const Text&, ResultList& list) {
        if (index != 0) return;
        const Text page = fetchPage(server.url("/stall"));
        fetchReturned = true;
        if (!page.empty()) list.appendRow(page);
    };
    ASSERT_TRUE(start(OnlinePlay));
    ASSERT_TRUE(server.waitForRequests(1, 10s));
    ASSERT_TRUE(stop());
    ASSERT_TRUE(eventually([&] { return workersAlive() == 0; }, 5s));
    EXPECT_TRUE(fetchReturned);
    server.releaseStalls();
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(finished());
}

TEST_F(RunControlTest, NewRunAfterStopWaitsUntilTheStoppedWorkerHasLeftItsScraper) {
    std::atomic<int> inside{0}, mostInside{0}, calls{0};
    std::atomic<bool> release{false};
    script_->onSearch = [&](int index, const Text&, ResultList& list) {
        const int now = ++inside;
        mostInside = std::max(mostInside.load(), now);
        const int call = calls++;
        if (index == 0 && call == 0) {
            // The first run's scraper ignores the stop, as a long parse does.
            while (!release) std::this_thread::sleep_for(1ms);
            list.appendRow("late row of the stopped run");
        }
        --inside;
    };
    ASSERT_TRUE(start(OnlinePlay));
    ASSERT_TRUE(eventually([&] { return calls.load() == 1; }));
    ASSERT_TRUE(stop());
    ASSERT_TRUE(start(OnlinePlay));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(calls.load(), 1);  // the new run has not entered a scraper
    release = true;
    ASSERT_TRUE(eventually([&] { return finished(); }));
    EXPECT_EQ(mostInside.load(), 1);
    EXPECT_EQ(calls.load(), 14);
    EXPECT_TRUE(rows().empty());
    const auto e = events();
    EXPECT_EQ(std::count(e.begin(), e.end(), "clear"), 2);
    EXPECT_EQ(std::count(e.begin(), e.end(), "finish"), 1);
}

TEST_F(RunControlTest, StopWhileTheNewRunWaitsForTheOldWorkerEndsBoth) {
    std::atomic<bool> release{false};
    std::atomic<int> calls{0};
    script_->onSearch = [&](int, const Text&, ResultList&) {
        if (calls++ == 0)
            while (!release) std::this_thread::sleep_for(1ms);
    };
    ASSERT_TRUE(start(OnlinePlay));
    ASSERT_TRUE(eventually([&] { return calls.load() == 1; }));
    ASSERT_TRUE(stop());
    ASSERT_TRUE(start(OnlinePlay));
    ASSERT_TRUE(stop());
    ASSERT_TRUE(eventually([&] { return workersAlive() == 1; }));  // the new one left without waiting
    release = true;
    ASSERT_TRUE(eventually([&] { return workersAlive() == 0; }));
    EXPECT_EQ(calls.load(), 1);
}

TEST_F(RunControlTest, ShutdownWhileTheWorkerWaitsOnTheUiThreadDoesNotHang) {
    std::atomic<bool> busy{false};
    script_->onSearch = [&](int index, const Text&, ResultList& list) {
        if (index != 0) return;
        busy = true;
        while (list.appendRow("t") >= 0) {
        }
    };
    ASSERT_TRUE(start(OnlinePlay));
    ASSERT_TRUE(eventually([&] { return busy.load(); }));
    ui_.invoke([&] {
        control_.reset();  // the window closes while calls are queued behind it
        return 0;
    });
    const auto atClose = events();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(events(), atClose);
}

TEST_F(RunControlTest, StartAndStopRefuseWhatTheStateDoesNotAllow) {
    std::atomic<bool> release{false};
    script_->onSearch = [&](int, const Text&, ResultList&) {
        while (!release) std::this_thread::sleep_for(1ms);
    };
    EXPECT_FALSE(stop());  // nothing to stop
    ASSERT_TRUE(start(OnlinePlay));
    EXPECT_FALSE(start(Mtv));  // one run at a time
    release = true;
    ASSERT_TRUE(eventually([&] { return finished(); }));
    EXPECT_FALSE(stop());
    EXPECT_EQ(statusesOf(events()).size(), 13u);
}

TEST_F(RunControlTest, AScraperThatThrowsStillEndsTheRun) {
    script_->onSearch = [](int index, const Text&, ResultList&) {
        if (index == 3) throw std::runtime_error("broken scraper");
    };
    ASSERT_TRUE(start(OnlinePlay));
    ASSERT_TRUE(eventually([&] { return finished(); }));
    EXPECT_FALSE(running());
}

// A dispatcher whose queue is gone: every task is destroyed unrun.
class GoneDispatcher final : public UiDispatcher {
public:
    void post(std::function<void()>) override {}
};

TEST(RunControlWithoutUi, CallsThatNeverRunDoNotHangTheWorker) {
    auto script = std::make_shared<Script>();
    std::atomic<int> calls{0};
    script->onSearch = [&](int, const Text&, ResultList& list) {
        ++calls;
        appendSiteRow(list, 0, 0);
    };
    ScraperTable table;
    for (int i = 0; i < kSiteCount; ++i) table.push_back(std::make_unique<ScriptedScraper>(i, script));
    FakeWindow window;
    GoneDispatcher gone;
    SearchRunControl control(table, window, gone);  // this thread stands in for the UI thread
    ASSERT_TRUE(control.start(VideoDownload));
    ASSERT_TRUE(eventually([&] { return control.workersAlive() == 0; }));
    EXPECT_EQ(calls.load(), 3);
    EXPECT_TRUE(window.events.empty());
}

}  // namespace
}  // namespace velmora
