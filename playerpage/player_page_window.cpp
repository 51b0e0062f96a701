#include "player_page_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "web_view_settings.h"

namespace velmora {

namespace {

QPointer<PlayerPageWindow>& openWindow() {
    static QPointer<PlayerPageWindow> window;
    return window;
}

const QString kCredit = QStringLiteral("Velmora 广告过滤播放");

}  // namespace

QPoint centredTopLeft(QSize screen, QSize outer) {
    return {(screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2};
}

PlayerPageWindow* PlayerPageWindow::current() {
    return openWindow().data();
}

PlayerPageWindow* PlayerPageWindow::openOrReuse() {
    if (PlayerPageWindow* window = openWindow().data()) return window;
    auto* window = new PlayerPageWindow;
    openWindow() = window;
    window->show();
    // The design size is the outer size; the frame is known only once shown.
    QSize frameExtra = window->frameGeometry().size() - window->geometry().size();
    window->resize(kOuterSize - frameExtra);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        window->move(area.topLeft() + centredTopLeft(area.size(), kOuterSize));
    }
    return window;
}

PlayerPageWindow::PlayerPageWindow() : QWidget(nullptr, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Velmora-广告过滤窗口"));
    resize(kOuterSize);

    view_ = new QWebEngineView(this);
    view_->setObjectName(QStringLiteral("超文本浏览框1"));
    // The built page runs the site's player scripts and loads its remote
    // style sheets and scripts, but may not read other local files.
    pinWebViewSettings(view_->page()->settings(), {.localContentCanAccessRemoteUrls = true,
                                                   .javascriptCanOpenWindows = false,
                                                   .playbackRequiresUserGesture = false});
    view_->setGeometry(0, 0, 752, 528);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("状态条1"));
    statusBar_->setSizeGripEnabled(false);
    statusPart0_ = new QLabel(statusBar_);
    statusPart0_->setObjectName(QStringLiteral("part0"));
    statusPart0_->setFixedWidth(kStatusPart0Width);
    statusPart1_ = new QLabel(kCredit, statusBar_);
    statusPart1_->setObjectName(QStringLiteral("part1"));
    statusBar_->addWidget(statusPart0_);
    statusBar_->addWidget(statusPart1_, 1);

    connect(view_->page(), &QWebEnginePage::linkHovered, this,
            [this](const QString& url) { showViewStatus(url.isEmpty() ? loadStatus_ : url); });
    connect(view_, &QWebEngineView::loadStarted, this, [this] {
        loadStatus_ = QStringLiteral("正在打开网页 ") + view_->url().toDisplayString();
        showViewStatus(loadStatus_);
    });
    connect(view_, &QWebEngineView::loadProgress, this, [this](int percent) {
        if (percent >= 100) return;
        loadStatus_ = QStringLiteral("正在下载网页 %1%").arg(percent);
        showViewStatus(loadStatus_);
    });
    connect(view_, &QWebEngineView::loadFinished, this, [this](bool ok) {
        loadStatus_ = ok ? QStringLiteral("完成") : QStringLiteral("无法显示网页");
        showViewStatus(loadStatus_);
    });
}

PlayerPageWindow::~PlayerPageWindow() = default;

QString PlayerPageWindow::statusText(int part) const {
    return part == 0 ? statusPart0_->text() : statusPart1_->text();
}

void PlayerPageWindow::showViewStatus(const QString& text) {
    statusPart0_->setText(text);
}

void PlayerPageWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    QSize client = event->size();
    // The view fills the client area less 2 pixels; the status bar lies
    // over its bottom edge, as a status bar does.
    view_->setGeometry(0, 0, std::max(0, client.width() - 2), std::max(0, client.height() - 2));
    int barHeight = statusBar_->sizeHint().height();
    statusBar_->setGeometry(0, client.height() - barHeight, client.width(), barHeight);
    statusBar_->raise();
}

}  // namespace velmora
