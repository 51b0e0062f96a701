// Code-page conversions between GBK (code page 936), UTF-16 and UTF-8.
//
// They behave as the Windows conversions do without flags: a character
// with no GBK form becomes "?", bytes that are not valid UTF-8 become
// U+FFFD (so "?" once converted to GBK), and bytes that are not valid GBK
// become "?". Nothing is dropped or truncated silently.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

std::u16string gbkToUtf16(std::string_view gbk);
std::string utf16ToGbk(std::u16string_view utf16);
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

// The two conversions the program makes, each through UTF-16.
std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

}  // namespace velmora

namespace velmora {

// The program's texts are GBK; its sources are UTF-8. A literal written in
// the source becomes a Text through this.
inline std::string gbk(std::string_view utf8Literal) { return utf8ToGbk(utf8Literal); }

}  // namespace velmora
