// The search run in the real window: start, the worker's status texts and
// rows, the progress timer, stop, and a keyword or mode changed mid-run.
#include <QTest>

#include "app_test_fixture.h"
#include "global_objects.h"
#include "scrapers/search_modes.h"
#include "text/codepage.h"
#include "web/encoders.h"

namespace velmora::test {
namespace {

using namespace std::chrono_literals;

class SearchRunTest : public MainWindowTest {
protected:
    QTimer* timer() const { return window_->findChild<QTimer*>(QStringLiteral("时钟1")); }

    // Runs until the window is idle again, collecting every status text
    // the label showed (each site stays long enough to be seen).
    std::vector<QString> runAndWatchStatus() {
        std::vector<QString> seen;
        auto note = [&] {
            const QString now = statusLabel()->text();
            if (seen.empty() || seen.back() != now) seen.push_back(now);
        };
        window_->toggleSearchRun();
        EXPECT_TRUE(waitFor([&] {
            note();
            return idle();
        }));
        note();
        return seen;
    }
};

TEST_F(SearchRunTest, EmptyKeywordStartsNothingAndKeepsTheList) {
    window_->resultModel()->appendRows({{"a", "http://x/", "b", ""}});
    keywordBox()->clear();
    window_->toggleSearchRun();
    EXPECT_EQ(statusLabel()->text(), QStringLiteral("名称不能为空"));
    EXPECT_TRUE(idle());
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(window_->resultModel()->rowCount(), 1);
    QTest::qWait(50);
    EXPECT_TRUE(server_.requests().empty());
}

TEST_F(SearchRunTest, OnlinePlayRunShowsEverySiteAndFillsTheListInSiteOrder) {
    // Every site answers after a short pause so each status text is seen.
    FixtureResponse slowMiss;
    slowMiss.status = 404;
    slowMiss.delay = 40ms;
    server_.setFallback([slowMiss](const FixtureRequest&) { return slowMiss; });
    servePage(kShuangshiPath, "shuangshi.html", 40ms);
    servePage(kPpsPath, "pps.html", 40ms);
    servePage(kTudouPath, "tudou.html", 40ms);
    window_->resultModel()->appendRows({{"old row", "", "", ""}});
    keywordBox()->setText(QStringLiteral("天下无贼"));

    const auto statuses = runAndWatchStatus();

    std::vector<QString> want;
    for (const WorkerSite& site : workerSites(OnlinePlay))
        want.push_back(QString::fromUtf8(site.statusTextUtf8));
    want.push_back(QStringLiteral("挖掘结束"));
    // The first text seen may be the one before the run started.
    std::vector<QString> got(statuses.begin() + (statuses.front().isEmpty() ? 1 : 0), statuses.end());
    EXPECT_EQ(got, want);

    const std::vector<std::vector<std::string>> rows = {
        {"天下无贼", "http://film.shuangshi.test/play/9.html", "双视电影网", "类型:剧情"},
        {"天下无贼", "http://v.pps.test/play/a1.html", "pps视频网", ""},
        {"天下无贼 花絮", "http://v.pps.test/play/a2.html", "pps视频网", ""},
        {"Tudou clip one", "http://www.tudou.test/v/1", "土豆网", ""},
        {"Tudou clip two", "http://www.tudou.test/v/2", "土豆网", ""},
    };
    EXPECT_EQ(rowsUtf8(), rows);
    EXPECT_EQ(startButton()->text(), QStringLiteral("开始挖掘"));
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(statusPart(0), QStringLiteral("挖掘结束"));
    // One request per site, the keyword GBK-encoded for PPS.
    const auto targets = requestTargets();
    EXPECT_EQ(targets.size(), 13u);
    EXPECT_NE(std::find(targets.begin(), targets.end(), kPpsPath + percentEncodeGbk(gbk("天下无贼"))),
              targets.end());
}

TEST_F(SearchRunTest, ProgressTickMirrorsStatusAndCount) {
    struct Case {
        int rows;
        QString status;
        QString part0;
        QString count;
    };
    const Case cases[] = {
        {0, QStringLiteral("正在挖掘优酷网"), QStringLiteral("停止中"), QString()},
        {37, QStringLiteral("正在挖掘优酷网"), QStringLiteral("正在挖掘优酷网"),
         QStringLiteral("挖掘到37条信息")},
        {1, QStringLiteral("停止成功"), QStringLiteral("停止成功"), QStringLiteral("挖掘到1条信息")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        window_->resultModel()->clear();
        window_->resultModel()->appendRows(std::vector<ResultRow>(static_cast<std::size_t>(c.rows)));
        statusLabel()->setText(c.status);
        countLabel()->setText(QStringLiteral("stale"));
        window_->updateSearchProgress();
        EXPECT_EQ(statusPart(0), c.part0);
        EXPECT_EQ(countLabel()->text(), c.count);
    }
}

TEST_F(SearchRunTest, StopDuringASlowFetchCutsTheRunOffForGood) {
    // PPS (the third site) answers with rows, but only long after the stop.
    servePage(kPpsPath, "pps.html", 1500ms);
    keywordBox()->setText(QStringLiteral("kw"));
    window_->toggleSearchRun();
    EXPECT_EQ(startButton()->text(), QStringLiteral("停止搜索"));
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(timer()->interval(), 500);
    ASSERT_TRUE(waitFor([&] { return server_.requests().size() == 3; }));
    // The list is still empty, so the tick says so.
    ASSERT_TRUE(waitFor([&] { return statusPart(0) == QStringLiteral("停止中"); }, 2s));

    window_->toggleSearchRun();
    EXPECT_EQ(statusLabel()->text(), QStringLiteral("停止成功"));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(timer()->isActive());  // left running after a stop

    // Well past the moment the server answers: nothing of the run arrives.
    QTest::qWait(1800);
    EXPECT_EQ(window_->resultModel()->rowCount(), 0);
    EXPECT_EQ(statusLabel()->text(), QStringLiteral("停止成功"));
    EXPECT_EQ(statusPart(0), QStringLiteral("停止中"));
    EXPECT_TRUE(idle());
    EXPECT_EQ(server_.requests().size(), 3u);

    // A new run can start right away and finishes normally.
    server_.clearRoutes();
    window_->toggleSearchRun();
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(statusLabel()->text(), QStringLiteral("挖掘结束"));
    EXPECT_FALSE(timer()->isActive());
}

TEST_F(SearchRunTest, EnterInTheKeywordBoxStartsAndStops) {
    FixtureResponse stall;
    stall.stallBeforeHeaders = true;
    server_.setFallback([stall](const FixtureRequest&) { return stall; });
    window_->activateWindow();
    keywordBox()->setFocus();
    keywordBox()->setText(QStringLiteral("   "));  // spaces are a keyword
    QTest::keyClick(keywordBox(), Qt::Key_Return);
    EXPECT_EQ(startButton()->text(), QStringLiteral("停止搜索"));
    ASSERT_TRUE(waitFor([&] { return !server_.requests().empty(); }));
    EXPECT_EQ(server_.requests()[0].target, "/search.asp?searchword=" + percentEncodeGbk("   "));
    QTest::keyClick(keywordBox(), Qt::Key_Enter);
    EXPECT_EQ(startButton()->text(), QStringLiteral("开始挖掘"));
    EXPECT_EQ(statusLabel()->text(), QStringLiteral("停止成功"));
    EXPECT_EQ(keywordBox()->text(), QStringLiteral("   "));
}

TEST_F(SearchRunTest, HintTextIsSearchedAsAnOrdinaryKeyword) {
    ASSERT_EQ(keywordBox()->text(), QStringLiteral("输入电影、电视剧等"));
    window_->toggleSearchRun();  // a click: the box never had the focus
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    const auto targets = requestTargets();
    ASSERT_FALSE(targets.empty());
    EXPECT_EQ(targets[0], "/search.asp?searchword=" + percentEncodeGbk(gbk("输入电影、电视剧等")));
}

TEST_F(SearchRunTest, KeywordEditedMidRunReachesTheLaterSites) {
    FixtureResponse slow;
    slow.status = 404;
    slow.delay = 300ms;
    server_.routePrefix(kQiyiPath, slow);  // the fifth site
    keywordBox()->setText(QStringLiteral("oldkw"));
    window_->toggleSearchRun();
    ASSERT_TRUE(waitFor([&] { return server_.requests().size() == 5; }));
    keywordBox()->setText(QStringLiteral("newkw"));
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    const auto targets = requestTargets();
    ASSERT_EQ(targets.size(), 13u);
    for (std::size_t i = 0; i < targets.size(); ++i)
        EXPECT_NE(targets[i].find(i < 5 ? "oldkw" : "newkw"), std::string::npos) << i << " " << targets[i];
}

TEST_F(SearchRunTest, ModeSwitchedMidRunAppliesToTheNextRun) {
    MessageBoxAcceptor boxes;
    FixtureResponse slow;
    slow.status = 404;
    slow.delay = 300ms;
    server_.routePrefix(kQiyiPath, slow);
    keywordBox()->setText(QStringLiteral("kw"));
    window_->toggleSearchRun();
    ASSERT_TRUE(waitFor([&] { return server_.requests().size() == 5; }));
    window_->onToolbarClicked(6);  // MTV, with its message box, while the run goes
    EXPECT_EQ(currentSearchMode, Mtv);
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(requestTargets().size(), 13u);
    EXPECT_EQ(statusLabel()->text(), QStringLiteral("挖掘结束"));

    server_.clearRequests();
    window_->toggleSearchRun();
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    const auto targets = requestTargets();
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0].rfind("/search?searchType=mv&keyword=kw", 0), 0u) << targets[0];
}

TEST_F(SearchRunTest, ClosingTheWindowDuringARunEndsItWithoutWaitingForTheFetch) {
    FixtureResponse stall;
    stall.stallBeforeHeaders = true;
    server_.setFallback([stall](const FixtureRequest&) { return stall; });
    window_->setSearchWorkerSetup({});  // the default 18 s time-outs
    bool closed = false;
    QObject::connect(window_.get(), &MainWindow::closed, [&] { closed = true; });
    keywordBox()->setText(QStringLiteral("kw"));
    window_->toggleSearchRun();
    ASSERT_TRUE(waitFor([&] { return !server_.requests().empty(); }));
    window_->close();
    EXPECT_TRUE(closed);
    window_.reset();
    QTest::qWait(50);  // late calls of the run find no window
}

}  // namespace
}  // namespace velmora::test
