// DjWindow: the DJ music browser. The catalogue side (category tree, list
// pages, paging) and the player side (track lookup, playback, automatic
// advance, download) work on one track list.
#pragma once

#include <chrono>
#include <functional>

#include <QWidget>

#include "dj/dj_globals.h"
#include "dj/dj_media_player.h"
#include "text/text.h"

class QLabel;
class QPushButton;
class QSlider;
class QStatusBar;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

struct DjWindowOptions {
    // Creates the player when the window is created; empty means the Qt
    // Multimedia player.
    DjPlayerFactory playerFactory;
    // Period of the player timer.
    std::chrono::milliseconds tickInterval{1000};
};

class DjWindow : public QWidget {
    Q_OBJECT

public:
    explicit DjWindow(DjGlobals& globals, DjWindowOptions options = {});
    ~DjWindow() override;

    // Loads list page `page` of the current category into the track list.
    void loadDjPage(int page);
    // Looks up and starts the track of row `index` (-1 means row 0).
    void playTrackAt(int index);
    // Hands `address` to the player and starts the timer.
    void startPlayback(const Text& address);

    // Text of part 0 (player status) or part 1 (credit) of the status bar.
    QString statusPartText(int part) const;
    // True while a page is being fetched or a message box is open: list
    // loads, lookups and timer ticks that arrive meanwhile are dropped.
    bool isBusy() const { return fetching_ || messageOpen_; }
    bool isTimerActive() const;

    // Undoes a close that was asked for during a fetch.
    void cancelPendingClose() { closeRequested_ = false; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void createPlayer();

    // Catalogue handlers.
    void categoryDoubleClicked(QTreeWidgetItem* item);
    void firstPageClicked();
    void previousPageClicked();
    void nextPageClicked();
    void lastPageClicked();

    // Player handlers.
    void trackListDoubleClicked();
    void previousTrackClicked();
    void nextTrackClicked();
    void playPauseClicked();
    void stopClicked();
    void downloadClicked();
    void positionSliderMoved();
    void volumeSliderMoved();
    void timerTick();

    // fetchPage on the UI thread: window events keep running between reads.
    void fetchWhileResponsive(const std::function<void()>& work);
    void showMessage(const QString& text);
    void finishPendingClose();

    bool categoryChosen() const { return !globals_.currentCategoryPrefix.empty(); }
    Text cellText(int row, int column) const;
    int selectedRow() const;
    void stopPlayerAndTimer();

    DjGlobals& globals_;
    DjWindowOptions options_;
    bool fetching_ = false;
    bool messageOpen_ = false;
    bool closeRequested_ = false;

    QSlider* positionSlider_ = nullptr;  // 滑块条1
    QLabel* timeLabel_ = nullptr;        // 歌曲时间
    QLabel* trackLabel_ = nullptr;       // 标签3
    QPushButton* stopButton_ = nullptr;  // 停止按钮
    QPushButton* previousTrackButton_ = nullptr;
    QPushButton* playButton_ = nullptr;
    QPushButton* nextTrackButton_ = nullptr;
    QPushButton* downloadButton_ = nullptr;
    QSlider* volumeSlider_ = nullptr;      // 滑块条2
    QTreeWidget* categoryTree_ = nullptr;  // 树型框1
    QTreeWidget* trackList_ = nullptr;     // 超级列表框1
    QLabel* categoryLabel_ = nullptr;      // DJ分类
    QLabel* pageLabel_ = nullptr;          // 第几页
    QLabel* totalPagesLabel_ = nullptr;    // 共几页
    QStatusBar* statusBar_ = nullptr;      // 状态条1
    QLabel* statusParts_[2] = {nullptr, nullptr};
    QTimer* timer_ = nullptr;  // 时钟1
};

}  // namespace velmora
