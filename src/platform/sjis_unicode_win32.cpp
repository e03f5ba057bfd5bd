#include "platform/sjis_unicode_win32.h"

#include <windows.h>

#include <climits>

namespace ambrel::win32 {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

// The system's conversions take int lengths; clips are bounded far below.
int Length(std::size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }

}  // namespace

std::u16string UnicodeFromSjis(std::string_view text) {
  if (text.empty()) return {};
  const int size = Length(text.size());
  const int units = MultiByteToWideChar(kShiftJisCodePage, 0, text.data(), size, nullptr, 0);
  if (units <= 0) return {};
  std::u16string out(static_cast<std::size_t>(units), u'\0');
  MultiByteToWideChar(kShiftJisCodePage, 0, text.data(), size, reinterpret_cast<wchar_t*>(out.data()), units);
  return out;
}

SjisConversion SjisFromUnicode(std::u16string_view text) {
  if (text.empty()) return {};
  const int size = Length(text.size());
  const int bytes =
      WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, Wide(text), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {{}, true};
  SjisConversion out;
  out.text.assign(static_cast<std::size_t>(bytes), '\0');
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, Wide(text), size, out.text.data(), bytes, nullptr,
                      &usedDefault);
  // A character may also map to another one without the default character
  // (a best fit the flag does not report): only the round trip tells.
  out.lost = usedDefault != FALSE || UnicodeFromSjis(out.text) != text;
  return out;
}

}  // namespace ambrel::win32
