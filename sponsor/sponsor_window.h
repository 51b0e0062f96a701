// SponsorWindow: the small frameless window that shows the sponsor page
// at start, counts down from 8 and closes itself; the user cannot close it.
#pragma once

#include <QPoint>
#include <QSize>
#include <QUrl>
#include <QWidget>
#include <chrono>

class QFrame;
class QLabel;
class QTimer;
class QWebEngineView;

namespace velmora {

class SponsorWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{258, 281};

    // `tick` is the countdown's period; tests pass a short one.
    explicit SponsorWindow(std::chrono::milliseconds tick = std::chrono::milliseconds(1000));
    ~SponsorWindow() override;

    int countdown() const { return countdown_; }
    QWebEngineView* visibleBrowser() const { return browser1_; }
    QWebEngineView* sponsorBrowser() const { return browser2_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onTick();

    QLabel* header_ = nullptr;
    QLabel* countdownLabel_ = nullptr;
    QFrame* frame_ = nullptr;
    QWebEngineView* browser1_ = nullptr;
    QWebEngineView* browser2_ = nullptr;
    QTimer* timer_ = nullptr;
    int countdown_ = 0;
    // The countdown's end, or the program quitting, may close it; the user may not.
    bool closeAllowed_ = false;
};

// The window's top-left corner on a screen of `screen` size: 2 pixels from
// the right edge and 31 above the bottom, clear of an ordinary taskbar.
constexpr QPoint sponsorWindowTopLeft(QSize screen, QSize window = SponsorWindow::kSize) {
    return {screen.width() - window.width() - 2, screen.height() - window.height() - 31};
}

// The sponsor page: "http://" + the sponsor host + "/tan.htm"; empty when
// the host setting does not make a valid address.
QUrl sponsorPageUrl();

// Creates the window, places it on the primary screen, shows it and
// starts loading; returns at once. It deletes itself when done.
SponsorWindow* openSponsorWindow(std::chrono::milliseconds tick = std::chrono::milliseconds(1000));

}  // namespace velmora
