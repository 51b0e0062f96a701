#include "player_page_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "film_row_action.h"
#include "playerpage/player_page_builder.h"
#include "settings/host_settings.h"
#include "support/fixture_environment.h"
#include "temp_dir.h"
#include "text/codepage.h"
#include "web_test_util.h"

namespace velmora {
namespace {

using test::fixtureServer;
using test::runScript;
using test::waitForScript;
using ::testing::ElementsAre;

const Text kStart = "<div class=\"rightsideBar fl\">";
const Text kEnd = "<script>getVideoHit";

class PlayerPageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        HostSettings settings = HostSettings::defaults();
        // The page head's style sheets and scripts come from the fixture server.
        settings.site[0] = fixtureServer().host();
        setHostSettings(settings);
        setProgramDirectory(dir_.path());
        previousPresenter_ = setFailureMessagePresenter([this](const Text& m) {
            PlayerPageWindow* window = PlayerPageWindow::current();
            urlsAtMessage_.push_back(window ? window->view()->url() : QUrl());
            messages_.push_back(m);
        });
        fixtureServer().clearRoutes();
        fixtureServer().clearRequests();
        test::FixtureResponse common;
        common.contentType = "application/javascript";
        common.body = "window.commonLoaded = true;";
        fixtureServer().route("/js/common.js", common);
    }
    void TearDown() override {
        if (PlayerPageWindow* window = PlayerPageWindow::current()) delete window;
        setFailureMessagePresenter(previousPresenter_);
        setHostSettings(HostSettings::defaults());
    }

    // A play page whose player stretch holds `body`, served in small
    // pieces so that the fetch takes a while.
    Text servePlayPage(const std::string& path, const Text& body, bool slow = false) {
        test::FixtureResponse response;
        response.body = "<html><body><p>site menu</p>" + kStart + body + kEnd + "()</script></body></html>";
        if (slow) {
            response.trickleBytes = 16;
            response.tricklePause = std::chrono::milliseconds(40);
        }
        fixtureServer().route(path, response);
        return fixtureServer().url(path);
    }

    test::TempDir dir_;
    std::vector<Text> messages_;
    std::vector<QUrl> urlsAtMessage_;
    FailureMessagePresenter previousPresenter_;
};

TEST_F(PlayerPageWindowTest, CentredOnTheScreenAtDesignSize) {
    EXPECT_EQ(centredTopLeft({1024, 768}, PlayerPageWindow::kOuterSize), QPoint(132, 94));
    PlayerPageWindow* window = PlayerPageWindow::openOrReuse();
    QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(window->frameGeometry().topLeft(), centredTopLeft(screen, PlayerPageWindow::kOuterSize));
    EXPECT_EQ(window->frameGeometry().size(), PlayerPageWindow::kOuterSize);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Velmora-广告过滤窗口"));
    EXPECT_EQ(window->view()->objectName(), QStringLiteral("超文本浏览框1"));
    EXPECT_TRUE(window->view()->url().isEmpty());
    EXPECT_FALSE(window->statusText(1).isEmpty());
}

