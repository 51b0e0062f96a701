// The program's message box: title "信息：", an OK button only, no owner,
// modal to the whole program. Returns when the user has closed it.
#pragma once

#include <QString>

namespace velmora {

void showInfoMessage(const QString& message);

}  // namespace velmora
