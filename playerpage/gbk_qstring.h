// GBK texts meet Qt's strings only here, through the program's own
// code-page layer (never the locale).
#pragma once

#include <QString>

#include "text/codepage.h"
#include "text/text.h"

namespace velmora {

inline QString gbkToQString(const Text& gbkText) {
    return QString::fromStdU16String(gbkToUtf16(gbkText));
}
inline Text qStringToGbk(const QString& text) {
    return utf16ToGbk(text.toStdU16String());
}

}  // namespace velmora
