#include "sponsor_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>
#include <QWindow>

#include "settings/host_settings.h"
#include "support/fixture_environment.h"
#include "web_test_util.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using test::fixtureServer;

class SponsorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        HostSettings settings = HostSettings::defaults();
        settings.sponsor = fixtureServer().host();
        setHostSettings(settings);
        fixtureServer().clearRoutes();
        fixtureServer().clearRequests();
    }
    void TearDown() override {
        if (window_) delete window_.data();
        setHostSettings(HostSettings::defaults());
    }

    void servePage(const std::string& path, const std::string& body) {
        test::FixtureResponse response;
        response.body = body;
        fixtureServer().route(path, response);
    }
    bool requested(const std::string& target) const {
        for (const auto& request : fixtureServer().requests())
            if (request.target == target) return true;
        return false;
    }
    QLabel* label(const char* name) const { return window_->findChild<QLabel*>(QString::fromUtf8(name)); }

    QPointer<SponsorWindow> window_;
};

TEST_F(SponsorWindowTest, SitsInTheBottomRightCornerOfTheFullScreen) {
    const std::pair<QSize, QPoint> screens[] = {
        {{1024, 768}, {764, 456}},
        {{1920, 1080}, {1660, 768}},
        {{800, 600}, {540, 288}},
    };
    for (const auto& [screen, corner] : screens) EXPECT_EQ(sponsorWindowTopLeft(screen), corner);

    window_ = openSponsorWindow(60s);
    QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(window_->frameGeometry(), QRect(sponsorWindowTopLeft(screen), QSize(258, 281)));
    EXPECT_TRUE(window_->isVisible());
    Qt::WindowFlags flags = window_->windowFlags();
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window);  // a window of its own, with a taskbar button
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("支持Orlaine服务器运营"));
}

TEST_F(SponsorWindowTest, LoadsTheSponsorPageIntoTheHiddenBrowserAndCropsTheVisibleOne) {
    servePage("/tan.htm", "<html><head><title>tan</title></head><body>sponsor</body></html>");
    window_ = openSponsorWindow(60s);
    QWebEngineView* hidden = window_->findChild<QWebEngineView*>(QStringLiteral("互联网浏览器2"));
    QWebEngineView* visible = window_->findChild<QWebEngineView*>(QStringLiteral("互联网浏览器1"));
    ASSERT_NE(hidden, nullptr);
    ASSERT_NE(visible, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return hidden->title() == "tan"; }, test::kWebWaitMs));
    EXPECT_EQ(hidden->geometry(), QRect(-267, 88, 43, 24));
    // Only the page from (500, 100) on lies inside the frame below the header.
    QWidget* frame = window_->findChild<QWidget*>(QStringLiteral("外形框1"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(visible->parentWidget(), frame);
    EXPECT_EQ(frame->geometry(), QRect(0, 44, 328, 352));
    EXPECT_EQ(visible->geometry(), QRect(-500, -100, 1000, 604));
    EXPECT_TRUE(visible->url().isEmpty());
}

TEST_F(SponsorWindowTest, CountsDownFromEightToZeroThenClosesOnTheNinthTick) {
    window_ = openSponsorWindow(40ms);
    ASSERT_NE(label("标签1"), nullptr);
    EXPECT_EQ(label("标签1")->text(), QStringLiteral("  支持服务器运营 自动关闭"));
    EXPECT_EQ(label("标签2")->text(), QStringLiteral("8"));
    EXPECT_EQ(window_->countdown(), 8);

    QStringList seen;
    QTimer* clock = window_->findChild<QTimer*>(QStringLiteral("时钟1"));
    ASSERT_NE(clock, nullptr);
    QLabel* countdown = label("标签2");
    int ticks = 0;
    // Connected after the window's own handler, so it sees each tick's result.
    QObject::connect(clock, &QTimer::timeout, [&] {
        ++ticks;
        if (window_ && window_->isVisible()) seen << countdown->text();
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return window_.isNull(); }, 5000));
    EXPECT_EQ(seen, QStringList({"7", "6", "5", "4", "3", "2", "1", "0"}));
    EXPECT_EQ(ticks, 9);
}

TEST_F(SponsorWindowTest, RefusesToBeClosedBeforeTheCountdownEnds) {
    window_ = openSponsorWindow(60s);
    EXPECT_FALSE(window_->close());
    // As the window system asks it (Alt+F4, the taskbar's close command).
    ASSERT_NE(window_->windowHandle(), nullptr);
    EXPECT_FALSE(window_->windowHandle()->close());
    QCloseEvent request;
    QCoreApplication::sendEvent(window_, &request);
    EXPECT_FALSE(request.isAccepted());
    QTest::qWait(50);
    ASSERT_FALSE(window_.isNull());
    EXPECT_TRUE(window_->isVisible());
}

TEST_F(SponsorWindowTest, SponsorPagePopupsLoadIntoTheVisibleBrowserWhoseOwnPopupsAreCancelled) {
    servePage("/tan.htm",
              "<html><body><script>window.onload = function () { window.open('/popup1.htm'); };</script>"
              "</body></html>");
    servePage("/popup1.htm", "<html><head><title>popup1</title></head><body>first</body></html>");
    servePage("/popup2.htm", "<html><head><title>popup2</title></head><body>second</body></html>");
    servePage("/popup3.htm", "<html><head><title>popup3</title></head><body>third</body></html>");
    auto visibleWindows = [] {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) count += widget->isVisible() ? 1 : 0;
        return count;
    };
    int windowsBefore = visibleWindows();

    window_ = openSponsorWindow(60s);
    QWebEngineView* visible = window_->visibleBrowser();
    EXPECT_TRUE(QTest::qWaitFor([&] { return visible->title() == "popup1"; }, test::kWebWaitMs));

    // A further pop-up of the sponsor page goes to the same visible browser.
    test::runScript(window_->sponsorBrowser(), "window.open('/popup2.htm'); true");
    EXPECT_TRUE(QTest::qWaitFor([&] { return visible->title() == "popup2"; }, test::kWebWaitMs));

    // The visible browser's own pop-ups never open.
    test::runScript(visible, "window.open('/popup3.htm'); true");
    QTest::qWait(1500);
    EXPECT_FALSE(requested("/popup3.htm"));
    EXPECT_EQ(visible->title(), QStringLiteral("popup2"));
    EXPECT_EQ(visibleWindows(), windowsBefore + 1);
}

// Quitting closes every window first and gives up if one refuses: the
// sponsor window must not keep the program alive.
TEST_F(SponsorWindowTest, DoesNotHoldTheProgramOpenWhenItQuits) {
    window_ = openSponsorWindow(60s);
    QTimer::singleShot(50, [] { QCoreApplication::quit(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // only if quitting was refused
    EXPECT_EQ(QCoreApplication::exec(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window_.isNull() || !window_->isVisible());
}

}  // namespace
}  // namespace velmora
