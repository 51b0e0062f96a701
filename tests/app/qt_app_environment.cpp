#include "qt_app_environment.h"

#include <cstdlib>
#include <string>

#include "support/runtime_dir.h"

namespace velmora::test {

QApplication& qtApp() {
    // Never destroyed: at exit Qt's own statics may already be gone, and
    // destroying the application after them crashes.
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        ensurePrivateRuntimeDir();
        // The player window's web view shares one GL context with the others.
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        static int argc = 1;
        static char name[] = "velmora_widget_test";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *app;
}

}  // namespace velmora::test
