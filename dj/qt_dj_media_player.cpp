#include "dj/qt_dj_media_player.h"

#include <QUrl>
#include <QtGlobal>

#include <algorithm>
#include <cmath>

#include "ui/browser.h"

namespace velmora {

namespace {

// "mm:ss", or "h:mm:ss" from one hour on, as the time label shows it.
QString clockText(qint64 milliseconds) {
    qint64 seconds = std::max<qint64>(0, milliseconds / 1000);
    qint64 hours = seconds / 3600;
    qint64 minutes = (seconds / 60) % 60;
    qint64 rest = seconds % 60;
    QString mmss =
        QStringLiteral("%1:%2").arg(minutes, 2, 10, QLatin1Char('0')).arg(rest, 2, 10, QLatin1Char('0'));
    return hours > 0 ? QStringLiteral("%1:%2").arg(hours).arg(mmss) : mmss;
}

QString secondsText(qint64 milliseconds) {
    return QString::number(milliseconds / 1000.0, 'f', 3);
}

}  // namespace

QtDjMediaPlayer::QtDjMediaPlayer() {
    player_.setAudioOutput(&output_);
}

void QtDjMediaPlayer::setUrl(const QString& address) {
    QUrl url(address);
    // A track page names the media; only web addresses are played, so a
    // page cannot make the player read local files.
    refusedAddress_ = !isWebUrl(url);
    seekWhilePaused_.reset();
    player_.setSource(refusedAddress_ ? QUrl() : url);
    if (!refusedAddress_) player_.play();
}

void QtDjMediaPlayer::play() {
    player_.play();
    if (seekWhilePaused_) player_.setPosition(*seekWhilePaused_);
    seekWhilePaused_.reset();
}

void QtDjMediaPlayer::pause() {
    player_.pause();
}

void QtDjMediaPlayer::stop() {
    seekWhilePaused_.reset();
    player_.stop();
}

qint64 QtDjMediaPlayer::position() const {
    return seekWhilePaused_.value_or(player_.position());
}

QString QtDjMediaPlayer::currentPosition() const {
    return hasMedia() ? secondsText(position()) : QString();
}

void QtDjMediaPlayer::setCurrentPosition(int seconds) {
    if (!hasMedia()) return;
    const qint64 target = qint64(std::max(0, seconds)) * 1000;
    if (player_.playbackState() == QMediaPlayer::PausedState) seekWhilePaused_ = target;
    player_.setPosition(target);
}

QString QtDjMediaPlayer::currentPositionString() const {
    return hasMedia() ? clockText(position()) : QString();
}

QString QtDjMediaPlayer::durationString() const {
    return hasMedia() ? clockText(player_.duration()) : QString();
}

QString QtDjMediaPlayer::getItemInfo(const QString& name) const {
    if (!hasMedia() || name.compare(QLatin1String("Duration"), Qt::CaseInsensitive) != 0) return {};
    return secondsText(player_.duration());
}

void QtDjMediaPlayer::setVolume(int volume) {
    output_.setVolume(static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f);
}

int QtDjMediaPlayer::volume() const {
    return static_cast<int>(std::lround(output_.volume() * 100.0f));
}

QString QtDjMediaPlayer::status() const {
    const QMediaPlayer::MediaStatus media = player_.mediaStatus();
    if (refusedAddress_ || player_.error() != QMediaPlayer::NoError || media == QMediaPlayer::InvalidMedia)
        return QStringLiteral("播放出错");
    switch (player_.playbackState()) {
        case QMediaPlayer::PlayingState:
            if (media == QMediaPlayer::LoadingMedia || media == QMediaPlayer::StalledMedia)
                return QStringLiteral("正在连接");
            if (media == QMediaPlayer::BufferingMedia) return QStringLiteral("正在缓冲");
            return QStringLiteral("正在播放");
        case QMediaPlayer::PausedState:
            return QStringLiteral("已暂停");
        case QMediaPlayer::StoppedState:
            break;
    }
    return hasMedia() ? kStoppedStatus : QStringLiteral("就绪");
}

std::unique_ptr<DjMediaPlayer> createQtDjMediaPlayer() {
    // The FFmpeg backend of this Qt crashes without an audio device; keep
    // GStreamer unless the user chose otherwise.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
    auto player = std::make_unique<QtDjMediaPlayer>();
    if (!player->isAvailable()) return nullptr;
    return player;
}

}  // namespace velmora
