// What the DJ window tests share: the application object, a catcher that
// answers message boxes, generated audio and the fixture routes.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>

#include <string>

#include "dj/dj_globals.h"
#include "dj/dj_window.h"

namespace velmora::test {

// Accepts every application-modal message box that opens while it lives and
// records it, checking that it looks as the program's boxes must.
class MessageCatcher {
public:
    MessageCatcher();
    ~MessageCatcher();
    QStringList texts() const { return texts_; }
    // False once a box had another title, another button than OK, an
    // owner, or was not application-modal.
    bool allWellFormed() const { return wellFormed_; }
    void clear() { texts_.clear(); }

private:
    QTimer poll_;
    QStringList texts_;
    bool wellFormed_ = true;
};

// A double-click as a user makes it: press, release, double-click,
// release (QTest's own sends the double-click event alone, which item
// views take for a first press).
void userDoubleClick(QWidget* widget, QPoint pos);

// A WAV file of `seconds` of a quiet 440 Hz tone, 8 kHz mono 16-bit.
std::string makeToneWav(double seconds);

// Routes of the music site on the fixture server: the list pages, a track
// page "/play/<id>.htm" for every entry of both, each naming the WAV
// "/media/<id>.wav" of `trackSeconds`.
void routeMusicSite(double trackSeconds);

// A DJ window on the music site's routes, opened afresh for every test.
class DjWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The window a test starts with.
    virtual QPointer<DjWindow> openWindow() = 0;

    template <typename T>
    T* child(const char* name) const {
        T* found = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTreeWidget* tracks() const { return child<QTreeWidget>("超级列表框1"); }

    MessageCatcher messages;
    DjGlobals globals;
    QPointer<DjWindow> window;
};

}  // namespace velmora::test
