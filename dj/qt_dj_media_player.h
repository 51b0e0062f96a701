// DjMediaPlayer on Qt Multimedia (QMediaPlayer + QAudioOutput).
#pragma once

#include <memory>

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

    QMediaPlayer player_;
    QAudioOutput output_;
    bool refusedAddress_ = false;
};

// The default factory: a Qt Multimedia player on the GStreamer backend, or
// nothing when the backend is not available.
std::unique_ptr<DjMediaPlayer> createQtDjMediaPlayer();

}  // namespace velmora
