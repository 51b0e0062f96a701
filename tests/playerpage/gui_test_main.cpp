// main() for the tests that need real Qt widgets and WebEngine views.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QByteArray>
#include <QDesktopServices>
#include <QDir>
#include <QObject>
#include <QUrl>

#include "support/runtime_dir.h"

namespace {

// Stands in for the default browser: no test may launch a real one.
class BrowserStandIn : public QObject {
    Q_OBJECT
public slots:
    void openUrl(const QUrl&) {}
};

}  // namespace

int main(int argc, char** argv) {
    velmora::test::ensurePrivateRuntimeDir();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    BrowserStandIn browser;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "openUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "openUrl");
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    return result;
}

#include "gui_test_main.moc"
