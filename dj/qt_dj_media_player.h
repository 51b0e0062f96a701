// DjMediaPlayer on Qt Multimedia (QMediaPlayer + QAudioOutput).
#pragma once

#include <memory>
#include <optional>

#include <QAudioOutput>
#include <QMediaPlayer>

#include "dj/dj_media_player.h"

namespace velmora {

class QtDjMediaPlayer final : public DjMediaPlayer {
public:
    QtDjMediaPlayer();

    bool isAvailable() const { return player_.isAvailable(); }

    void setUrl(const QString& address) override;
    void play() override;
    void pause() override;
    void stop() override;
    QString currentPosition() const override;
    void setCurrentPosition(int seconds) override;
    QString currentPositionString() const override;
    QString durationString() const override;
    QString getItemInfo(const QString& name) const override;
    void setVolume(int volume) override;
    int volume() const override;
    QString status() const override;

private:
    bool hasMedia() const { return !player_.source().isEmpty(); }
    qint64 position() const;

    QMediaPlayer player_;
    QAudioOutput output_;
    bool refusedAddress_ = false;
    // Qt's GStreamer player drops a seek made while paused; it is kept here
    // and made again when playback resumes.
    std::optional<qint64> seekWhilePaused_;
};

// The default factory: a Qt Multimedia player on the GStreamer backend, or
// nothing when the backend is not available.
std::unique_ptr<DjMediaPlayer> createQtDjMediaPlayer();

}  // namespace velmora
