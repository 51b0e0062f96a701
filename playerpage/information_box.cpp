#include "information_box.h"

#include <QMessageBox>

namespace velmora {

void showInformationBox(const QString& message) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("信息："), message, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace velmora
