// Closing the main window during a search ends the whole program at once,
// with exit code 0, and removes the player page from its directory.
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "support/fixture_environment.h"
#include "widget_helpers.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

TEST(ProgramExit, ClosingDuringASearchEndsAtOnceWithCodeZeroAndDeletesThePlayerPage) {
    FixtureServer& server = fixtureServer();
    server.clearRoutes();
    server.clearRequests();
    FixtureResponse stall;
    stall.stallBeforeHeaders = true;  // the fetch would wait its full 18 s
    server.setFallback([stall](const FixtureRequest&) { return stall; });

    const QString probe = QStringLiteral(VELMORA_EXIT_PROBE);
    const QString playerPage = QFileInfo(probe).absolutePath() + QStringLiteral("/temp.htm");
    {
        QFile page(playerPage);
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write("<html></html>");
    }

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(probe, {QString::fromStdString(server.host())});
    ASSERT_TRUE(program.waitForStarted(10000));
    // Far less than the fetch time-out: the close does not wait for it.
    ASSERT_TRUE(program.waitForFinished(12000)) << "the program did not end";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_FALSE(QFile::exists(playerPage));
    EXPECT_GE(server.requests().size(), 1u);  // the search was under way
    server.releaseStalls();
    server.setFallback({});
}

}  // namespace
}  // namespace velmora::test
