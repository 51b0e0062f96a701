// The main window as it opens: controls, toolbar, menus, status bar, the
// keyword box's hint rule, and the double-click on a row.
#include <QFontDatabase>
#include <QHeaderView>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include "app_test_fixture.h"
#include <QWebEngineView>

#include "player_page_window.h"
#include "playerpage/player_page_builder.h"
#include "settings/host_settings.h"
#include "support/fixture_server.h"
#include "global_objects.h"
#include "text/codepage.h"

namespace velmora::test {
namespace {

TEST_F(MainWindowTest, OpensWithItsTitleFixedSizeAndWithoutMaximiseButton) {
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Velmora1.6"));
    // The frame is taken off the client size once the window is shown.
    EXPECT_TRUE(waitFor([&] { return window_->frameGeometry().size() == QSize(802, 592); }))
        << window_->frameGeometry().width() << "x" << window_->frameGeometry().height();
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    const Qt::WindowFlags flags = window_->windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(currentSearchMode, OnlinePlay);
}

TEST_F(MainWindowTest, ControlsStandAtTheirPlacesWithTheirStartContent) {
    struct Case {
        const char16_t* name;
        QRect place;
        QString text;
    };
    const Case cases[] = {
        {u"工具条1", {0, 0, 794, 48}, {}},
        {u"标签1", {90, 56, 56, 32}, QStringLiteral("视频名称")},
        {u"编辑框1", {160, 58, 432, 24}, QStringLiteral("输入电影、电视剧等")},
        {u"按钮1", {611, 56, 73, 27}, QStringLiteral("开始挖掘")},
        {u"标签2", {704, 58, 80, 24}, QStringLiteral("在线播放")},
        {u"动态标签", {10, 92, 208, 24}, {}},
        {u"计数标签", {578, 92, 208, 24}, {}},
        {u"超级列表框1", {7, 118, 780, 400}, {}},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf16(c.name);
        SCOPED_TRACE(name.toStdString());
        auto* widget = window_->findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), c.place);
        EXPECT_EQ(widget->parentWidget(), window_->centralWidget());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), c.text);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), c.text);
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_EQ(edit->text(), c.text);
        }
    }
    EXPECT_EQ(control<QLabel>(u"标签2")->palette().color(QPalette::WindowText), QColor(88, 48, 224));
    EXPECT_EQ(statusLabel()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(countLabel()->palette().color(QPalette::WindowText), QColor(Qt::red));

    auto* timer = window_->findChild<QTimer*>(QStringLiteral("时钟1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    // A font that can show the Chinese texts is there.
    EXPECT_FALSE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty());
}

TEST_F(MainWindowTest, ResultListHasItsColumnsAndListBehaviour) {
    QTableView* list = resultList();
    const QStringList headers = {QStringLiteral("名称"), QStringLiteral("连接"), QStringLiteral("api接口"),
                                 QStringLiteral("简介")};
    const int widths[] = {300, 0, 100, 340};
    ASSERT_EQ(list->model()->columnCount(), 4);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(list->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headers[c]);
        EXPECT_EQ(list->columnWidth(c), widths[c]) << c;
        EXPECT_FALSE(list->isColumnHidden(c));
    }
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_TRUE(list->showGrid());
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(list->horizontalHeader()->isVisible());
    const QPalette palette = list->palette();
    EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::Highlight),
              palette.color(QPalette::Active, QPalette::Highlight));
}

