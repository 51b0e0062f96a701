#include "qt_ui_dispatcher.h"

#include <QMetaObject>

namespace velmora {

QtUiDispatcher::QtUiDispatcher() = default;

void QtUiDispatcher::post(std::function<void()> task) {
    QMetaObject::invokeMethod(&receiver_, std::move(task), Qt::QueuedConnection);
}

}  // namespace velmora
