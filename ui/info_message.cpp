#include "ui/info_message.h"

#include <QMessageBox>

namespace velmora {

void showInfoMessage(const QString& message) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("信息："), message, QMessageBox::Ok, nullptr);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace velmora
