// The program's message box: title "信息：", OK only, no owner window,
// modal to the whole program.
#pragma once

#include <QString>

namespace velmora {

void showInformationBox(const QString& message);

}  // namespace velmora