TEST_F(MainWindowTest, ToolbarHasNineItemsWithTextsTipsAndPictures) {
    struct Case {
        int index;
        const char16_t* text;  // nullptr: a separator
        const char16_t* toolTip;
    };
    const Case cases[] = {
        {0, u"在线播放", u"挖掘出在线播放的视频"},     {1, nullptr, nullptr},
        {2, u"视频下载", u"挖掘出全网视频下载地址"},   {3, nullptr, nullptr},
        {4, u"手机电影", u"挖掘出手机下载格式的视频"}, {5, nullptr, nullptr},
        {6, u"MTV视频", u"挖掘所有MTV视频"},           {7, nullptr, nullptr},
        {8, u"DJ下载", u"DJ在线播放、下载"},
    };
    MainToolbar* toolbar = window_->toolbar();
    EXPECT_EQ(toolbar->actions().size(), MainToolbar::kItemCount);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        QAction* item = toolbar->item(c.index);
        if (c.text == nullptr) {
            EXPECT_TRUE(item->isSeparator());
            continue;
        }
        EXPECT_EQ(item->text(), QString::fromUtf16(c.text));
        EXPECT_EQ(item->toolTip(), QString::fromUtf16(c.toolTip));
        EXPECT_TRUE(item->isEnabled());
        const QPixmap picture = item->icon().pixmap(16, 16);
        EXPECT_EQ(picture.size(), QSize(16, 16));
        EXPECT_TRUE(picture.hasAlphaChannel());
        auto* button = qobject_cast<QToolButton*>(toolbar->itemWidget(c.index));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        EXPECT_EQ(button->popupMode() == QToolButton::MenuButtonPopup, c.index == 0);
    }
    // Five different pictures.
    std::vector<QImage> images;
    for (int i : {0, 2, 4, 6, 8}) images.push_back(toolbar->item(i)->icon().pixmap(16, 16).toImage());
    for (std::size_t a = 0; a < images.size(); ++a)
        for (std::size_t b = a + 1; b < images.size(); ++b) EXPECT_NE(images[a], images[b]) << a << " " << b;
}

TEST_F(MainWindowTest, MenuBarHoldsTheModeSubmenuAndHelp) {
    const QList<QAction*> top = window_->menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), QStringLiteral("挖掘选项(&A)"));
    EXPECT_EQ(top[1]->text(), QStringLiteral("帮助(&H)"));
    const QList<QAction*> options = top[0]->menu()->actions();
    ASSERT_EQ(options.size(), 1);
    EXPECT_EQ(options[0]->text(), QStringLiteral("在线电影挖掘"));
    EXPECT_EQ(options[0]->menu(), window_->onlineModeMenu());
    QStringList modeItems, helpItems;
    for (QAction* a : window_->onlineModeMenu()->actions()) modeItems << a->text();
    for (QAction* a : top[1]->menu()->actions()) helpItems << a->text();
    EXPECT_EQ(modeItems, (QStringList{QStringLiteral("在线播放"), QStringLiteral("快播资源"),
                                      QStringLiteral("百度影音")}));
    EXPECT_EQ(helpItems, (QStringList{QStringLiteral("意见反馈"), QStringLiteral("官方网站")}));
}

TEST_F(MainWindowTest, StatusBarHasThreeParts) {
    auto* bar = control<QStatusBar>(u"状态条1");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->height(), 20);
    EXPECT_EQ(statusPart(0), QStringLiteral("播放方法:双击列表"));
    EXPECT_EQ(statusPart(1), QStringLiteral("挖掘模式:在线播放"));
    EXPECT_FALSE(statusPart(2).isEmpty());
    EXPECT_EQ(window_->statusPart(0)->width(), 520);
    EXPECT_EQ(window_->statusPart(1)->width(), 150);
    EXPECT_GT(window_->statusPart(2)->width(), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(window_->findChild<QLabel*>(QStringLiteral("状态条1.part%1").arg(i)),
                  window_->statusPart(i));
}

TEST_F(MainWindowTest, KeywordHintIsClearedOnFocusOnlyWhenItIsExactlyTheHint) {
    struct Case {
        QString before;
        QString after;
    };
    const Case cases[] = {
        {QStringLiteral("输入电影、电视剧等"), QString()},
        {QStringLiteral("天下无贼"), QStringLiteral("天下无贼")},
        {QStringLiteral("输入电影、电视剧等 "), QStringLiteral("输入电影、电视剧等 ")},
        {QString(), QString()},
    };
    window_->activateWindow();
    KeywordBox* box = keywordBox();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before.toStdString());
        startButton()->setFocus();
        box->setText(c.before);
        box->setFocus();
        ASSERT_TRUE(waitFor([&] { return box->hasFocus(); }));
        EXPECT_EQ(box->text(), c.after);
    }
    // Nothing puts the hint back when the box is left empty.
    startButton()->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(box->text(), QString());
}