TEST_F(PlayerPageWindowTest, FilmRowOpensTheWindowWhileFetchingThenShowsTheBuiltPage) {
    Text link = servePlayPage("/play/1.html", gbk("<h1 id=\"film\">功夫</h1>"), /*slow=*/true);
    // Seen from inside the fetch: the window is already up with an empty view.
    bool sawWindowDuringFetch = false;
    QTimer probe;
    probe.setInterval(20);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        PlayerPageWindow* window = PlayerPageWindow::current();
        if (window && window->isVisible() && window->view()->url().isEmpty()) sawWindowDuringFetch = true;
    });
    probe.start();
    openFilmRow(FilmSite::Xunbo, link);
    probe.stop();
    EXPECT_TRUE(sawWindowDuringFetch);

    PlayerPageWindow* window = PlayerPageWindow::current();
    ASSERT_NE(window, nullptr);
    QUrl built = QUrl::fromLocalFile(QString::fromStdString(playerPagePath()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->view()->url() == built; }, test::kWebWaitMs));
    // The local page shows the film and ran the script that its head loads
    // from the film site.
    EXPECT_TRUE(waitForScript(window->view(), "document.getElementById('film') !== null"));
    EXPECT_TRUE(waitForScript(window->view(), "window.commonLoaded === true"));
    EXPECT_EQ(window->view()->title(), QStringLiteral("迅播影院"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(PlayerPageWindowTest, SecondFilmRowReusesTheWindowInPlace) {
    openFilmRow(FilmSite::Xunbo, servePlayPage("/play/1.html", "<h1 id=\"first\">1</h1>"));
    PlayerPageWindow* window = PlayerPageWindow::current();
    ASSERT_TRUE(waitForScript(window->view(), "document.getElementById('first') !== null"));
    window->move(40, 30);
    QPoint placed = window->pos();

    openFilmRow(FilmSite::Xunbo, servePlayPage("/play/2.html", "<h1 id=\"second\">2</h1>"));
    EXPECT_EQ(PlayerPageWindow::current(), window);
    EXPECT_EQ(window->pos(), placed);
    EXPECT_TRUE(waitForScript(window->view(), "document.getElementById('second') !== null"));
}

TEST_F(PlayerPageWindowTest, FailedBuildTellsTheUserThenShowsTheFilmSitesPage) {
    test::FixtureResponse changed;
    changed.body = "<html><head><title>film site</title></head><body>layout changed</body></html>";
    fixtureServer().route("/play/9.html", changed);
    Text link = fixtureServer().url("/play/9.html");

    openFilmRow(FilmSite::Xunbo, link);

    EXPECT_THAT(messages_, ElementsAre(playerPageFailureMessage()));
    // The message came before the view was pointed at the site.
    EXPECT_THAT(urlsAtMessage_, ElementsAre(QUrl()));
    PlayerPageWindow* window = PlayerPageWindow::current();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->view()->url() == QUrl(QString::fromStdString(link)); },
                                test::kWebWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->view()->title() == "film site"; }, test::kWebWaitMs));
}

TEST_F(PlayerPageWindowTest, ProgramHooksTellAFailedBuildInTheProgramsMessageBox) {
    installPlayerPageUiHooks();
    setProgramDirectory(dir_.path());
    QString title, text;
    QMessageBox::StandardButtons buttons;
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        box->accept();
    });
    closer.start();
    openFilmRow(FilmSite::Shuangshi, "");
    closer.stop();
    setFailureMessagePresenter(nullptr);
    EXPECT_EQ(title, QStringLiteral("信息："));
    EXPECT_EQ(text, QStringLiteral("分析过程失败!将直接为您跳转到官方地址！"));
    EXPECT_EQ(buttons, QMessageBox::Ok);
    // Nothing to fall back to: the view stays empty.
    QTest::qWait(200);
    EXPECT_TRUE(PlayerPageWindow::current()->view()->url().isEmpty());
}

TEST_F(PlayerPageWindowTest, FallbackAddressIsOnlyEverAWebPage) {
    const std::pair<Text, QUrl> cases[] = {
        {"http://www.xunbo.cc/play/1.html", QUrl("http://www.xunbo.cc/play/1.html")},
        {"https://www.xunbo.cc/a", QUrl("https://www.xunbo.cc/a")},
        {"www.xunbo.cc/play/1.html", QUrl("http://www.xunbo.cc/play/1.html")},
        {"", QUrl()},
        {"file:///etc/passwd", QUrl()},
        {"javascript:alert(1)", QUrl()},
        {"http://", QUrl()},
    };
    for (const auto& [link, url] : cases) EXPECT_EQ(fallbackUrlForLink(link), url) << link;
}

