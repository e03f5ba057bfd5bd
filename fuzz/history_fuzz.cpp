// Any bytes as a history file, loaded through a real store: never a crash,
// and whatever loads saves to a file that loads back to the same file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/history_file.h"
#include "clipstore/clip_store.h"
#include "platform/fakes.h"

namespace {

std::string LoadAndSave(const std::string& bytes, bool& loaded) {
  using namespace ambrel;
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  store.DefineDefaultSlots();
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
  files.files["h"] = bytes;
  loaded = app::LoadHistory(store, files, messages, "h");
  if (loaded != messages.shown.empty()) std::abort();
  // The views must still agree after any load.
  for (int i = 0; i < store.PageCount(); ++i) {
    const clipstore::Clip& clip = store.Page(i);
    if (clip.pageIndex != i || clip.menuItem->clip != &clip || clip.node->clip != &clip) std::abort();
  }
  return app::BuildHistoryData(store);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bool loaded = false;
  const std::string once = LoadAndSave(std::string(reinterpret_cast<const char*>(data), size), loaded);
  if (!loaded) return 0;
  bool again = false;
  if (LoadAndSave(once, again) != once || !again) std::abort();
  return 0;
}
