// The hook logic under a shared block any process may have written: the
// first 72 bytes are the block, the rest a sequence of messages through the
// three hooks (reload requests among them, each followed by a new block from
// the input). Captions handed to the menus end within their 31 bytes (the
// fake reads no further), the copy the hooks use is always the checked one,
// and nothing reads outside its buffer (ASan).
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "hooklib/fake_hook_system.h"
#include "hooklib/hook_logic.h"
#include "hooklib/virtual_keys.h"

namespace {

using namespace ambrel::hooklib;

constexpr std::uint32_t kMessages[] = {kWmKeyDown,     kWmKeyUp,      kWmContextMenu, kWmInitMenuPopup,
                                       kWmMenuSelect, kWmLButtonUp,  kWmRButtonUp,   kWmPaste,
                                       0xC200,         0x200};
constexpr Handle kMenu = 0x900;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Left(std::size_t n) const { return size_ - pos_ >= n; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::uint32_t Word() {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w = (w << 8) | Byte();
    return w;
  }
  void Block(UnionData& block) {
    std::uint8_t bytes[sizeof(UnionData)];
    for (std::uint8_t& b : bytes) b = Byte();
    std::memcpy(&block, bytes, sizeof block);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

void CheckCaptions(const FakeHookSystem& fake) {
  if (fake.overlongCaptions != 0) std::abort();
  for (const std::string& item : fake.appended) {
    const std::size_t caption = item.find(':', item.find(':') + 1) + 1;
    if (item.size() - caption > kMenuCapSize) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(UnionData)) return 0;
  Input in(data, size);
  FakeHookSystem fake;
  fake.menus[kMenu] = {"元に戻す(&U)", "貼り付け(&P)", "&Paste"};
  fake.ids[kMenu][1] = kEditPasteId;
  in.Block(fake.shared);
  HookState state;
  while (in.Left(10)) {
    const std::uint8_t kind = in.Byte();
    const std::uint32_t message = kMessages[in.Byte() % (sizeof kMessages / sizeof kMessages[0])];
    const std::uintptr_t wParam = (kind & 4) ? in.Word() : in.Byte();
    const std::intptr_t lParam = (kind & 8) ? static_cast<std::intptr_t>(kMenu) : in.Word();
    if (message == 0xC200 && wParam % 4 == kReloadSettings && in.Left(sizeof(UnionData)))
      in.Block(fake.shared);
    HookMsg msg{0x20, message, wParam, lParam};
    switch (kind % 3) {
      case 0: OnGetMessage(state, fake, kHcAction, kPmRemove, msg); break;
      case 1: OnCallWndProc(state, fake, kHcAction, message, wParam, lParam); break;
      default: OnSysMsgFilter(state, fake, kMsgfMenu, msg); break;
    }
    CheckCaptions(fake);
    const UnionData& s = state.localCopy;
    if (s.terminator != '\0' || s.HotKeyCode > kLastVirtualKey) std::abort();
    if (!((s.PasteKey == kVkV && s.PasteModifier == kVkControl) ||
          (s.PasteKey == kVkInsert && s.PasteModifier == kVkShift)))
      std::abort();
  }
  return 0;
}
