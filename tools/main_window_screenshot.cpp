// Takes a picture of the main window after a search: a local server plays
// three of the sites with saved pages, every site host points at it, and
// the window searches and is grabbed once the run has finished.
// Usage: velmora-screenshot OUTPUT.png
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <cstdio>

#include "main_window.h"
#include "settings/host_settings.h"
#include "support/fixture_server.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-screenshot OUTPUT.png\n");
        return 2;
    }
    QApplication app(argc, argv);

    velmora::test::FixtureServer server;
    const std::pair<const char*, const char*> pages[] = {{"/sso.asp?keyword=", "app/shuangshi.html"},
                                                         {"/search?q=", "app/pps.html"},
                                                         {"/nisearch/", "app/tudou.html"}};
    for (const auto& [prefix, file] : pages) {
        velmora::test::FixtureResponse response;
        response.body = velmora::test::readTestData(file);
        server.routePrefix(prefix, response);
    }
    velmora::HostSettings hosts = velmora::HostSettings::defaults();
    for (auto& site : hosts.site) site = server.host();
    hosts.home = hosts.feedback = hosts.sponsor = server.host();
    velmora::setHostSettings(hosts);

    const velmora::ScraperTable scrapers = velmora::createScraperTable();
    velmora::MainWindow window(scrapers);
    window.show();
    window.findChild<QLineEdit*>(QStringLiteral("编辑框1"))->setText(QStringLiteral("天下无贼"));
    auto* startButton = window.findChild<QPushButton*>(QStringLiteral("按钮1"));
    window.toggleSearchRun();

    QElapsedTimer clock;
    clock.start();
    // Let at least one progress tick show the count, then wait for the end.
    while ((startButton->text() != QStringLiteral("开始挖掘") || clock.elapsed() < 700) &&
           clock.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    window.findChild<QTableView*>(QStringLiteral("超级列表框1"))->selectRow(1);
    QCoreApplication::processEvents();

    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "velmora-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
