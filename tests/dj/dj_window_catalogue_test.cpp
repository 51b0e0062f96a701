// The DJ window's layout and catalogue: the category tree, list pages and
// paging, with the music site on the loopback server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "dj/dj_gui_support.h"
#include "dj/dj_window.h"
#include "support/fixture_environment.h"

namespace velmora {
namespace {

using test::fixtureServer;

// Without a player: these tests are about the catalogue.
std::unique_ptr<DjMediaPlayer> noPlayer() {
    return nullptr;
}

class DjCatalogueWindowTest : public test::DjWindowTest {
protected:
    QPointer<DjWindow> openWindow() override { return open(); }

    QPointer<DjWindow> open() {
        auto* w = new DjWindow(globals, DjWindowOptions{&noPlayer, std::chrono::milliseconds(1000)});
        w->show();
        // The creation message about the missing player.
        EXPECT_TRUE(QTest::qWaitFor([&] { return messages.texts().size() == 1; }, 5000));
        messages.clear();
        return w;
    }

    QString text(const char* labelName) const { return child<QLabel>(labelName)->text(); }

    QTreeWidgetItem* category(const QString& name) const {
        auto found = child<QTreeWidget>("树型框1")->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    // A real double-click on the item, as the user makes it.
    void doubleClickCategory(const QString& name) const {
        QTreeWidget* tree = child<QTreeWidget>("树型框1");
        QTreeWidgetItem* item = category(name);
        ASSERT_NE(item, nullptr);
        test::userDoubleClick(tree->viewport(), tree->visualItemRect(item).center());
    }
    void click(const char* buttonName) const {
        QTest::mouseClick(child<QPushButton>(buttonName), Qt::LeftButton);
    }

    std::vector<std::string> requestedTargets() const {
        std::vector<std::string> targets;
        for (const auto& r : fixtureServer().requests()) targets.push_back(r.target);
        return targets;
    }
    void expectLabels(const QString& name, const QString& total, const QString& page) const {
        EXPECT_EQ(text("DJ分类"), name);
        EXPECT_EQ(text("共几页"), total);
        EXPECT_EQ(text("第几页"), page);
    }

};

TEST_F(DjCatalogueWindowTest, OpensWithItsDesignLayout) {
    EXPECT_EQ(window->windowTitle(), "DJVelmora");
    EXPECT_EQ(window->size(), QSize(777, 587));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);

    struct Control {
        const char* name;
        QRect geometry;
        const char* text;  // caption or label text; nullptr when none
    };
    const Control controls[] = {
        {"滑块条1", {4, 14, 756, 16}, nullptr},
        {"歌曲时间", {10, 33, 217, 16}, "00:00/00:00"},
        {"标签3", {12, 47, 280, 24}, "DJVelmora，支持一键下载，列表自动播放"},
        {"停止按钮", {333, 48, 48, 24}, "停止"},
        {"上一首", {398, 48, 48, 24}, "上一首"},
        {"播放", {462, 48, 48, 24}, "播放"},
        {"下一首", {526, 48, 48, 24}, "下一首"},
        {"下载DJ按钮", {591, 48, 72, 24}, "下载歌曲"},
        {"滑块条2", {678, 55, 80, 17}, nullptr},
        {"树型框1", {8, 88, 168, 416}, nullptr},
        {"超级列表框1", {184, 88, 576, 416}, nullptr},
        {"DJ分类", {20, 510, 137, 24}, ""},
        {"标签1", {203, 510, 64, 24}, "第      页"},
        {"第几页", {217, 510, 32, 24}, "0"},
        {"标签2", {275, 510, 64, 24}, "共      页"},
        {"共几页", {291, 510, 31, 24}, "0"},
        {"按钮4", {433, 509, 72, 24}, "首页"},
        {"按钮3", {519, 509, 72, 24}, "上一页"},
        {"按钮2", {602, 509, 72, 24}, "下一页"},
        {"按钮1", {685, 509, 72, 24}, "尾页"},
    };
    for (const Control& c : controls) {
        QWidget* w = child<QWidget>(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), c.geometry) << c.name;
        if (!c.text) continue;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(l->text(), QString::fromUtf8(c.text)) << c.name;
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            EXPECT_EQ(b->text(), QString::fromUtf8(c.text)) << c.name;
        }
    }
    auto* position = child<QSlider>("滑块条1");
    EXPECT_EQ(position->minimum(), 1);
    EXPECT_EQ(position->maximum(), 100);
    EXPECT_EQ(position->value(), 1);
    auto* volume = child<QSlider>("滑块条2");
    EXPECT_EQ(volume->maximum(), 100);
    EXPECT_EQ(volume->value(), 80);
    EXPECT_NE(window->findChild<QStatusBar*>("状态条1"), nullptr);
    EXPECT_EQ(window->statusPartText(0), "");
    EXPECT_NE(window->statusPartText(1), "");
    EXPECT_FALSE(window->isTimerActive());

