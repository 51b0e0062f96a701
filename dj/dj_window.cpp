#include "dj/dj_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include "dj/dj_catalogue.h"
#include "ui/gbk_qstring.h"
#include "ui/info_message.h"
#include "dj/qt_dj_media_player.h"
#include "web/fetch.h"

namespace velmora {

namespace {

constexpr int kWindowWidth = 777;
constexpr int kWindowHeight = 587;
constexpr int kStatusBarHeight = 20;
constexpr int kItemValueRole = Qt::UserRole;

template <typename W>
W* place(W* widget, const char* name, int x, int y, int width, int height) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(x, y, width, height);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h) {
    return place(new QLabel(text, parent), name, x, y, w, h);
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int x, int y, int w, int h) {
    return place(new QPushButton(QString::fromUtf8(caption), parent), name, x, y, w, h);
}

}  // namespace

DjWindow::DjWindow(DjGlobals& globals, DjWindowOptions options)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      globals_(globals),
      options_(std::move(options)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("DJVelmora"));
    setFixedSize(kWindowWidth, kWindowHeight);
    buildLayout();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    createPlayer();
}

DjWindow::~DjWindow() {
    stopPlayerAndTimer();
}

void DjWindow::buildLayout() {
    positionSlider_ = place(new QSlider(Qt::Horizontal, this), "滑块条1", 4, 14, 756, 16);
    positionSlider_->setRange(1, 100);
    positionSlider_->setValue(1);
    timeLabel_ = label(this, "歌曲时间", QStringLiteral("00:00/00:00"), 10, 33, 217, 16);
    trackLabel_ =
        label(this, "标签3", QStringLiteral("DJVelmora，支持一键下载，列表自动播放"), 12, 47, 280, 24);
    stopButton_ = button(this, "停止按钮", "停止", 333, 48, 48, 24);
    previousTrackButton_ = button(this, "上一首", "上一首", 398, 48, 48, 24);
    playButton_ = button(this, "播放", "播放", 462, 48, 48, 24);
    nextTrackButton_ = button(this, "下一首", "下一首", 526, 48, 48, 24);
    downloadButton_ = button(this, "下载DJ按钮", "下载歌曲", 591, 48, 72, 24);
    volumeSlider_ = place(new QSlider(Qt::Horizontal, this), "滑块条2", 678, 55, 80, 17);
    volumeSlider_->setRange(0, 100);
    volumeSlider_->setValue(80);

    categoryTree_ = place(new QTreeWidget(this), "树型框1", 8, 88, 168, 416);
    categoryTree_->setHeaderHidden(true);
    categoryTree_->setColumnCount(1);
    auto* root = new QTreeWidgetItem(categoryTree_, {QStringLiteral("DJ分类")});
    root->setData(0, kItemValueRole, 0);
    for (const DjCategory& category : djCategories()) {
        auto* item = new QTreeWidgetItem(root, {gbkToQString(category.name)});
        item->setData(0, kItemValueRole, category.totalPages);
    }
    root->setExpanded(true);

    trackList_ = place(new QTreeWidget(this), "超级列表框1", 184, 88, 576, 416);
    trackList_->setRootIsDecorated(false);
    trackList_->setUniformRowHeights(true);
    trackList_->setSelectionMode(QAbstractItemView::SingleSelection);
    trackList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    trackList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trackList_->setHeaderLabels({QStringLiteral("DJ名称"), QStringLiteral("DJ作者"),
                                 QStringLiteral("收录日期"), QStringLiteral("播放地址")});
    trackList_->header()->setStretchLastSection(false);
    trackList_->setColumnWidth(0, 330);
    trackList_->setColumnWidth(1, 80);
    trackList_->setColumnWidth(2, 140);
    // The link column is data for the player, not for the eye.
    trackList_->setColumnHidden(3, true);
    trackList_->viewport()->installEventFilter(this);

    categoryLabel_ = label(this, "DJ分类", QString(), 20, 510, 137, 24);
    label(this, "标签1", QStringLiteral("第      页"), 203, 510, 64, 24);
    label(this, "标签2", QStringLiteral("共      页"), 275, 510, 64, 24);
    // Created after the static labels so that they lie over their blanks.
    pageLabel_ = label(this, "第几页", QStringLiteral("0"), 217, 510, 32, 24);
    totalPagesLabel_ = label(this, "共几页", QStringLiteral("0"), 291, 510, 31, 24);
    pageLabel_->setAlignment(Qt::AlignCenter);
    totalPagesLabel_->setAlignment(Qt::AlignCenter);
    QPushButton* firstPage = button(this, "按钮4", "首页", 433, 509, 72, 24);
    QPushButton* previousPage = button(this, "按钮3", "上一页", 519, 509, 72, 24);
    QPushButton* nextPage = button(this, "按钮2", "下一页", 602, 509, 72, 24);
    QPushButton* lastPage = button(this, "按钮1", "尾页", 685, 509, 72, 24);

    statusBar_ = place(new QStatusBar(this), "状态条1", 0, kWindowHeight - kStatusBarHeight, kWindowWidth,
                       kStatusBarHeight);
    statusBar_->setSizeGripEnabled(false);
    statusParts_[0] = new QLabel(statusBar_);
    statusParts_[0]->setFixedWidth(600);
    statusParts_[1] = new QLabel(QStringLiteral("Velmora 1.6 DJ在线播放、下载"), statusBar_);
    statusBar_->addWidget(statusParts_[0]);
    statusBar_->addWidget(statusParts_[1], 1);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("时钟1"));

    connect(categoryTree_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { categoryDoubleClicked(item); });
    connect(firstPage, &QPushButton::clicked, this, &DjWindow::firstPageClicked);
    connect(previousPage, &QPushButton::clicked, this, &DjWindow::previousPageClicked);
    connect(nextPage, &QPushButton::clicked, this, &DjWindow::nextPageClicked);
    connect(lastPage, &QPushButton::clicked, this, &DjWindow::lastPageClicked);
    connect(previousTrackButton_, &QPushButton::clicked, this, &DjWindow::previousTrackClicked);
    connect(nextTrackButton_, &QPushButton::clicked, this, &DjWindow::nextTrackClicked);
    connect(playButton_, &QPushButton::clicked, this, &DjWindow::playPauseClicked);
    connect(stopButton_, &QPushButton::clicked, this, &DjWindow::stopClicked);
    connect(downloadButton_, &QPushButton::clicked, this, &DjWindow::downloadClicked);
    // actionTriggered comes from the user only (every step of a drag, keys,
    // clicks on the groove), never from setValue, so the timer's own
    // updates of the slider do not seek.
    connect(positionSlider_, &QSlider::actionTriggered, this, &DjWindow::positionSliderMoved);
    connect(volumeSlider_, &QSlider::actionTriggered, this, &DjWindow::volumeSliderMoved);
    connect(timer_, &QTimer::timeout, this, &DjWindow::timerTick);
}

