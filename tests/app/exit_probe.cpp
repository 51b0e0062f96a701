// The whole desktop program, pointed at a test server: it starts a search
// and its window is closed while the search waits on that server.
// Usage: velmora_exit_probe HOST[:PORT]
#include <QLineEdit>
#include <QTimer>

#include "main_window.h"
#include "program.h"
#include "settings/host_settings.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string host = argv[1];
    return velmora::runProgram(argc, argv, [host](velmora::MainWindow& window) {
        velmora::HostSettings hosts = velmora::HostSettings::defaults();
        for (auto& site : hosts.site) site = host;
        hosts.home = hosts.feedback = hosts.sponsor = host;
        velmora::setHostSettings(hosts);
        window.findChild<QLineEdit*>(QStringLiteral("编辑框1"))->setText(QStringLiteral("kw"));
        window.toggleSearchRun();
        QTimer::singleShot(300, &window, [&window] { window.close(); });
    });
}
