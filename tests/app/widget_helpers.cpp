#include "widget_helpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QThread>

namespace velmora::test {

bool waitFor(const std::function<bool()>& pred, std::chrono::milliseconds limit) {
    QElapsedTimer clock;
    clock.start();
    while (!pred()) {
        if (clock.elapsed() > limit.count()) return pred();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
    return true;
}

MessageBoxAcceptor::MessageBoxAcceptor() : seen_(std::make_shared<std::vector<SeenMessageBox>>()) {
    poll_.setInterval(5);
    QObject::connect(&poll_, &QTimer::timeout, [seen = seen_] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        SeenMessageBox s;
        s.title = box->windowTitle();
        s.text = box->text();
        s.okOnly = box->buttons().size() == 1 && box->button(QMessageBox::Ok) != nullptr;
        s.applicationModal = box->windowModality() == Qt::ApplicationModal;
        s.hasParent = box->parentWidget() != nullptr;
        seen->push_back(s);
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    });
    poll_.start();
}

MessageBoxAcceptor::~MessageBoxAcceptor() {
    poll_.stop();
}

UrlRecorder::UrlRecorder() {
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
}

UrlRecorder::~UrlRecorder() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

}  // namespace velmora::test
