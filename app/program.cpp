#include "program.h"

#include <QApplication>
#include <cstdlib>

#include "global_objects.h"
#include "main_window.h"

namespace velmora {

int runProgram(int argc, char** argv, const std::function<void(MainWindow&)>& afterShow) {
    QApplication app(argc, argv);
    createGlobalObjects();
    // The objects are released however the program ends; the explicit call
    // below covers the ordinary end, this one an exit() from anywhere.
    static const bool registered = std::atexit(releaseGlobalObjects) == 0;
    (void)registered;
    {
        MainWindow window(scraperTable());
        QObject::connect(&window, &MainWindow::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        window.show();
        if (afterShow) afterShow(window);
        app.exec();
    }
    releaseGlobalObjects();
    return 0;
}

}  // namespace velmora
