// GBK texts of the core and QStrings of the widgets meet here.
#pragma once

#include <string>
#include <string_view>

#include <QString>

#include "text/codepage.h"

namespace velmora {

inline QString gbkToQString(std::string_view gbkText) {
    std::u16string utf16 = gbkToUtf16(gbkText);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

inline std::string qStringToGbk(const QString& text) {
    return utf16ToGbk(text.toStdU16String());
}

}  // namespace velmora
