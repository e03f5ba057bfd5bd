// Any bytes as the originals' side file, applied to a store of a few clips:
// never a crash, never a clip added, removed or changed, and what was given
// saves to a file that gives the same originals again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/originals_file.h"
#include "clipstore/clip_store.h"

namespace {

std::string Texts(const ambrel::clipstore::TClipBase& store) {
  std::string texts;
  for (int i = 0; i < store.PageCount(); ++i) texts.append(store.Page(i).text).push_back('\0');
  return texts;
}

void Fill(ambrel::clipstore::TClipBase& store) {
  using namespace ambrel::clipstore;
  store.DefineDefaultSlots();
  store.AddClip(store.Layout().History(), kHistorySlot, true, "a");
  store.AddClip(store.Layout().History(), kHistorySlot, true, "?");
  store.AddClip(store.Layout().UserMenu(1), 2, true, "http://x/?");
  store.AddClip(store.Layout().Static(), kStaticSlot, true, "s");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ambrel;
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  Fill(store);
  const std::string before = Texts(store);
  app::ApplyOriginalsData(store, std::string_view(reinterpret_cast<const char*>(data), size));
  if (Texts(store) != before) std::abort();
  const std::string saved = app::BuildOriginalsData(store);
  clipstore::PopupLayout layout2;
  clipstore::TClipBase again{layout2};
  Fill(again);
  app::ApplyOriginalsData(again, saved);
  if (app::BuildOriginalsData(again) != saved) std::abort();
  return 0;
}
