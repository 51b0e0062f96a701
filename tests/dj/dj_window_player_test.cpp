// The DJ window's player side with a real Qt Multimedia player playing
// short generated WAV files from the loopback server (with Range support).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include "dj/dj_gui_support.h"
#include "dj/dj_window.h"
#include "dj/qt_dj_media_player.h"
#include "support/fixture_environment.h"

namespace velmora {
namespace {

using std::chrono::milliseconds;
using test::fixtureServer;

// The real player, with a record of the seeks and volumes the window asked for.
class RecordingPlayer final : public DjMediaPlayer {
public:
    explicit RecordingPlayer(std::vector<int>* seeks, std::vector<int>* volumes)
        : seeks_(seeks), volumes_(volumes) {}
    void setUrl(const QString& a) override { real_.setUrl(a); }
    void play() override { real_.play(); }
    void pause() override { real_.pause(); }
    void stop() override { real_.stop(); }
    QString currentPosition() const override { return real_.currentPosition(); }
    void setCurrentPosition(int s) override {
        seeks_->push_back(s);
        real_.setCurrentPosition(s);
    }
    QString currentPositionString() const override { return real_.currentPositionString(); }
    QString durationString() const override { return real_.durationString(); }
    QString getItemInfo(const QString& n) const override { return real_.getItemInfo(n); }
    void setVolume(int v) override {
        volumes_->push_back(v);
        real_.setVolume(v);
    }
    int volume() const override { return real_.volume(); }
    QString status() const override { return real_.status(); }

private:
    QtDjMediaPlayer real_;
    std::vector<int>* seeks_;
    std::vector<int>* volumes_;
};

// Receives what the window hands to the default browser.
class BrowserSpy : public QObject {
    Q_OBJECT
public:
    BrowserSpy() {
        QDesktopServices::setUrlHandler("http", this, "open");
        QDesktopServices::setUrlHandler("https", this, "open");
        QDesktopServices::setUrlHandler("file", this, "open");
    }
    ~BrowserSpy() override {
        for (const char* scheme : {"http", "https", "file"}) QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class DjPlayerWindowTest : public test::DjWindowTest {
protected:
    QPointer<DjWindow> openWindow() override { return open(); }

    QPointer<DjWindow> open(DjPlayerFactory factory = {}) {
        if (!factory) factory = [this] { return std::make_unique<RecordingPlayer>(&seeks, &volumes); };
        auto* w = new DjWindow(globals, DjWindowOptions{factory, milliseconds(100)});
        w->show();
        return w;
    }

    QString caption() const { return child<QPushButton>("播放")->text(); }
    QString trackLabel() const { return child<QLabel>("标签3")->text(); }
    QString playerStatus() const { return globals.djPlayer ? globals.djPlayer->status() : QString(); }
    void click(const char* name) const { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

    // The two-entry last page of 国外舞曲, through the tree.
    void loadShortPage(const char* category = "国外舞曲") {
        QTreeWidget* tree = child<QTreeWidget>("树型框1");
        QTreeWidgetItem* item = tree->findItems(category, Qt::MatchExactly | Qt::MatchRecursive).first();
        test::userDoubleClick(tree->viewport(), tree->visualItemRect(item).center());
        click("按钮1");
        ASSERT_EQ(tracks()->topLevelItemCount(), 2);
        fixtureServer().clearRequests();
    }
    void doubleClickRow(int row) {
        QRect rect = row >= 0 ? tracks()->visualItemRect(tracks()->topLevelItem(row))
                              : QRect(QPoint(10, tracks()->viewport()->height() - 10), QSize(1, 1));
        test::userDoubleClick(tracks()->viewport(), rect.center());
    }
    bool waitForStatus(const QString& status, int timeoutMs = 8000) {
        return QTest::qWaitFor([&] { return window->statusPartText(0) == status; }, timeoutMs);
    }
    std::vector<std::string> requestedTargets() const {
        std::vector<std::string> targets;
        for (const auto& r : fixtureServer().requests()) targets.push_back(r.target);
        return targets;
    }
    Text mediaAddress(int id) const { return fixtureServer().url("/media/" + std::to_string(id) + ".wav"); }

    std::vector<int> seeks;
    std::vector<int> volumes;
};

TEST_F(DjPlayerWindowTest, DoubleClickPlaysThenPauseResumeAndStop) {
    loadShortPage();
    doubleClickRow(0);
    EXPECT_EQ(requestedTargets().front(), "/play/301240.htm");
    EXPECT_EQ(globals.currentTrackIndex, 0);
    // The track page's s_bstr and righturl, joined.
    EXPECT_EQ(globals.currentTrackAddress, mediaAddress(301240));
    EXPECT_EQ(caption(), "暂停");
    EXPECT_EQ(trackLabel(), "2012最新中文串烧 一路有你");
    EXPECT_TRUE(window->isTimerActive());
    ASSERT_TRUE(waitForStatus("正在播放"));

    click("播放");
    EXPECT_EQ(caption(), "播放");
    ASSERT_TRUE(waitForStatus("已暂停"));
    EXPECT_TRUE(window->isTimerActive()) << "the timer runs on while paused";
    QTest::qWait(300);
    EXPECT_EQ(window->statusPartText(0), "已暂停") << "no advance while paused";

    click("播放");
    EXPECT_EQ(caption(), "暂停");
    ASSERT_TRUE(waitForStatus("正在播放"));

    click("停止按钮");
    EXPECT_FALSE(window->isTimerActive());
    EXPECT_EQ(caption(), "暂停") << "stop leaves the caption";
    EXPECT_EQ(child<QSlider>("滑块条1")->value(), child<QSlider>("滑块条1")->minimum());
    EXPECT_EQ(playerStatus(), "已停止");
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(DjPlayerWindowTest, TimerMirrorsTimeAndLengthIntoTheLabelAndSlider) {
    test::routeMusicSite(2.0);
    loadShortPage();
    doubleClickRow(1);
    auto* slider = child<QSlider>("滑块条1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return slider->maximum() == 2; }, 8000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return child<QLabel>("歌曲时间")->text() == "00:01/00:02"; }, 8000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return slider->value() == 1; }, 8000));
    EXPECT_TRUE(seeks.empty()) << "the timer's writes to the slider must not seek";
}

TEST_F(DjPlayerWindowTest, UserStepsOnThePositionSliderSeekWhetherPlayingOrPaused) {
    test::routeMusicSite(4.0);
    loadShortPage();
    doubleClickRow(0);
    auto* slider = child<QSlider>("滑块条1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return slider->maximum() == 4; }, 8000));
    ASSERT_TRUE(waitForStatus("正在播放"));
    auto position = [&] { return globals.djPlayer->currentPosition().toDouble(); };

    slider->setFocus();
    // Steps at the pace of a hand on the keyboard.
    QTest::keyClick(slider, Qt::Key_Home, {}, 50);
    for (int step = 0; step < 3; ++step) QTest::keyClick(slider, Qt::Key_Right, {}, 50);
    EXPECT_EQ(seeks, (std::vector<int>{0, 1, 2, 3}));
    // Played on from where it was, it would take two seconds to get there.
    EXPECT_TRUE(QTest::qWaitFor([&] { return position() >= 2.9; }, 1500)) << position();

    click("播放");  // pause
    ASSERT_TRUE(waitForStatus("已暂停"));
    QTest::keyClick(slider, Qt::Key_Home);
    EXPECT_EQ(seeks.back(), 0);
    EXPECT_LT(position(), 0.5) << "a seek while paused shows at once";
    click("播放");  // resume from the new place
    QTest::qWait(300);
    EXPECT_LT(position(), 2.0);
    EXPECT_EQ(playerStatus(), "正在播放");
}

TEST_F(DjPlayerWindowTest, VolumeStartsAtEightyAndFollowsTheSlider) {
    EXPECT_EQ(volumes, std::vector<int>{80});
    EXPECT_EQ(globals.djPlayer->volume(), 80);
    auto* slider = child<QSlider>("滑块条2");
    EXPECT_EQ(slider->value(), 80);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageDown);
    EXPECT_EQ(globals.djPlayer->volume(), slider->value());
    EXPECT_LT(slider->value(), 80);
}

TEST_F(DjPlayerWindowTest, EndedTrackAdvancesToTheNextRowAndStopsPastTheLast) {
    loadShortPage();
    doubleClickRow(0);
    // Row 0 ends, row 1 is selected and played without user action.
    ASSERT_TRUE(QTest::qWaitFor([&] { return globals.currentTrackIndex == 1; }, 10000));
    EXPECT_EQ(tracks()->currentItem(), tracks()->topLevelItem(1));
    EXPECT_EQ(trackLabel(), "DJ阿福 - 夜店舞曲精选");
    EXPECT_EQ(globals.currentTrackAddress, mediaAddress(301241));
    EXPECT_TRUE(window->isTimerActive());

    // Row 1 ends: the row after it does not exist, the base address has no
    // track script, the message shows and the timer stays off.
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.texts().size() == 1; }, 10000));
    EXPECT_EQ(messages.texts().first(), "对不起，网络问题获取地址失败!");
    EXPECT_TRUE(messages.allWellFormed());
    EXPECT_EQ(globals.currentTrackIndex, 2);
    EXPECT_TRUE(globals.currentTrackAddress.empty());
    EXPECT_FALSE(window->isTimerActive());
    EXPECT_EQ(requestedTargets(), (std::vector<std::string>{"/play/301240.htm", "/media/301240.wav",
                                                            "/play/301241.htm", "/media/301241.wav", "/"}))
        << "media requests may repeat with ranges";

    click("上一首");  // back to the last row
    EXPECT_EQ(globals.currentTrackIndex, 1);
    EXPECT_EQ(globals.currentTrackAddress, mediaAddress(301241));
    EXPECT_TRUE(window->isTimerActive());
}

TEST_F(DjPlayerWindowTest, PreviousOnTheFirstRowPlaysTheFirstRowAgain) {
    loadShortPage();
    doubleClickRow(0);
    click("上一首");
    EXPECT_EQ(globals.currentTrackIndex, 0);
    EXPECT_EQ(globals.currentTrackAddress, mediaAddress(301240));
    EXPECT_EQ(tracks()->currentItem(), tracks()->topLevelItem(0));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(DjPlayerWindowTest, DoubleClickWithoutSelectionFailsThenNextPlaysRowZero) {
    loadShortPage();
    doubleClickRow(-1);  // below the rows
    EXPECT_EQ(globals.currentTrackIndex, -1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.texts().size() == 1; }, 5000));
    EXPECT_EQ(messages.texts().first(), "对不起，网络问题获取地址失败!");
    EXPECT_EQ(requestedTargets(), std::vector<std::string>{"/"});
    EXPECT_FALSE(window->isTimerActive());

    click("下一首");
    EXPECT_EQ(globals.currentTrackIndex, 0);
    EXPECT_EQ(globals.currentTrackAddress, mediaAddress(301240));
    EXPECT_EQ(caption(), "暂停");
}

TEST_F(DjPlayerWindowTest, FailedDoubleClickLeavesThePlayingTrackAlone) {
    loadShortPage();
    doubleClickRow(0);
    ASSERT_TRUE(waitForStatus("正在播放"));
    test::FixtureResponse gone;
    gone.status = 404;
    gone.body = "gone";
    fixtureServer().route("/play/301241.htm", gone);
    doubleClickRow(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.texts().size() == 1; }, 5000));
    EXPECT_EQ(globals.currentTrackIndex, 1);
    EXPECT_TRUE(globals.currentTrackAddress.empty());
    EXPECT_TRUE(window->isTimerActive());
    EXPECT_EQ(trackLabel(), "2012最新中文串烧 一路有你");
    EXPECT_EQ(playerStatus(), "正在播放");
}

TEST_F(DjPlayerWindowTest, DownloadOpensTheMediaAddressEvenAfterReopening) {
    BrowserSpy browser;
    click("下载DJ按钮");
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.texts().size() == 1; }, 5000));
    EXPECT_EQ(messages.texts().first(), "请先播放后，在点击下载");
    EXPECT_TRUE(browser.opened.isEmpty());

    loadShortPage();
    doubleClickRow(1);
    click("下载DJ按钮");
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.first().toString().toStdString(), mediaAddress(301241));

    window->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 5000));
    EXPECT_EQ(playerStatus(), "已停止") << "closing stops the player";
    window = open();
    click("下载DJ按钮");
    EXPECT_EQ(browser.opened.size(), 2);
    EXPECT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.allWellFormed());
}