void DjWindow::createPlayer() {
    globals_.djPlayer.reset();
    DjPlayerFactory factory = options_.playerFactory ? options_.playerFactory : &createQtDjMediaPlayer;
    globals_.djPlayer = factory();
    if (!globals_.djPlayer) {
        // Shown once the window is up; everything else works without a player.
        QTimer::singleShot(0, this, [this] {
            showMessage(
                QStringLiteral("加载Windows Media Player播放器失败，无法使用试听功能，但是您可以下载DJ歌曲"));
        });
    }
    if (globals_.djPlayer) globals_.djPlayer->setVolume(80);
}

QString DjWindow::statusPartText(int part) const {
    return part == 0 || part == 1 ? statusParts_[part]->text() : QString();
}

bool DjWindow::isTimerActive() const {
    return timer_->isActive();
}

void DjWindow::stopPlayerAndTimer() {
    if (globals_.djPlayer) globals_.djPlayer->stop();
    if (timer_) timer_->stop();
}

void DjWindow::closeEvent(QCloseEvent* event) {
    if (fetching_) {
        // A handler is waiting on a fetch inside this window; deleting it
        // now would pull the window from under it. Hide, and close for
        // real once the fetch is over.
        closeRequested_ = true;
        hide();
        event->ignore();
        return;
    }
    stopPlayerAndTimer();
    event->accept();
}

void DjWindow::finishPendingClose() {
    if (closeRequested_)
        QTimer::singleShot(0, this, [this] {
            if (closeRequested_ && !fetching_) {
                closeRequested_ = false;
                close();
            }
        });
}

void DjWindow::fetchWhileResponsive(const std::function<void()>& work) {
    fetching_ = true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    {
        ScopedFetchReadHook hook([] { QCoreApplication::processEvents(); });
        work();
    }
    QApplication::restoreOverrideCursor();
    fetching_ = false;
    finishPendingClose();
}

void DjWindow::showMessage(const QString& text) {
    messageOpen_ = true;
    showInfoMessage(text);
    messageOpen_ = false;
}

Text DjWindow::cellText(int row, int column) const {
    QTreeWidgetItem* item = row >= 0 ? trackList_->topLevelItem(row) : nullptr;
    return item ? qStringToGbk(item->text(column)) : Text();
}

int DjWindow::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = trackList_->selectedItems();
    return selected.isEmpty() ? -1 : trackList_->indexOfTopLevelItem(selected.first());
}

bool DjWindow::eventFilter(QObject* watched, QEvent* event) {
    // A double-click anywhere in the list counts, on a row or not: with no
    // row selected it plays "row -1", which the next-track step mends.
    if (watched == trackList_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        trackListDoubleClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace velmora
