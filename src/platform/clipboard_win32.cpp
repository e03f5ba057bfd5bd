#include "platform/clipboard_win32.h"

#include <cstring>

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
  const LockedBlock block(GetClipboardData(CF_TEXT));
  if (!block.Bytes()) return std::nullopt;
  // The block may lack its NUL; never read past its size.
  const auto* bytes = static_cast<const char*>(block.Bytes());
  return std::string(bytes, strnlen(bytes, block.Size()));
}

bool Win32Clipboard::SetText(std::string_view text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return false;
  auto* bytes = static_cast<char*>(GlobalLock(block));
  if (!bytes) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(bytes, text.data(), text.size());
  bytes[text.size()] = '\0';
  GlobalUnlock(block);
  ClipboardScope scope(owner_);
  if (!scope || !EmptyClipboard() || !SetClipboardData(CF_TEXT, block)) {
    GlobalFree(block);
    return false;
  }
  return true;
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
  std::optional<BoundedText> Text(std::size_t limit) override {
    const LockedBlock block(GetClipboardData(CF_TEXT));
    if (!block.Bytes()) return std::nullopt;
    return ReadBoundedText(static_cast<const char*>(block.Bytes()), block.Size(), limit);
  }

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