TEST_F(DjPlayerWindowTest, TrackPagesCannotPointThePlayerOrBrowserAtLocalFiles) {
    BrowserSpy browser;
    loadShortPage();
    test::FixtureResponse hostile;
    hostile.body =
        "<SCRIPT LANGUAGE=JavaScript>var s_bstr=\"file:///etc/\";var righturl=\"passwd\";</SCRIPT>";
    fixtureServer().route("/play/301240.htm", hostile);
    doubleClickRow(0);
    EXPECT_EQ(globals.currentTrackAddress, "file:///etc/passwd");
    ASSERT_TRUE(waitForStatus("播放出错"));
    click("下载DJ按钮");
    QTest::qWait(100);
    EXPECT_TRUE(browser.opened.isEmpty());
    EXPECT_TRUE(window->isTimerActive()) << "an unplayable track is not a stopped one";
}

TEST_F(DjPlayerWindowTest, WithoutAPlayerTheWindowSaysSoAndStillLooksUpAndDownloads) {
    delete window.data();
    globals.djPlayer.reset();
    messages.clear();
    window = open([] { return std::unique_ptr<DjMediaPlayer>(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.texts().size() == 1; }, 5000));
    EXPECT_EQ(messages.texts().first(),
              "加载Windows Media Player播放器失败，无法使用试听功能，但是您可以下载DJ歌曲");
    EXPECT_EQ(globals.djPlayer, nullptr);

    BrowserSpy browser;
    loadShortPage();
    doubleClickRow(0);
    EXPECT_EQ(globals.currentTrackAddress, mediaAddress(301240));
    EXPECT_TRUE(window->isTimerActive());
    click("播放");
    click("停止按钮");
    doubleClickRow(0);
    QTest::qWait(350);
    EXPECT_EQ(window->statusPartText(0), "");
    EXPECT_EQ(globals.currentTrackIndex, 0) << "nothing advances without a player";
    click("下载DJ按钮");
    EXPECT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(messages.texts().size(), 1);
}

}  // namespace
}  // namespace velmora

#include "dj_window_player_test.moc"