TEST_F(MainWindowTest, KeywordBoxTakesAKeywordOfAnyLength) {
    const QString longKeyword(100000, QLatin1Char('k'));
    keywordBox()->setText(longKeyword);
    EXPECT_EQ(keywordBox()->text(), longKeyword);
}

TEST_F(MainWindowTest, DoubleClickOpensOnlyWebAddressesOfNonFilmRowsInTheBrowser) {
    UrlRecorder browser;
    struct Case {
        const char* site;
        const char* link;
        const char* opened;  // nullptr: nothing handed to the browser
    };
    const Case cases[] = {
        {"pps视频网", "http://v.pps.test/play/1.html", "http://v.pps.test/play/1.html"},
        {"高清台", "https://mtv.test/video/7", "https://mtv.test/video/7"},
        {"讯播电影网 ", "http://xunbo.test/3.html", "http://xunbo.test/3.html"},
        {"pptv网", "ftp://files.test/a", nullptr},
        {"pptv网", "javascript:alert(1)", nullptr},
        {"pptv网", "file:///etc/passwd", nullptr},
        {"pptv网", "", nullptr},
    };
    std::vector<ResultRow> rows;
    for (const Case& c : cases) rows.push_back({gbk("片"), gbk(c.link), gbk(c.site), {}});
    window_->resultModel()->appendRows(rows);
    QTableView* list = resultList();
    ASSERT_TRUE(waitFor([&] { return list->visualRect(list->model()->index(0, 0)).isValid(); }));
    window_->openResultRow();  // nothing selected yet
    EXPECT_TRUE(browser.urls.empty());
    for (int r = 0; r < static_cast<int>(std::size(cases)); ++r) {
        SCOPED_TRACE(cases[r].link);
        browser.urls.clear();
        const QRect cell = list->visualRect(list->model()->index(r, 0));
        // The events a real double-click brings: the second press comes
        // with the double-click event.
        for (auto action : {QTest::MousePress, QTest::MouseRelease, QTest::MousePress, QTest::MouseDClick,
                            QTest::MouseRelease})
            QTest::mouseEvent(action, list->viewport(), Qt::LeftButton, {}, cell.center());
        if (cases[r].opened == nullptr) {
            EXPECT_TRUE(browser.urls.empty());
        } else {
            ASSERT_EQ(browser.urls.size(), 1u);
            EXPECT_EQ(browser.urls[0], QUrl(QString::fromUtf8(cases[r].opened)));
        }
    }
}

TEST_F(MainWindowTest, DoubleClickOnAFilmRowShowsItsPlayerPageInTheProgramsOwnWindow) {
    UrlRecorder browser;
    // A server of its own: the page's scripts and styles are fetched by the
    // web view later on and must not reach the shared server's request log.
    FixtureServer filmSite;
    FixtureResponse play;
    play.body = readTestData("playerpage/xunbo_play.htm");
    filmSite.route("/film/play/1.html", play);
    HostSettings hosts = hostSettings();
    hosts.site[0] = filmSite.host();
    setHostSettings(hosts);

    window_->resultModel()->appendRows(
        {{gbk("天下无贼"), gbk(filmSite.url("/film/play/1.html")), gbk("讯播电影网"), {}}});
    QTableView* list = resultList();
    ASSERT_TRUE(waitFor([&] { return list->visualRect(list->model()->index(0, 0)).isValid(); }));
    list->selectRow(0);
    window_->openResultRow();

    PlayerPageWindow* player = PlayerPageWindow::current();
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(browser.urls.empty());
    EXPECT_TRUE(waitFor([&] { return player->view()->url() == QUrl::fromLocalFile(QString::fromStdString(playerPagePath())); }))
        << player->view()->url().toString().toStdString();
    player->close();
    removePlayerPage();
}

}  // namespace
}  // namespace velmora::test
