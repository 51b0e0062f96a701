#include "dj/dj_track.h"

#include "dj/dj_catalogue.h"
#include "web/fetch.h"

namespace velmora {

const std::string_view kDjTrackPattern =
    "<SCRIPT LANGUAGE=JavaScript>var s_bstr=\"(.*?)\"(.*?)var righturl=\"(.*?)\";</SCRIPT>";

Text parseDjTrackAddress(const Text& page, DjRegex& regex) {
    if (!regex.assign(kDjTrackPattern)) return {};
    std::vector<DjMatch> matches = regex.findAll(page);
    if (matches.empty()) return {};
    return matches.front()[1] + matches.front()[3];
}

Text lookupTrackAddress(const Text& cell, DjRegex& regex) {
    return parseDjTrackAddress(fetchPage(djBaseAddress() + cell), regex);
}

}  // namespace velmora