    QTreeWidget* list = tracks();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    const QStringList headings = {"DJ名称", "DJ作者", "收录日期", "播放地址"};
    const int widths[] = {330, 80, 140, 0};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(list->headerItem()->text(c), headings[c]);
        EXPECT_EQ(list->header()->sectionSize(c), widths[c]) << c;
    }

    QTreeWidget* tree = child<QTreeWidget>("树型框1");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), "DJ分类");
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(root->data(0, Qt::UserRole).toInt(), 0);
    const std::pair<QString, int> categories[] = {
        {"串烧舞曲", 826}, {"中文舞曲", 873}, {"国外舞曲", 1329}, {"原创舞曲", 165}, {"推荐舞曲", 320}};
    ASSERT_EQ(root->childCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(root->child(i)->text(0), categories[i].first);
        EXPECT_EQ(root->child(i)->data(0, Qt::UserRole).toInt(), categories[i].second);
    }
    EXPECT_TRUE(requestedTargets().empty()) << "nothing is fetched at opening";
}

TEST_F(DjCatalogueWindowTest, DoubleClickOnCategoryLoadsItsFirstPageThenShowsTheLabels) {
    doubleClickCategory("国外舞曲");
    ASSERT_TRUE(QTest::qWaitFor([&] { return tracks()->topLevelItemCount() == 20; }, 10000));
    EXPECT_EQ(requestedTargets(), std::vector<std::string>{"/dance/sort/foreign_1.html"});
    expectLabels("国外舞曲", "1329", "1");
    QTreeWidgetItem* first = tracks()->topLevelItem(0);
    EXPECT_EQ(first->text(0), "2012最新中文串烧 一路有你");
    EXPECT_EQ(first->text(1), "DJ阿华");
    EXPECT_EQ(first->text(2), "2012-05-01");
    EXPECT_EQ(first->text(3), "/play/301200.htm");
    EXPECT_EQ(tracks()->topLevelItem(19)->text(3), "/play/301219.htm");
    EXPECT_EQ(globals.currentCategoryPrefix, "http://" + fixtureServer().host() + "/dance/sort/foreign_");
}

TEST_F(DjCatalogueWindowTest, PagingButtonsDoNothingBeforeACategoryIsChosen) {
    doubleClickCategory("DJ分类");
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("DJ分类") == "DJ分类"; }, 5000));
    expectLabels("DJ分类", "0", "1");
    for (const char* button : {"按钮4", "按钮3", "按钮2", "按钮1"}) click(button);
    QTest::qWait(100);
    EXPECT_TRUE(requestedTargets().empty());
    expectLabels("DJ分类", "0", "1");
    EXPECT_TRUE(globals.currentCategoryPrefix.empty());
}

TEST_F(DjCatalogueWindowTest, PagingStopsAtBothEndsAndJumpsToTheFixedTotal) {
    doubleClickCategory("国外舞曲");
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("第几页") == "1"; }, 10000));
    fixtureServer().clearRequests();

    click("按钮3");  // 上一页 on page 1
    EXPECT_TRUE(requestedTargets().empty());
    EXPECT_EQ(text("第几页"), "1");

    click("按钮1");  // 尾页
    EXPECT_EQ(text("第几页"), "1329");
    EXPECT_EQ(tracks()->topLevelItemCount(), 2);

    click("按钮2");  // 下一页 on the last page
    EXPECT_EQ(text("第几页"), "1329");

    click("按钮3");  // 上一页: page 1328 has no entries on this site
    EXPECT_EQ(text("第几页"), "1328");
    EXPECT_EQ(tracks()->topLevelItemCount(), 0);

    click("按钮4");  // 首页
    EXPECT_EQ(text("第几页"), "1");
    EXPECT_EQ(tracks()->topLevelItemCount(), 20);
    EXPECT_EQ(requestedTargets(),
              (std::vector<std::string>{"/dance/sort/foreign_1329.html", "/dance/sort/foreign_1328.html",
                                        "/dance/sort/foreign_1.html"}));
}

