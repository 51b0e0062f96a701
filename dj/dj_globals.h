// The DJ browser's program-wide state: created once at program start and
// kept across openings of the DJ window.
#pragma once

#include <memory>

#include "dj/dj_media_player.h"
#include "dj/dj_regex.h"
#include "text/text.h"

namespace velmora {

struct DjGlobals {
    DjRegex djRegex;
    // Filled by each creation of the DJ window, kept when it closes.
    std::unique_ptr<DjMediaPlayer> djPlayer;
    int currentTrackIndex = 0;
    Text currentTrackAddress;
    // Base address + path prefix of the category chosen last; empty until
    // one is chosen.
    Text currentCategoryPrefix;
};

// Program start: creates the state (a second call keeps what exists).
void createDjGlobals();
// Program end, while the QApplication still exists: closes an open DJ
// window and releases the state, the player included.
void releaseDjGlobals();
// The state in force (created on first use if the start forgot it).
DjGlobals& djGlobals();

}  // namespace velmora
