// Choosing the search mode from the toolbar and the menus, and the help
// menu's pages.
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>

#include "app_test_fixture.h"
#include "dj/open_dj_window.h"
#include "global_objects.h"
#include "settings/host_settings.h"

namespace velmora::test {
namespace {

QAction* menuItem(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
        if (action->text() == text) return action;
    ADD_FAILURE() << "no menu item " << text.toStdString();
    return nullptr;
}

class SearchModesTest : public MainWindowTest {
protected:
    QString buttonText(int index) const { return window_->toolbar()->itemText(index); }
    QString modeLabel() const { return control<QLabel>(u"标签2")->text(); }
    void chooseFromMenu(const char16_t* text) {
        menuItem(window_->onlineModeMenu(), QString::fromUtf16(text))->trigger();
    }
    void clickButton(int index) { window_->toolbar()->item(index)->trigger(); }

    MessageBoxAcceptor boxes_;
};

TEST_F(SearchModesTest, MenuThenButtonFourThenButtonZero) {
    chooseFromMenu(u"快播资源");
    EXPECT_EQ(currentSearchMode, QvodResources);
    EXPECT_EQ(buttonText(0), QStringLiteral("快播资源"));
    EXPECT_EQ(modeLabel(), QStringLiteral("快播资源"));
    EXPECT_EQ(statusPart(1), QStringLiteral("快播资源"));
    auto seen = boxes_.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, QStringLiteral("信息："));
    EXPECT_EQ(seen[0].text, QStringLiteral("成功切换，本模式挖掘出全网快播资源地址"));
    EXPECT_TRUE(seen[0].okOnly);
    EXPECT_TRUE(seen[0].applicationModal);
    EXPECT_FALSE(seen[0].hasParent);

    clickButton(4);
    EXPECT_EQ(currentSearchMode, MobileFilms);
    EXPECT_EQ(modeLabel(), QStringLiteral("手机电影"));
    EXPECT_EQ(statusPart(1), QStringLiteral("手机电影"));
    EXPECT_EQ(buttonText(0), QStringLiteral("快播资源"));
    EXPECT_EQ(buttonText(4), QStringLiteral("手机电影"));

    clickButton(0);
    EXPECT_EQ(currentSearchMode, QvodResources);
    EXPECT_EQ(modeLabel(), QStringLiteral("快播资源"));
    seen = boxes_.seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].text, QStringLiteral("成功切换，本模式挖掘出手机电影下载地址"));
    EXPECT_EQ(seen[2].text, QStringLiteral("成功切换，本模式挖掘出全网快播资源地址"));

    // The next run visits the two QVOD sites only.
    keywordBox()->setText(QStringLiteral("abc"));
    window_->toggleSearchRun();
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    const auto targets = requestTargets();
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0].rfind("/search.asp?k=abc&t=name", 0), 0u) << targets[0];
    EXPECT_EQ(targets[1].rfind("/search/search.do?q=abc", 0), 0u) << targets[1];
}

