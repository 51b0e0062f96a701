#include "program.h"

#include <QApplication>
#include <cstdlib>

#include "film_row_action.h"
#include "global_objects.h"
#include "hidden_home_view.h"
#include "main_window.h"
#include "sponsor_window.h"

namespace velmora {

int runProgram(int argc, char** argv, const std::function<void(MainWindow&)>& afterShow) {
    // The web views share one GL context; Qt wants this before the app exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    installPlayerPageUiHooks();
    createGlobalObjects();
    // The objects are released however the program ends; the explicit call
    // below covers the ordinary end, this one an exit() from anywhere.
    static const bool registered = std::atexit(releaseGlobalObjects) == 0;
    (void)registered;
    {
        MainWindow window(scraperTable());
        QObject::connect(&window, &MainWindow::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        // The visit of the product's page, in a view that is never seen.
        createHiddenHomeView(window.centralWidget());
        window.show();
        // Opened after the main window is up, so it never delays it; it
        // closes itself when its countdown ends.
        openSponsorWindow();
        if (afterShow) afterShow(window);
        app.exec();
    }
    releaseGlobalObjects();
    return 0;
}

}  // namespace velmora
