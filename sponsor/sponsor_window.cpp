#include "sponsor_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "settings/host_settings.h"
#include "text/codepage.h"
#include "text/text.h"

namespace velmora {

namespace {

// Pop-ups of the sponsor page load into the visible browser; the visible
// browser itself may open none.
class PopupRoutingPage : public QWebEnginePage {
public:
    PopupRoutingPage(QWebEngineView* popupTarget, QObject* parent)
        : QWebEnginePage(parent), popupTarget_(popupTarget) {}

protected:
    QWebEnginePage* createWindow(WebWindowType) override {
        return popupTarget_ ? popupTarget_->page() : nullptr;
    }

private:
    QWebEngineView* popupTarget_;
};

void pinSettings(QWebEngineSettings* s, bool canOpenWindows) {
    using S = QWebEngineSettings;
    s->setAttribute(S::JavascriptEnabled, true);
    s->setAttribute(S::AutoLoadImages, true);
    s->setAttribute(S::JavascriptCanOpenWindows, canOpenWindows);
    s->setAttribute(S::LocalContentCanAccessFileUrls, false);
    s->setAttribute(S::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(S::JavascriptCanAccessClipboard, false);
    s->setAttribute(S::JavascriptCanPaste, false);
    s->setAttribute(S::AllowRunningInsecureContent, false);
    s->setAttribute(S::PluginsEnabled, false);
    s->setAttribute(S::PdfViewerEnabled, false);
    s->setAttribute(S::FullScreenSupportEnabled, false);
    s->setAttribute(S::ScreenCaptureEnabled, false);
    s->setAttribute(S::PlaybackRequiresUserGesture, true);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QString& colour,
                  QRect place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setAutoFillBackground(true);
    label->setStyleSheet(QStringLiteral("QLabel { color: %1; background-color: black; }").arg(colour));
    label->setGeometry(place);
    return label;
}

}  // namespace

QUrl sponsorPageUrl() {
    std::u16string address = gbkToUtf16(baseAddress(hostSettings().sponsor) + "/tan.htm");
    QUrl url(QString::fromStdU16String(address), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return {};
    return url;
}

SponsorWindow::SponsorWindow(std::chrono::milliseconds tick)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("支持Orlaine服务器运营"));
    setFixedSize(kSize);

    header_ = makeLabel(this, "标签1", QStringLiteral("  支持服务器运营 自动关闭"), QStringLiteral("red"),
                        QRect(0, -1, 328, 48));
    // The frame clips the visible browser to the area below the header.
    frame_ = new QFrame(this);
    frame_->setObjectName(QStringLiteral("外形框1"));
    frame_->setFrameShape(QFrame::NoFrame);
    frame_->setGeometry(0, 44, 328, 352);

    browser1_ = new QWebEngineView(frame_);
    browser1_->setObjectName(QStringLiteral("互联网浏览器1"));
    browser1_->setPage(new PopupRoutingPage(nullptr, browser1_));
    pinSettings(browser1_->page()->settings(), false);
    // Only the part of its page from (500, 100) on lies inside the window.
    browser1_->setGeometry(-500, -100, 1000, 604);

    browser2_ = new QWebEngineView(this);
    browser2_->setObjectName(QStringLiteral("互联网浏览器2"));
    browser2_->setPage(new PopupRoutingPage(browser1_, browser2_));
    pinSettings(browser2_->page()->settings(), true);
    // Never seen: it lies left of the window.
    browser2_->page()->setAudioMuted(true);
    browser2_->setGeometry(-267, 88, 43, 24);

    // Drawn over the right end of the header.
    countdownLabel_ =
        makeLabel(this, "标签2", QStringLiteral("8"), QStringLiteral("lime"), QRect(238, 11, 24, 24));
    countdownLabel_->raise();

    timer_ = new QTimer(frame_);
    timer_->setObjectName(QStringLiteral("时钟1"));
    timer_->setInterval(tick);
    connect(timer_, &QTimer::timeout, this, &SponsorWindow::onTick);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect full = screen->geometry();
        move(full.topLeft() + sponsorWindowTopLeft(full.size()));
    }
    if (QUrl url = sponsorPageUrl(); !url.isEmpty()) browser2_->load(url);
    countdown_ = readLeadingNumber(countdownLabel_->text().toStdString());
    QCoreApplication::instance()->installEventFilter(this);
    timer_->start();
}

SponsorWindow::~SponsorWindow() = default;

void SponsorWindow::onTick() {
    if (countdown_ != 0) {
        --countdown_;
        countdownLabel_->setText(QString::number(countdown_));
        return;
    }
    timer_->stop();
    closeAllowed_ = true;
    close();
}

void SponsorWindow::closeEvent(QCloseEvent* event) {
    if (closeAllowed_ || QCoreApplication::closingDown()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool SponsorWindow::eventFilter(QObject* watched, QEvent* event) {
    // Quitting closes every window first and gives up if one refuses, so the
    // window must not hold the program open when it ends.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) closeAllowed_ = true;
    return QWidget::eventFilter(watched, event);
}

SponsorWindow* openSponsorWindow(std::chrono::milliseconds tick) {
    auto* window = new SponsorWindow(tick);
    window->show();
    return window;
}

}  // namespace velmora