TEST_F(SearchModesTest, EveryToolbarItemAndMenuItemDoesItsOwnThing) {
    struct Case {
        const char* what;
        std::function<void()> act;
        std::int32_t mode;        // the mode afterwards
        const char16_t* label;    // 标签2 afterwards
        const char16_t* message;  // nullptr: no message box
    };
    const Case cases[] = {
        {"separator 1", [this] { window_->onToolbarClicked(1); }, OnlinePlay, u"在线播放", nullptr},
        {"button 2", [this] { clickButton(2); }, VideoDownload, u"视频下载",
         u"成功切换，本模式挖掘出视频下载地址"},
        {"separator 3", [this] { window_->onToolbarClicked(3); }, VideoDownload, u"视频下载", nullptr},
        {"button 6", [this] { clickButton(6); }, Mtv, u"MTV视频", u"成功切换，本模式挖掘出MTV在线播放"},
        {"button 8 (DJ)", [this] { clickButton(8); }, Mtv, u"MTV视频", nullptr},
        {"separators 5 and 7",
         [this] {
             window_->onToolbarClicked(5);
             window_->onToolbarClicked(7);
         },
         Mtv, u"MTV视频", nullptr},
        {"menu 百度影音", [this] { chooseFromMenu(u"百度影音"); }, BaiduYingyin, u"百度影音",
         u"成功切换，本模式挖掘出全网百度影音播放地址"},
        {"button 0 names 百度影音", [this] { clickButton(0); }, BaiduYingyin, u"百度影音",
         u"成功切换，本模式挖掘出全网百度影音播放地址"},
        {"menu 在线播放", [this] { chooseFromMenu(u"在线播放"); }, OnlinePlay, u"在线播放",
         u"成功切换，本模式挖掘出全网视频在线播放地址"},
        {"the same mode again", [this] { clickButton(0); }, OnlinePlay, u"在线播放",
         u"成功切换，本模式挖掘出全网视频在线播放地址"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes_.clear();
        c.act();
        EXPECT_EQ(currentSearchMode, c.mode);
        EXPECT_EQ(modeLabel(), QString::fromUtf16(c.label));
        const auto seen = boxes_.seen();
        if (c.message == nullptr) {
            EXPECT_TRUE(seen.empty());
        } else {
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_EQ(seen[0].text, QString::fromUtf16(c.message));
            EXPECT_EQ(statusPart(1), QString::fromUtf16(c.label));
        }
    }
    // Button 8 opened the one DJ window, and leaves it single when clicked again.
    clickButton(8);
    int djWindows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == QStringLiteral("DJVelmora") && w->isVisible()) ++djWindows;
    EXPECT_EQ(djWindows, 1);
    destroyOpenDjWindow();
    // Buttons 2, 4 and 6 keep their own texts.
    EXPECT_EQ(buttonText(2), QStringLiteral("视频下载"));
    EXPECT_EQ(buttonText(6), QStringLiteral("MTV视频"));
    EXPECT_EQ(buttonText(8), QStringLiteral("DJ下载"));
}

TEST_F(SearchModesTest, ArrowOfButtonZeroPopsTheModeMenuBelowTheButton) {
    auto* button = qobject_cast<DropDownToolButton*>(window_->toolbar()->itemWidget(0));
    ASSERT_NE(button, nullptr);
    std::vector<QPoint> points;
    QObject::connect(window_->toolbar(), &MainToolbar::dropDownClicked, [&](int index, QPoint at) {
        EXPECT_EQ(index, 0);
        points.push_back(at);
    });
    QTest::mousePress(button, Qt::LeftButton, {}, button->arrowRect().center());
    QTest::mouseRelease(button, Qt::LeftButton, {}, button->arrowRect().center());
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0], button->mapToGlobal(QPoint(0, button->height() + 2)));
    QMenu* menu = window_->onlineModeMenu();
    ASSERT_TRUE(waitFor([&] { return menu->isVisible(); }));
    EXPECT_EQ(menu->pos(), points[0]);
    // Its items are the menu's own.
    menu->actions().at(2)->trigger();
    menu->hide();
    EXPECT_EQ(currentSearchMode, BaiduYingyin);
    EXPECT_EQ(buttonText(0), QStringLiteral("百度影音"));

    // The arrow of any other index does nothing; the main part of button 0
    // chooses its mode and shows no menu.
    window_->onToolbarDropDown(2, QPoint(10, 10));
    EXPECT_FALSE(menu->isVisible());
    boxes_.clear();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    EXPECT_FALSE(menu->isVisible());
    ASSERT_EQ(boxes_.seen().size(), 1u);
    EXPECT_EQ(boxes_.seen()[0].text, QStringLiteral("成功切换，本模式挖掘出全网百度影音播放地址"));
}

TEST_F(SearchModesTest, HelpMenuOpensTheProductPagesInTheBrowser) {
    HostSettings hosts = hostSettings();
    hosts.feedback = "feedback-host";
    hosts.home = "home-host:8080";
    setHostSettings(hosts);
    UrlRecorder browser;
    QMenu* help = window_->menuBar()->actions().at(1)->menu();
    menuItem(help, QStringLiteral("意见反馈"))->trigger();
    menuItem(help, QStringLiteral("官方网站"))->trigger();
    ASSERT_EQ(browser.urls.size(), 2u);
    EXPECT_EQ(browser.urls[0].toString(), QStringLiteral("http://feedback-host/gbook/?18_1.html"));
    EXPECT_EQ(browser.urls[1].toString(), QStringLiteral("http://home-host:8080"));
    EXPECT_TRUE(boxes_.seen().empty());
}

}  // namespace
}  // namespace velmora::test
