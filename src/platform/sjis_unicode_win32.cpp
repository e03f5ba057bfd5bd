#include "platform/sjis_unicode_win32.h"

#include <windows.h>

#include <climits>
#include <cstdint>

namespace ambrel::win32 {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

// The system's conversions take int lengths; clips are bounded far below.
int Length(std::size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }

// Plain ASCII is the same in both: no conversion to ask the system for.
template <typename Char>
bool IsAscii(std::basic_string_view<Char> text) {
  for (Char c : text)
    if (static_cast<std::uint32_t>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::u16string UnicodeFromSjis(std::string_view text) {
  if (text.empty()) return {};
  if (IsAscii(text)) return std::u16string(text.begin(), text.end());
  // One pass: a byte gives at most one UTF-16 unit. A 4 MiB clip is
  // converted while the UI thread waits, so the sizing pass is saved.
  const int size = Length(text.size());
  std::u16string out(text.size(), u'\0');
  const int units = MultiByteToWideChar(kShiftJisCodePage, 0, text.data(), size,
                                        reinterpret_cast<wchar_t*>(out.data()), size);
  out.resize(units > 0 ? static_cast<std::size_t>(units) : 0);
  return out;
}

SjisConversion SjisFromUnicode(std::u16string_view text) {
  if (text.empty()) return {};
  if (IsAscii(text)) return {std::string(text.begin(), text.end()), false};
  // One pass: a UTF-16 unit gives at most two bytes.
  const int size = Length(text.size());
  const std::size_t room = text.size() * 2;
  SjisConversion out;
  out.text.assign(room, '\0');
  BOOL usedDefault = FALSE;
  const int bytes = WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, Wide(text), size, out.text.data(),
                                        Length(room), nullptr, &usedDefault);
  if (bytes <= 0) return {{}, true};
  out.text.resize(static_cast<std::size_t>(bytes));
  // A character may also map to another one without the default character
  // (a best fit the flag does not report): only the round trip tells.
  out.lost = usedDefault != FALSE || UnicodeFromSjis(out.text) != text;
  return out;
}

}  // namespace ambrel::win32
