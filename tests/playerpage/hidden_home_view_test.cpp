#include "hidden_home_view.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QUrl>
#include <QWebEngineView>
#include <QWidget>

#include "settings/host_settings.h"
#include "support/fixture_environment.h"
#include "web_test_util.h"

namespace velmora {
namespace {

using test::fixtureServer;

class HiddenHomeViewTest : public ::testing::Test {
protected:
    void TearDown() override { setHostSettings(HostSettings::defaults()); }
    void setHomeHost(const Text& host) {
        HostSettings settings = HostSettings::defaults();
        settings.home = host;
        setHostSettings(settings);
    }
};

TEST_F(HiddenHomeViewTest, VisitsTheHomePageOnceFromOutsideTheClientAreaUnseen) {
    fixtureServer().clearRequests();
    setHomeHost(fixtureServer().host());
    QWidget central;
    central.resize(794, 500);
    QWebEngineView* view = createHiddenHomeView(&central);
    central.show();

    EXPECT_EQ(view->parentWidget(), &central);
    EXPECT_EQ(view->objectName(), QStringLiteral("超文本浏览框1"));
    EXPECT_EQ(view->geometry(), QRect(368, 744, 144, 72));
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(view->page()->isAudioMuted());

    auto visited = [] {
        for (const auto& request : fixtureServer().requests())
            if (request.method == "GET" && request.target == "/?ver=1.6") return true;
        return false;
    };
    EXPECT_TRUE(QTest::qWaitFor(visited, test::kWebWaitMs));
}

TEST_F(HiddenHomeViewTest, AddressComesFromTheHomeHostAndABadHostLoadsNothing) {
    const std::pair<Text, QUrl> cases[] = {
        {"www.velmora.example", QUrl("http://www.velmora.example/?ver=1.6")},
        {"127.0.0.1:8080", QUrl("http://127.0.0.1:8080/?ver=1.6")},
        {"", QUrl()},
        {"bad host", QUrl()},
    };
    for (const auto& [host, url] : cases) {
        setHomeHost(host);
        EXPECT_EQ(hiddenHomeViewUrl(), url) << host;
    }
    QWidget central;
    QWebEngineView* view = createHiddenHomeView(&central);
    EXPECT_TRUE(view->url().isEmpty());
}

}  // namespace
}  // namespace velmora
