// Captions under hostile settings: CrChar, TabChar and SpaceChar of any bytes
// up to the 255 the parameter file keeps, any MenuLen, texts rich in the
// edge bytes of Shift-JIS. A caption stays within its bound, the store's
// menus and tree show the same caption, and a refresh changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "clipstore/caption.h"
#include "clipstore/clip_store.h"

namespace {

// Lead bytes at both ends of their ranges, trail bytes that look like ASCII,
// half-width kana, the bytes no character uses, and those the caption rules
// act on.
constexpr unsigned char kEdgeBytes[] = {0x81, 0x9F, 0xE0, 0xEF, 0xFC, 0x40, 0x5C, 0x7E, 0x7F, 0x80,
                                        0xA0, 0xA1, 0xDF, 0xFD, 0xFF, 0x0D, 0x0A, 0x09, 0x20, 0x26,
                                        0x3B, 0x00, 0x1F};

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  int Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // Half of the bytes drawn from the edge set.
  std::string Text(std::size_t most) {
    const std::size_t length = std::min<std::size_t>(most, static_cast<std::size_t>(Byte()) * 2);
    std::string out;
    for (std::size_t i = 0; i < length && pos_ < size_; ++i) {
      const int b = Byte();
      out += static_cast<char>((b & 1) ? kEdgeBytes[(b >> 1) % sizeof kEdgeBytes] : b);
    }
    return out;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ambrel::clipstore;
  Input in(data, size);
  PopupLayout layout;
  TClipBase store(layout);
  store.DefineDefaultSlots();
  store.SetCaptionUpdating(false);
  store.SetMenuLen(static_cast<int>(static_cast<std::int8_t>(in.Byte())) * 3);
  store.SetFirstLine(in.Byte() & 1);
  store.SetChangeSpace(in.Byte() & 1);
  store.SetStaticComment(in.Byte() & 1);
  store.SetCrChar(in.Text(255));
  store.SetTabChar(in.Text(255));
  store.SetSpaceChar(in.Text(255));
  store.SetCaptionUpdating(true);
  // A user menu's tree text takes MenuLen as it stands when it is defined.
  store.DefineSlot("Usr1", in.Text(255), "x", layout.SlotMenu(2), true, 30, 2);
  const CaptionSettings& settings = store.Captions();
  if (settings.menuLen < 20 || settings.menuLen > 200) std::abort();

  for (int i = 0; i < 4; ++i) {
    const int kind = in.Byte() % 3;
    const std::string text = in.Text(4000);
    const std::string caption = MakeCaption(SlotId(kind), text, settings);
    // At most MenuLen bytes and the five points, every '&' doubled; a static
    // clip's comment line at most the text, doubled.
    const std::size_t bound = 2 * std::max<std::size_t>(static_cast<std::size_t>(settings.menuLen) + 10, text.size());
    if (caption.size() > bound) std::abort();
    store.AddClip(layout.SlotMenu(kind), kind, false, text);
  }
  const auto check = [&] {
    for (int i = 0; i < store.PageCount(); ++i) {
      const Clip& clip = store.Page(i);
      if (clip.menuItem->caption != MakeCaption(clip.slot, clip.text, settings)) std::abort();
      if (clip.node->text != clip.menuItem->caption) std::abort();
    }
  };
  check();
  store.RefreshCaptions();
  check();
  // The user menu's tree text keeps to MenuLen and its closing mark.
  if (store.Slot(2).Node->text.size() > static_cast<std::size_t>(settings.menuLen) + 16) std::abort();
  return 0;
}