TEST_F(PlayerPageWindowTest, ClosingTheWindowDuringTheBuildDropsTheResult) {
    Text link = servePlayPage("/play/1.html", "<h1>late</h1>", /*slow=*/true);
    QTimer::singleShot(100, [] {
        if (PlayerPageWindow* window = PlayerPageWindow::current()) window->close();
    });
    openFilmRow(FilmSite::Xunbo, link);
    // WA_DeleteOnClose deletes it on the next turn of the loop.
    EXPECT_TRUE(QTest::qWaitFor([] { return PlayerPageWindow::current() == nullptr; }, 2000));
    // The page was still built; only showing it was dropped.
    EXPECT_TRUE(test::readFileBytes(playerPagePath()).find("<h1>late</h1>") != std::string::npos);
}

TEST_F(PlayerPageWindowTest, RowChosenDuringABuildWinsOverTheOneBeingBuilt) {
    Text first = servePlayPage("/play/1.html", "<h1 id=\"first\">1</h1>", /*slow=*/true);
    Text second = servePlayPage("/play/2.html", "<h1 id=\"second\">2</h1>");
    QTimer::singleShot(100, [&] { openFilmRow(FilmSite::Xunbo, second); });
    openFilmRow(FilmSite::Xunbo, first);

    PlayerPageWindow* window = PlayerPageWindow::current();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(waitForScript(window->view(), "document.getElementById('second') !== null"));
    EXPECT_FALSE(runScript(window->view(), "document.getElementById('first') !== null").toBool());
}

TEST_F(PlayerPageWindowTest, ViewFillsTheClientAreaLessTwoPixels) {
    PlayerPageWindow* window = PlayerPageWindow::openOrReuse();
    for (QSize client : {QSize(400, 300), QSize(900, 650), QSize(1, 1)}) {
        window->resize(client);
        QTest::qWait(0);
        EXPECT_EQ(window->size(), client);
        EXPECT_EQ(window->view()->geometry(),
                  QRect(0, 0, std::max(0, client.width() - 2), std::max(0, client.height() - 2)));
    }
}

TEST_F(PlayerPageWindowTest, HoveredLinkTargetGoesToStatusPartZero) {
    openFilmRow(
        FilmSite::Xunbo,
        servePlayPage("/play/1.html",
                      "<a id=\"next\" href=\"http://www.xunbo.cc/play/2.html\" "
                      "style=\"position:absolute;left:0;top:0;width:300px;height:200px;display:block\">"
                      "next</a>"));
    PlayerPageWindow* window = PlayerPageWindow::current();
    ASSERT_TRUE(waitForScript(window->view(), "document.getElementById('next') !== null"));
    QString credit = window->statusText(1);
    QWidget* surface = window->view()->focusProxy();
    ASSERT_NE(surface, nullptr);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            QTest::mouseMove(surface, QPoint(100, 100));
            return window->statusText(0) == QStringLiteral("http://www.xunbo.cc/play/2.html");
        },
        test::kWebWaitMs));
    EXPECT_EQ(window->statusText(1), credit);
}

// The player page's view may not read the user's other files; a view that
// allows it shows the probe works.
TEST_F(PlayerPageWindowTest, LocalPageCannotReadOtherLocalFiles) {
    test::writeFileBytes(dir_.file("secret.txt"), "secret");
    test::writeFileBytes(dir_.file("probe.htm"),
                         "<html><body><script>"
                         "var r = 'blocked';"
                         "try { var x = new XMLHttpRequest(); x.open('GET', 'secret.txt', false); x.send();"
                         "  if (x.responseText) r = 'read:' + x.responseText; } catch (e) {}"
                         "document.title = r;</script></body></html>");
    QUrl probe = QUrl::fromLocalFile(QString::fromStdString(dir_.file("probe.htm")));

    PlayerPageWindow* window = PlayerPageWindow::openOrReuse();
    QWebEngineView permissive;
    permissive.settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    const std::pair<QWebEngineView*, QString> views[] = {{window->view(), "blocked"},
                                                         {&permissive, "read:secret"}};
    for (const auto& [view, expected] : views) {
        view->load(probe);
        EXPECT_TRUE(QTest::qWaitFor([&] { return view->title() == expected; }, test::kWebWaitMs))
            << view->title().toStdString();
    }
}

}  // namespace
}  // namespace velmora
