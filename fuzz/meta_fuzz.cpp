// Any bytes as a static-variable file: the rows read are written back to a
// file that reads as the same rows.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "expand/meta_file.h"
#include "platform/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ambrel;
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
  fakes::FakeClock clock;
  DataFileSaver saver{files, messages, clock, "m", expand::kMetaSaveFailed};
  files.files["m"] = std::string(reinterpret_cast<const char*>(data), size);
  expand::MetaList list;
  expand::LoadMetaFile(list, files, "m");
  if (list.Count() == 0) std::abort();
  if (!expand::SaveMetaFile(list, saver, SaveMoment::kExit)) std::abort();
  expand::MetaList again;
  expand::LoadMetaFile(again, files, "m");
  if (again.Rows() != list.Rows()) std::abort();
  return 0;
}
