// Choosing the search mode from the toolbar and the menu "在线电影挖掘".
#include "dj/open_dj_window.h"
#include "global_objects.h"
#include "ui/info_message.h"
#include "main_toolbar.h"
#include "main_window.h"
#include "scrapers/search_modes.h"

namespace velmora {

namespace {

struct ModeChoice {
    std::int32_t code;
    const char16_t* name;
    int buttonIndex;
    const char16_t* message;
};

// The menu modes, in menu order; the toolbar's button 0 names the last one chosen.
constexpr ModeChoice kMenuModes[] = {
    {OnlinePlay, u"在线播放", 0, u"成功切换，本模式挖掘出全网视频在线播放地址"},
    {QvodResources, u"快播资源", 0, u"成功切换，本模式挖掘出全网快播资源地址"},
    {BaiduYingyin, u"百度影音", 0, u"成功切换，本模式挖掘出全网百度影音播放地址"},
};
constexpr ModeChoice kVideoDownload{VideoDownload, u"视频下载", 2, u"成功切换，本模式挖掘出视频下载地址"};
constexpr ModeChoice kMobileFilms{MobileFilms, u"手机电影", 4, u"成功切换，本模式挖掘出手机电影下载地址"};
constexpr ModeChoice kMtv{Mtv, u"MTV视频", 6, u"成功切换，本模式挖掘出MTV在线播放"};

}  // namespace

void MainWindow::switchSearchMode(std::int32_t code, const QString& name, int buttonIndex,
                                  const QString& message) {
    currentSearchMode = code;
    toolbar_->setItemText(buttonIndex, name);
    modeLabel_->setText(name);
    statusPart(1)->setText(name);
    showInfoMessage(message);
}

void MainWindow::selectMenuMode(int menuIndex) {
    const ModeChoice& mode = kMenuModes[menuIndex];
    switchSearchMode(mode.code, QString::fromUtf16(mode.name), mode.buttonIndex,
                     QString::fromUtf16(mode.message));
}

void MainWindow::onToolbarClicked(int index) {
    if (index < 0 || index >= MainToolbar::kItemCount) return;
    auto choose = [this](const ModeChoice& mode) {
        switchSearchMode(mode.code, QString::fromUtf16(mode.name), mode.buttonIndex,
                         QString::fromUtf16(mode.message));
    };
    // The text decides first (button 0 carries the name of a menu mode),
    // then the index.
    const QString text = toolbar_->itemText(index);
    for (int i = 0; i < 3; ++i) {
        if (text == QString::fromUtf16(kMenuModes[i].name)) return selectMenuMode(i);
    }
    if (text == QString::fromUtf16(kVideoDownload.name)) return choose(kVideoDownload);
    if (index == 4) return choose(kMobileFilms);
    if (index == 6) return choose(kMtv);
    // An open DJ window is brought to the front rather than doubled.
    if (index == 8) {
        openDjWindow();
        return;
    }
    // Separators do nothing.
}

void MainWindow::onToolbarDropDown(int index, const QPoint& screenPoint) {
    if (index == 0) onlineModeMenu_->popup(screenPoint);
}

}  // namespace velmora
