// The player page: a film site's play page cut down to its player, with
// the site's advertising removed and a head of the program's own, written
// to temp.htm in the program's directory for the player window to show.
#pragma once

#include <functional>
#include <string>

#include "playerpage/film_site.h"
#include "text/text.h"

namespace velmora {

// The message shown when a page cannot be built (GBK).
Text playerPageFailureMessage();

// Where temp.htm lives: the program's directory in the file system's own
// encoding, without a trailing separator. Until set, the directory of the
// running executable.
void setProgramDirectory(const std::string& directory);
std::string programDirectory();
// programDirectory() + "/temp.htm".
std::string playerPagePath();

// Shows a failure message (GBK) to the user and returns when it has been
// seen. The desktop program shows a message box; until one is set the
// message goes to stderr.
using FailureMessagePresenter = std::function<void(const Text& gbkMessage)>;
// Returns the previous presenter so that a scope can restore it.
FailureMessagePresenter setFailureMessagePresenter(FailureMessagePresenter presenter);

// The cut and fixed stretch of `page`; `startFound` tells whether the
// start marker was there (without it the page cannot be built).
Text cutPlayerStretch(const Text& page, const FilmSiteTable& table, bool* startFound);

struct PlayerPageBuild {
    bool built = false;
    // On success the path of the written file (file-system encoding);
    // on failure the link, unchanged.
    std::string address;
};

// Fetches the play page at `link` and writes the player page. On failure
// the presenter has shown the message before this returns.
PlayerPageBuild buildPlayerPageFile(FilmSite site, const Text& link);

// The same as one text: the file's path after a build, else the link.
Text buildPlayerPage(FilmSite site, const Text& link);

// Deletes the player page (at program exit). A missing file is no error;
// a link planted at its place is removed itself, never its target.
void removePlayerPage();

}  // namespace velmora
