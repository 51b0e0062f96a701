#include "film_row_action.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QWebEngineView>
#include <optional>
#include <utility>

#include "ui/browser.h"
#include "ui/gbk_qstring.h"
#include "ui/info_message.h"
#include "player_page_window.h"
#include "playerpage/player_page_builder.h"
#include "web/fetch.h"

namespace velmora {

namespace {

struct FilmRowRequest {
    FilmSite site;
    Text link;
};

// Film rows double-clicked while a build is still fetching: the events
// that run during the fetch can start another request.
bool building = false;
std::optional<FilmRowRequest> queued;

void showBuildResult(PlayerPageWindow* window, const PlayerPageBuild& build) {
    QUrl url = build.built ? QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(build.address)))
                           : fallbackUrlForLink(build.address);
    if (url.isEmpty()) return;
    window->view()->load(url);
}

}  // namespace

void installPlayerPageUiHooks() {
    setProgramDirectory(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    setFailureMessagePresenter([](const Text& message) { showInfoMessage(gbkToQString(message)); });
}

QUrl fallbackUrlForLink(const Text& link) {
    QString text = gbkToQString(link).trimmed();
    if (text.isEmpty()) return {};
    QUrl url(text, QUrl::StrictMode);
    if (url.scheme().isEmpty()) url = QUrl(QStringLiteral("http://") + text, QUrl::StrictMode);
    return isWebUrl(url) ? url : QUrl();
}

void openFilmRow(FilmSite site, const Text& link) {
    PlayerPageWindow::openOrReuse();
    if (building) {
        queued = FilmRowRequest{site, link};
        return;
    }
    building = true;
    struct BuildingReset {
        ~BuildingReset() { building = false; }
    } reset;
    std::optional<FilmRowRequest> next = FilmRowRequest{site, link};
    while (next) {
        FilmRowRequest request = std::move(*next);
        next.reset();
        QPointer<PlayerPageWindow> window = PlayerPageWindow::current();
        PlayerPageBuild build;
        {
            // Keep every window painting and answering while the page downloads.
            ScopedFetchReadHook hook([] { QCoreApplication::processEvents(); });
            build = buildPlayerPageFile(request.site, request.link);
        }
        if (queued) {
            // A newer row was chosen meanwhile: it replaces this result.
            next = std::move(queued);
            queued.reset();
            continue;
        }
        // The user closed the window during the build: the result is dropped.
        if (window && window == PlayerPageWindow::current()) showBuildResult(window, build);
    }
}

}  // namespace velmora
