// What a double-click on a row of the two film sites does: open (or
// reuse) the player window, build the player page and show it.
#pragma once

#include <QUrl>

#include "playerpage/film_site.h"
#include "text/text.h"

namespace velmora {

// Called once at start by the desktop program: the player page goes to
// the program's directory, and a failed build is told in a message box.
void installPlayerPageUiHooks();

// Opens or reuses the player window, builds the page of `link` (GBK) on
// this thread while windows keep painting, then loads the built page or,
// after a failed build, the link itself. A request that arrives while a
// build is running is queued; only the last one queued is built. If the
// window is closed during a build, the result is dropped.
void openFilmRow(FilmSite site, const Text& link);

// The web address a failed build falls back to: the link as an http or
// https URL (a link without a scheme is taken as http); an empty URL for
// an empty link or any other scheme, which is not loaded.
QUrl fallbackUrlForLink(const Text& link);

}  // namespace velmora
