// Any bytes as a parameter file: loading applies whatever a readable record
// holds, and saving writes a record that loads back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/param_record.h"
#include "clipstore/clip_store.h"
#include "expand/meta_list.h"
#include "options/settings.h"
#include "platform/fakes.h"

namespace {

std::string LoadAndSave(const std::string& bytes) {
  using namespace ambrel;
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  store.DefineDefaultSlots();
  store.AddClip(layout.History(), 0, true, "a clip\r\n\tto caption");
  options::Settings settings;
  expand::MetaList meta;
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
  fakes::FakeClock clock;
  DataFileSaver saver{files, messages, clock, "p", app::kParamSaveFailed};
  files.files["p"] = bytes;
  app::ParamFile params(files, messages, {store, settings, meta, nullptr}, saver);
  params.LoadParams();
  params.ApplyLateParams();
  params.SaveParams();
  return files.files["p"];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string once = LoadAndSave(std::string(reinterpret_cast<const char*>(data), size));
  if (once.size() != ambrel::app::kParamRecordSize) std::abort();
  if (LoadAndSave(once) != once) std::abort();
  return 0;
}
