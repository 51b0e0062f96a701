// GBK text rules shared by every part of the program.
//
// A Text is a byte string in GBK (code page 936). A byte of 0x80 or more
// begins a double-byte character; searches step over such a character as
// one unit, so a sought text is only found where it starts on a character
// boundary. Positions are 1-based byte positions, and -1 means "not found".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

using Text = std::string;

inline constexpr int kNotFound = -1;

// Byte length of the GBK character that starts at `pos` (1 or 2; a lead
// byte at the very end counts as one).
std::size_t gbkCharLength(std::string_view text, std::size_t pos);

// Finds `needle` in `text`, starting at the 1-based position `from` (which
// must itself be a character boundary). Bytes are compared exactly.
int findText(std::string_view text, std::string_view needle, int from = 1);

// As findText, but ASCII letters compare without regard to case (the
// bytes of double-byte characters still compare exactly).
int findTextIgnoreCase(std::string_view text, std::string_view needle, int from = 1);

// Removes every occurrence of `what`, left to right.
Text removeAll(std::string_view text, std::string_view what);

// Replaces every occurrence of `from` by `to`, left to right; occurrences
// never overlap and an inserted replacement is never searched again.
Text replaceAll(std::string_view text, std::string_view from, std::string_view to);

// The first `count` bytes (a double-byte character across the limit is cut).
Text leftBytes(std::string_view text, std::size_t count);

// The last `count` bytes.
Text rightBytes(std::string_view text, std::size_t count);

// ASCII letters upper- or lower-cased; double-byte characters untouched.
Text toUpperAscii(std::string_view text);
Text toLowerAscii(std::string_view text);

// Reads a number from the leading decimal digits of `text`. An empty or
// non-numeric text reads 0; a value too large for an int saturates.
int readLeadingNumber(std::string_view text);

}  // namespace velmora
