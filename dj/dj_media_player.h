// The player behind the DJ window: the members the window drives, named
// after the media-player automation object it was first written against.
#pragma once

#include <functional>
#include <memory>

#include <QString>

namespace velmora {

class DjMediaPlayer {
public:
    virtual ~DjMediaPlayer() = default;

    // URL: loading an address starts playing it; nothing else is needed.
    virtual void setUrl(const QString& address) = 0;

    // controls.play / pause / stop.
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;

    // controls.currentPosition: seconds as a decimal text; writing seeks.
    virtual QString currentPosition() const = 0;
    virtual void setCurrentPosition(int seconds) = 0;
    // controls.currentPositionString: "mm:ss".
    virtual QString currentPositionString() const = 0;

    // currentMedia.durationString: "mm:ss"; currentMedia.getItemInfo:
    // "Duration" gives the length in seconds as a decimal text.
    virtual QString durationString() const = 0;
    virtual QString getItemInfo(const QString& name) const = 0;

    // settings.volume, 0 to 100.
    virtual void setVolume(int volume) = 0;
    virtual int volume() const = 0;

    // The state in words; exactly kStoppedStatus once playback has stopped,
    // also at the end of a track.
    virtual QString status() const = 0;
};

inline const QString kStoppedStatus = QStringLiteral("已停止");

// Creates a player, or nothing when none can be had here.
using DjPlayerFactory = std::function<std::unique_ptr<DjMediaPlayer>()>;

}  // namespace velmora
