// The player side of the DJ window: track lookup, playback, the timer that
// mirrors the player and advances the list, and download.
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include "dj/dj_track.h"
#include "dj/dj_window.h"
#include "ui/browser.h"
#include "ui/gbk_qstring.h"

namespace velmora {

namespace {
const QString kPlayCaption = QStringLiteral("播放");
const QString kPauseCaption = QStringLiteral("暂停");
const QString kLookupFailed = QStringLiteral("对不起，网络问题获取地址失败!");
}  // namespace

void DjWindow::startPlayback(const Text& address) {
    if (DjMediaPlayer* player = globals_.djPlayer.get()) {
        player->stop();
        player->setUrl(gbkToQString(address));
    }
    timer_->start(options_.tickInterval);
}

void DjWindow::playTrackAt(int index) {
    if (index == -1) index = globals_.currentTrackIndex = 0;
    const Text cell = cellText(index, 3);
    fetchWhileResponsive([&] { globals_.currentTrackAddress = lookupTrackAddress(cell, globals_.djRegex); });
    if (closeRequested_) return;
    trackList_->setFocus();
    if (QTreeWidgetItem* item = index >= 0 ? trackList_->topLevelItem(index) : nullptr)
        trackList_->setCurrentItem(item);
    if (!globals_.currentTrackAddress.empty()) {
        trackLabel_->setText(gbkToQString(cellText(index, 0)));
        startPlayback(globals_.currentTrackAddress);
        playButton_->setText(kPauseCaption);
    } else {
        // Off before the message, so no tick can advance behind the box.
        timer_->stop();
        showMessage(kLookupFailed);
    }
}

void DjWindow::trackListDoubleClicked() {
    if (isBusy()) return;
    const int row = selectedRow();
    globals_.currentTrackIndex = row;
    const Text cell = cellText(row, 3);
    fetchWhileResponsive([&] { globals_.currentTrackAddress = lookupTrackAddress(cell, globals_.djRegex); });
    if (closeRequested_) return;
    if (!globals_.currentTrackAddress.empty()) {
        trackLabel_->setText(gbkToQString(cellText(row, 0)));
        startPlayback(globals_.currentTrackAddress);
        playButton_->setText(kPauseCaption);
    } else {
        showMessage(kLookupFailed);
    }
}

void DjWindow::previousTrackClicked() {
    if (isBusy()) return;
    playTrackAt(--globals_.currentTrackIndex);
}

void DjWindow::nextTrackClicked() {
    if (isBusy()) return;
    playTrackAt(++globals_.currentTrackIndex);
}

void DjWindow::playPauseClicked() {
    DjMediaPlayer* player = globals_.djPlayer.get();
    if (playButton_->text() == kPlayCaption) {
        playButton_->setText(kPauseCaption);
        if (player) player->play();
    } else {
        playButton_->setText(kPlayCaption);
        if (player) player->pause();
    }
}

void DjWindow::stopClicked() {
    if (globals_.djPlayer) globals_.djPlayer->stop();
    positionSlider_->setValue(0);
    timer_->stop();
}

void DjWindow::downloadClicked() {
    const Text& address = globals_.currentTrackAddress;
    if (address.empty()) {
        showMessage(QStringLiteral("请先播放后，在点击下载"));
        return;
    }
    // Only web addresses go to the browser; a page must not make us open
    // local files or hand anything to other handlers.
    openInBrowser(gbkToQString(address));
}

void DjWindow::positionSliderMoved() {
    if (globals_.djPlayer) globals_.djPlayer->setCurrentPosition(positionSlider_->sliderPosition());
}

void DjWindow::volumeSliderMoved() {
    if (globals_.djPlayer) globals_.djPlayer->setVolume(volumeSlider_->sliderPosition());
}

void DjWindow::timerTick() {
    // A tick that arrives during a fetch or under a message box would start
    // a second lookup inside the first; the next tick looks again.
    if (isBusy()) return;
    DjMediaPlayer* player = globals_.djPlayer.get();
    statusParts_[0]->setText(player ? player->status() : QString());
    timeLabel_->setText(player ? player->currentPositionString() + QLatin1Char('/') + player->durationString()
                               : QStringLiteral("/"));
    positionSlider_->setMaximum(
        readLeadingNumber(player ? qStringToGbk(player->getItemInfo(QStringLiteral("Duration"))) : Text()));
    positionSlider_->setValue(readLeadingNumber(player ? qStringToGbk(player->currentPosition()) : Text()));
    if (statusParts_[0]->text() == kStoppedStatus) {
        timer_->stop();
        playTrackAt(++globals_.currentTrackIndex);
    }
}

}  // namespace velmora
