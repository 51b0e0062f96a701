#include "dj/open_dj_window.h"

#include <QPointer>

#include "dj/dj_globals.h"
#include "dj/dj_window.h"

namespace velmora {

namespace {
QPointer<DjWindow>& openWindow() {
    static QPointer<DjWindow> window;
    return window;
}
}  // namespace

DjWindow* openDjWindow() {
    QPointer<DjWindow>& window = openWindow();
    if (!window) {
        window = new DjWindow(djGlobals());
    } else {
        // A window closed in the middle of a fetch is still there: take it back.
        window->cancelPendingClose();
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void destroyOpenDjWindow() {
    delete openWindow().data();
}

}  // namespace velmora
