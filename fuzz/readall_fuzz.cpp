// "Read all" over a random store and a random history file, answered Yes or
// No: the store's menus, tree and pages still agree, and the clips that
// arrive are as many as the file holds and the store's limits keep.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/history_file.h"
#include "clipstore/clip_store.h"
#include "editor/data_commands.h"
#include "platform/fakes.h"

namespace {

using ambrel::clipstore::TClipBase;
using ambrel::clipstore::TreeNode;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  int Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  bool Left() const { return pos_ < size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

struct Counts {
  int history = 0, statics = 0;
  int menu[ambrel::clipstore::kSlotCount] = {};
};

Counts CountClips(const TClipBase& store) {
  Counts c;
  for (int i = 0; i < store.PageCount(); ++i) {
    const ambrel::clipstore::SlotId slot = store.Page(i).slot;
    if (slot.IsHistory()) ++c.history;
    else if (slot.IsStatic()) ++c.statics;
    else ++c.menu[slot.Number()];
  }
  return c;
}

// Fills a store from the input: limits, user menus, clips with texts made
// unique by a serial (so that no duplicate rule merges them).
void Fill(TClipBase& store, Input& in, int& serial) {
  store.DefineDefaultSlots();
  store.SetMaxHistory(5 + in.Byte() % 26);
  store.SetDuplicate(in.Byte() & 1);
  for (int s = 2; s < ambrel::clipstore::kSlotCount; ++s) {
    if (!(in.Byte() & 1)) continue;
    store.DefineSlot("Usr" + std::to_string(s - 1), "m", "x", store.Layout().SlotMenu(s), in.Byte() & 1,
                     5 + in.Byte() % 26, s);
  }
  const int clips = in.Byte() % 80;
  for (int i = 0; i < clips && in.Left(); ++i) {
    const int kind = in.Byte() % ambrel::clipstore::kSlotCount;
    if (!store.Slot(kind).Node) continue;
    std::string text = "t" + std::to_string(++serial);
    text.append(static_cast<std::size_t>(in.Byte() % 4), static_cast<char>(0x81 + in.Byte() % 0x7B));
    store.AddClip(store.Layout().SlotMenu(kind), kind, true, text);
  }
}

// Every page's clip hangs in its slot's menu and tree node, and is found by
// its id; every clip node of the tree is a page.
void CheckViewsAgree(const TClipBase& store) {
  int nodes = 0;
  for (int s = 0; s < ambrel::clipstore::kSlotCount; ++s) {
    const TreeNode* node = store.Slot(s).Node;
    if (!node) continue;
    for (int i = 0; i < node->Count(); ++i) nodes += node->Child(i)->clip != nullptr;
  }
  if (nodes != store.PageCount()) std::abort();
  for (int i = 0; i < store.PageCount(); ++i) {
    const ambrel::clipstore::Clip& clip = store.Page(i);
    if (clip.pageIndex != i || clip.menuItem->clip != &clip || clip.node->clip != &clip) std::abort();
    if (clip.menuItem->parent != store.Slot(clip.slot.Number()).MenuItem) std::abort();
    if (store.PageOfClip(clip.id) != i) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ambrel;
  Input in(data, size);
  int serial = 0;
  const bool answerYes = in.Byte() & 1;
  clipstore::PopupLayout fileLayout;
  TClipBase fileStore(fileLayout);
  Fill(fileStore, in, serial);
  clipstore::PopupLayout layout;
  TClipBase store(layout);
  Fill(store, in, serial);

  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
  files.files["f.hst"] = app::BuildHistoryData(fileStore);
  messages.answers = {answerYes ? MsgResult::kYes : MsgResult::kNo};
  // An empty store is not asked: it takes the file as Yes does.
  const bool yes = answerYes || store.PageCount() == 0;
  const Counts before = CountClips(store);
  const Counts file = CountClips(fileStore);
  int limit[clipstore::kSlotCount] = {};
  for (int s = 2; s < clipstore::kSlotCount; ++s)
    limit[s] = store.Slot(s).Node && !yes ? store.Slot(s).MaxCount : fileStore.Slot(s).MaxCount;
  const int maxHistory = store.MaxHistory();

  editor::ReadAll(store, messages, [&](TClipBase& into, std::string_view path) {
    return app::LoadHistory(into, files, messages, path);
  }, "f.hst");
  CheckViewsAgree(store);
  if (store.MaxHistory() != maxHistory) std::abort();
  const Counts after = CountClips(store);
  const auto expect = [&](int had, int got, int cap) { return std::min(had + got, cap); };
  if (after.history != expect(yes ? 0 : before.history, file.history, maxHistory)) std::abort();
  if (after.statics != (yes ? 0 : before.statics) + file.statics) std::abort();
  for (int s = 2; s < clipstore::kSlotCount; ++s) {
    if (!store.Slot(s).Node) continue;
    if (after.menu[s] != expect(yes ? 0 : before.menu[s], file.menu[s], limit[s])) std::abort();
  }
  return 0;
}
