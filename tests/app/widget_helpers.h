// Helpers for tests that drive the real main window.
#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace velmora::test {

// Processes events until `pred` holds or `limit` passes; returns pred().
bool waitFor(const std::function<bool()>& pred, std::chrono::milliseconds limit = std::chrono::seconds(10));

// What a message box looked like when it was accepted.
struct SeenMessageBox {
    QString title;
    QString text;
    bool okOnly = false;
    bool applicationModal = false;
    bool hasParent = false;
};

// While alive, accepts every application-modal message box as soon as it
// shows, and remembers it.
class MessageBoxAcceptor {
public:
    MessageBoxAcceptor();
    ~MessageBoxAcceptor();
    std::vector<SeenMessageBox> seen() const { return *seen_; }
    void clear() { seen_->clear(); }

private:
    std::shared_ptr<std::vector<SeenMessageBox>> seen_;
    QTimer poll_;
};

// Records the addresses handed to the default browser instead of opening
// them, for http and https.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder();
    ~UrlRecorder() override;
    std::vector<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

}  // namespace velmora::test
