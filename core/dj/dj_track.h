// Track lookup: the media address of a track is written into a script on
// the track's page, in two pieces that are joined.
#pragma once

#include <string_view>

#include "dj/dj_regex.h"
#include "text/text.h"

namespace velmora {

extern const std::string_view kDjTrackPattern;

// The s_bstr text and the righturl text of the first track script of
// `page`, joined; the empty text when there is none.
Text parseDjTrackAddress(const Text& page, DjRegex& regex);

// Fetches the track page (the music site's base address followed directly
// by `cell`, the list's "播放地址" cell) and reads its media address; the
// empty text when anything fails.
Text lookupTrackAddress(const Text& cell, DjRegex& regex);

}  // namespace velmora
