// Conversion between the program's Shift-JIS (code page 932) and the UTF-16
// of the Unicode clipboard, done with code page 932 itself whatever the
// system's ANSI code page: the one place that calls the system's conversions
// for clip text.
#pragma once

#include <string>
#include <string_view>

namespace ambrel::win32 {

inline constexpr unsigned kShiftJisCodePage = 932;

std::u16string UnicodeFromSjis(std::string_view text);

struct SjisConversion {
  std::string text;  // characters code page 932 lacks became '?'
  bool lost = false; // text does not convert back to the Unicode it came from
};

// Characters without a code page 932 form become the default character, not
// a look-alike; lost says whether any did (the default-character flag, and a
// round trip for what that flag does not report).
SjisConversion SjisFromUnicode(std::u16string_view text);

}  // namespace ambrel::win32
