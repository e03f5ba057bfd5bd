#include "platform/clipboard_win32.h"

#include <algorithm>
#include <cstring>

#include "platform/sjis_unicode_win32.h"

namespace ambrel::win32 {
namespace {

// A clipboard block locked for the life of the scope.
class LockedBlock {
 public:
  explicit LockedBlock(HANDLE block) : block_(block), bytes_(block ? GlobalLock(block) : nullptr) {}
  ~LockedBlock() {
    if (bytes_) GlobalUnlock(block_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  const void* Bytes() const { return bytes_; }
  std::size_t Size() const { return GlobalSize(block_); }

 private:
  HANDLE block_;
  void* bytes_;
};

// Japanese, for the programs that read CF_TEXT on a system of another language.
constexpr LCID kJapaneseLocale = 0x0411;

// A movable block holding size bytes copied from bytes, for SetClipboardData.
HGLOBAL MakeBlock(const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(block);
  return block;
}

// Hands the block to the clipboard, which then owns it; frees it otherwise.
bool PutBlock(UINT format, HGLOBAL block) {
  if (!block) return false;
  if (SetClipboardData(format, block)) return true;
  GlobalFree(block);
  return false;
}

// Whether the clipboard's CF_TEXT is Shift-JIS: the copy's locale is Japanese.
bool JapaneseText() {
  if (!IsClipboardFormatAvailable(CF_LOCALE) || !IsClipboardFormatAvailable(CF_TEXT)) return false;
  const LockedBlock locale(GetClipboardData(CF_LOCALE));
  return locale.Bytes() && locale.Size() >= sizeof(LCID) &&
         LANGIDFROMLCID(*static_cast<const LCID*>(locale.Bytes())) == LANGIDFROMLCID(kJapaneseLocale);
}

// Whether the copying program put CF_TEXT itself: the system makes the
// Unicode text from it and lists that later.
bool AnsiTextFirst() {
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (format == CF_TEXT) return true;
    if (format == CF_UNICODETEXT) return false;
  }
  return false;
}

// The Shift-JIS CF_TEXT beside a Unicode text, when it says the same: an
// ANSI program's copy, or the program's own paste coming back, keeps its
// bytes, since Shift-JIS has two codes for some characters and the
// conversion picks one.
std::optional<BoundedText> SameShiftJisText(std::u16string_view unicode, std::size_t limit) {
  const LockedBlock block(GetClipboardData(CF_TEXT));
  if (!block.Bytes()) return std::nullopt;
  BoundedText text = ReadBoundedText(static_cast<const char*>(block.Bytes()), block.Size(), limit);
  if (text.tooLarge || UnicodeFromSjis(text.text) != unicode) return std::nullopt;
  return text;
}

// The open clipboard's text: the Unicode text converted with code page 932
// (its original kept when that lost characters), else CF_TEXT as it is.
// Neither is measured or copied beyond the limit.
std::optional<BoundedText> ReadOpenText(std::size_t limit) {
  // An ANSI program's Japanese copy: its own bytes are the text, and the
  // Unicode text the system made from them says the same (converting 4 MiB
  // there and back would hold the UI thread for tens of milliseconds).
  const bool japanese = JapaneseText();
  if (japanese && AnsiTextFirst()) {
    const LockedBlock block(GetClipboardData(CF_TEXT));
    if (block.Bytes()) return ReadBoundedText(static_cast<const char*>(block.Bytes()), block.Size(), limit);
  }
  if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
    const LockedBlock block(GetClipboardData(CF_UNICODETEXT));
    if (block.Bytes()) {
      const auto* units = static_cast<const char16_t*>(block.Bytes());
      const std::optional<std::size_t> length = BoundedUnicodeLength(units, block.Size() / sizeof(char16_t), limit);
      if (!length) return BoundedText{{}, true, {}};
      const std::u16string_view unicode(units, *length);
      if (japanese)
        if (std::optional<BoundedText> same = SameShiftJisText(unicode, limit)) return same;
      SjisConversion converted = SjisFromUnicode(unicode);
      if (converted.text.size() > limit) return BoundedText{{}, true, {}};
      BoundedText out{std::move(converted.text), false, {}};
      if (converted.lost) out.original.assign(unicode);
      return out;
    }
  }
  const LockedBlock block(GetClipboardData(CF_TEXT));
  if (!block.Bytes()) return std::nullopt;
  return ReadBoundedText(static_cast<const char*>(block.Bytes()), block.Size(), limit);
}

}  // namespace

ClipboardScope::ClipboardScope(HWND owner) {
  // The program that just wrote the clipboard, or another viewer reading it,
  // may still hold it; on a loaded machine that lasts longer than a moment.
  // At most a fifth of a second, so the window never stalls for long.
  for (int attempt = 0; attempt < 40 && !open_; ++attempt) {
    open_ = OpenClipboard(owner) != 0;
    if (!open_) Sleep(5);
  }
}

ClipboardScope::~ClipboardScope() {
  if (open_) CloseClipboard();
}

std::optional<std::string> Win32Clipboard::GetText() {
  ClipboardScope scope(owner_);
  if (!scope) return std::nullopt;
  std::optional<BoundedText> text = ReadOpenText(static_cast<std::size_t>(-1) / 4);
  if (!text) return std::nullopt;
  return std::move(text->text);
}

bool Win32Clipboard::SetText(std::string_view text, std::u16string_view original) {
  // Up to the first NUL, as CF_TEXT reads; converted before the clipboard is
  // opened, so that others wait on it no longer than needed.
  const std::string ansi(text.substr(0, text.find('\0')));
  std::u16string wide = original.empty() ? UnicodeFromSjis(ansi) : std::u16string(original);
  wide.resize(std::min(wide.size(), wide.find(u'\0')));
  const LCID locale = kJapaneseLocale;
  ClipboardScope scope(owner_);
  if (!scope || !EmptyClipboard()) return false;
  // CF_TEXT decides: Unicode programs still receive it through the system's
  // conversion (with the locale below) when the Unicode block is refused.
  PutBlock(CF_UNICODETEXT, MakeBlock(wide.c_str(), (wide.size() + 1) * sizeof(char16_t)));
  PutBlock(CF_LOCALE, MakeBlock(&locale, sizeof locale));
  return PutBlock(CF_TEXT, MakeBlock(ansi.c_str(), ansi.size() + 1));
}

namespace {

class Win32Reading : public ClipboardReading {
 public:
  explicit Win32Reading(HWND owner) : scope_(owner) {}
  bool Opened() const { return static_cast<bool>(scope_); }

  bool AsksNotToRecord() override {
    static const UINT exclude = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
    static const UINT ignore = RegisterClipboardFormatA("Clipboard Viewer Ignore");
    static const UINT history = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
    if (IsClipboardFormatAvailable(exclude) || IsClipboardFormatAvailable(ignore)) return true;
    if (!IsClipboardFormatAvailable(history)) return false;
    // A mark that cannot be read counts as a refusal: a private copy is
    // never recorded because its mark could not be read.
    const LockedBlock mark(GetClipboardData(history));
    if (!mark.Bytes()) return true;
    if (mark.Size() < sizeof(DWORD)) return false;
    return *static_cast<const DWORD*>(mark.Bytes()) == 0;
  }

  // The one place that reads the copied text.
  std::optional<BoundedText> Text(std::size_t limit) override { return ReadOpenText(limit); }

 private:
  ClipboardScope scope_;
};

}  // namespace

std::unique_ptr<ClipboardReading> Win32Clipboard::OpenForReading() {
  auto reading = std::make_unique<Win32Reading>(owner_);
  if (!reading->Opened()) return nullptr;
  return reading;
}

}  // namespace ambrel::win32
