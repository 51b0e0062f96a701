#include "dj/dj_gui_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "settings/host_settings.h"
#include "support/fixture_environment.h"
#include "support/runtime_dir.h"
#include "text/text.h"

namespace velmora::test {

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ensurePrivateRuntimeDir();
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "dj_window_test";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override {
        delete app_;
    }

private:
    QApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

}  // namespace

MessageCatcher::MessageCatcher() {
    poll_.setInterval(20);
    QObject::connect(&poll_, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        texts_ << box->text();
        const auto buttons = box->buttons();
        if (box->windowTitle() != QStringLiteral("信息：") || buttons.size() != 1 ||
            box->standardButton(buttons.first()) != QMessageBox::Ok || box->parentWidget() != nullptr ||
            box->windowModality() != Qt::ApplicationModal)
            wellFormed_ = false;
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
    });
    poll_.start();
}

MessageCatcher::~MessageCatcher() {
    poll_.stop();
}

void userDoubleClick(QWidget* widget, QPoint pos) {
    QTest::mousePress(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

std::string makeToneWav(double seconds) {
    const std::uint32_t rate = 8000;
    const std::uint32_t samples = static_cast<std::uint32_t>(seconds * rate);
    std::string wav = "RIFF";
    putLe(wav, 36 + samples * 2, 4);
    wav += "WAVEfmt ";
    putLe(wav, 16, 4);
    putLe(wav, 1, 2);  // PCM
    putLe(wav, 1, 2);  // mono
    putLe(wav, rate, 4);
    putLe(wav, rate * 2, 4);
    putLe(wav, 2, 2);
    putLe(wav, 16, 2);
    wav += "data";
    putLe(wav, samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        auto sample = static_cast<std::int16_t>(1000 * std::sin(2 * M_PI * 440 * i / rate));
        putLe(wav, static_cast<std::uint16_t>(sample), 2);
    }
    return wav;
}

void routeMusicSite(double trackSeconds) {
    FixtureServer& server = fixtureServer();
    HostSettings settings = hostSettings();
    settings.dj = server.host();
    setHostSettings(settings);
    server.clearRoutes();

    FixtureResponse list;
    list.body = readTestData("dj/list_foreign_1.html");
    server.route("/dance/sort/foreign_1.html", list);
    list.body = readTestData("dj/list_foreign_1329.html");
    server.route("/dance/sort/foreign_1329.html", list);

    const std::string trackTemplate = readTestData("dj/track.html");
    FixtureResponse media;
    media.contentType = "audio/x-wav";
    media.acceptRanges = true;
    media.body = makeToneWav(trackSeconds);
    for (int id = 301200; id < 301250; ++id) {
        FixtureResponse track;
        track.body = replaceAll(replaceAll(trackTemplate, "@MEDIA_BASE@", server.url("/media/")),
                                "@MEDIA_FILE@", std::to_string(id) + ".wav");
        server.route("/play/" + std::to_string(id) + ".htm", track);
        server.route("/media/" + std::to_string(id) + ".wav", media);
    }
}

void DjWindowTest::SetUp() {
    routeMusicSite(1.0);
    fixtureServer().clearRequests();
    window = openWindow();
}

void DjWindowTest::TearDown() {
    delete window.data();
    QApplication::processEvents();
    globals.djPlayer.reset();
}

}  // namespace velmora::test