TEST_F(DjCatalogueWindowTest, RootItemChangesTheLabelsButNotTheListOrTheCategory) {
    doubleClickCategory("国外舞曲");
    ASSERT_TRUE(QTest::qWaitFor([&] { return tracks()->topLevelItemCount() == 20; }, 10000));
    fixtureServer().clearRequests();

    doubleClickCategory("DJ分类");
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("DJ分类") == "DJ分类"; }, 5000));
    expectLabels("DJ分类", "0", "1");
    EXPECT_EQ(tracks()->topLevelItemCount(), 20);
    EXPECT_TRUE(requestedTargets().empty());

    click("按钮2");
    click("按钮3");
    EXPECT_TRUE(requestedTargets().empty());
    EXPECT_EQ(text("第几页"), "1");

    click("按钮4");  // page 1 of the category chosen before
    EXPECT_EQ(requestedTargets(), std::vector<std::string>{"/dance/sort/foreign_1.html"});
    click("按钮1");  // the root's value: page 0
    EXPECT_EQ(text("第几页"), "0");
    EXPECT_EQ(requestedTargets().back(), "/dance/sort/foreign_0.html");
    EXPECT_EQ(tracks()->topLevelItemCount(), 0);
}

TEST_F(DjCatalogueWindowTest, FailedFetchEmptiesTheListAndKeepsTheLabels) {
    doubleClickCategory("国外舞曲");
    ASSERT_TRUE(QTest::qWaitFor([&] { return tracks()->topLevelItemCount() == 20; }, 10000));

    test::FixtureResponse broken;
    broken.status = 500;
    broken.body = "<html>Internal error</html>";
    fixtureServer().route("/dance/sort/foreign_2.html", broken);
    click("按钮2");
    EXPECT_EQ(text("第几页"), "2");
    EXPECT_EQ(tracks()->topLevelItemCount(), 0);

    click("按钮4");
    ASSERT_EQ(tracks()->topLevelItemCount(), 20);
    test::FixtureResponse cut;  // the connection drops in the middle of the first entry
    cut.body = test::readTestData("dj/list_foreign_1.html");
    cut.partialBytes = 700;
    fixtureServer().route("/dance/sort/foreign_2.html", cut);
    click("按钮2");
    EXPECT_EQ(tracks()->topLevelItemCount(), 0);
    EXPECT_TRUE(messages.texts().isEmpty()) << "failures are silent";
}

TEST_F(DjCatalogueWindowTest, StateSurvivesReopeningButTheLabelsStartOver) {
    doubleClickCategory("国外舞曲");
    ASSERT_TRUE(QTest::qWaitFor([&] { return tracks()->topLevelItemCount() == 20; }, 10000));
    window->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 5000));

    window = open();
    fixtureServer().clearRequests();
    expectLabels("", "0", "0");
    EXPECT_EQ(tracks()->topLevelItemCount(), 0);
    click("按钮2");
    click("按钮3");
    EXPECT_TRUE(requestedTargets().empty());
    click("按钮4");
    EXPECT_EQ(requestedTargets(), std::vector<std::string>{"/dance/sort/foreign_1.html"});
    EXPECT_EQ(tracks()->topLevelItemCount(), 20);
}

// While a page downloads, the window keeps handling events; a second load
// started then is dropped, so the list always shows the page the labels name.
TEST_F(DjCatalogueWindowTest, SecondLoadDuringAFetchIsDropped) {
    test::FixtureResponse slow;
    slow.body = test::readTestData("dj/list_foreign_1.html");
    slow.trickleBytes = 1024;
    slow.tricklePause = std::chrono::milliseconds(100);
    fixtureServer().route("/dance/sort/foreign_1.html", slow);

    bool pressedDuringFetch = false;
    QTimer::singleShot(200, window, [&] {
        pressedDuringFetch = window->isBusy();
        click("按钮2");
        doubleClickCategory("中文舞曲");
    });
    doubleClickCategory("国外舞曲");
    ASSERT_TRUE(QTest::qWaitFor([&] { return tracks()->topLevelItemCount() == 20; }, 10000));
    QTest::qWait(300);
    EXPECT_TRUE(pressedDuringFetch);
    EXPECT_EQ(requestedTargets(), std::vector<std::string>{"/dance/sort/foreign_1.html"});
    expectLabels("国外舞曲", "1329", "1");
    EXPECT_EQ(tracks()->topLevelItemCount(), 20);
}

TEST_F(DjCatalogueWindowTest, ClosingDuringAFetchWaitsForItThenCloses) {
    test::FixtureResponse slow;
    slow.body = test::readTestData("dj/list_foreign_1.html");
    slow.trickleBytes = 1024;
    slow.tricklePause = std::chrono::milliseconds(100);
    fixtureServer().route("/dance/sort/foreign_1.html", slow);

    QTimer::singleShot(200, window, [&] { window->close(); });
    doubleClickCategory("国外舞曲");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 10000));
    EXPECT_EQ(requestedTargets(), std::vector<std::string>{"/dance/sort/foreign_1.html"});
}

}  // namespace
}  // namespace velmora
