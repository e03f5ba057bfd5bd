// A whole session over the three data files with random start-up states
// (missing, good, damaged, held by another program, oversized, not movable),
// random write failures and locked backups, copies, idle saves and exits.
// Two rules hold for every write the session makes:
// - a file that was there at start-up and was not read is never replaced;
// - nothing is written that the loader would refuse to read back.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "app/history_file.h"
#include "app/idle_save.h"
#include "app/param_record.h"
#include "clipstore/clip_store.h"
#include "expand/meta_file.h"
#include "expand/meta_list.h"
#include "options/settings.h"
#include "platform/data_file_saver.h"
#include "platform/fakes.h"

namespace {

using namespace ambrel;

const std::string kHst = "Ambrel.hst", kMta = "Ambrel.mta", kPrm = "Ambrel.prm";

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  unsigned Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::string Bytes() {
    const std::size_t n = std::min<std::size_t>(Byte() % 40, size_ - at_);
    std::string s(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_, at_ = 0;
};

// Which loader a name belongs to: the file itself or one saved beside it.
const std::string* FileOf(const std::string& name) {
  for (const std::string* f : {&kHst, &kMta, &kPrm})
    if (name.rfind(*f, 0) == 0 && name.find(".bak") == std::string::npos) return f;
  return nullptr;
}

bool LoaderReads(const std::string& file, const std::string& bytes) {
  if (file == kHst) {
    clipstore::PopupLayout layout;
    clipstore::TClipBase store{layout};
    fakes::FakeFiles one;
    fakes::FakeMessageBoxes quiet;
    one.files["h"] = bytes;
    return app::LoadHistory(store, one, quiet, "h");
  }
  if (file == kMta) {
    fakes::FakeFiles one;
    one.files["m"] = bytes;
    expand::MetaList list;
    return expand::LoadMetaFile(list, one, "m") == expand::MetaFileRead::kRead;
  }
  app::TParamRecord record{};
  return bytes.size() <= app::kMaxParamFileBytes && app::DecodeParamRecord(bytes, record);
}

// The fake folder, checking each write against the two rules.
class CheckingFiles : public fakes::FakeFiles {
 public:
  bool WriteReplacing(std::string_view path, std::string_view bytes) override {
    const std::string key(path);
    auto kept = notRead.find(key);
    if (kept != notRead.end() && Get(key) == kept->second) std::abort();  // would replace it
    if (!fakes::FakeFiles::WriteReplacing(path, bytes)) return false;
    if (const std::string* file = FileOf(key); file && !LoaderReads(*file, std::string(bytes)))
      std::abort();
    return true;
  }
  // The files there at start-up that the program could not read.
  std::map<std::string, std::string> notRead;
};

std::string GoodFile(const std::string& file) {
  if (file == kHst) {
    clipstore::PopupLayout layout;
    clipstore::TClipBase store{layout};
    store.DefineDefaultSlots();
    store.AddClip(layout.History(), clipstore::kHistorySlot, true, "a clip");
    return app::BuildHistoryData(store);
  }
  if (file == kMta) return expand::BuildMetaData(expand::DefaultMetaList());
  return app::EncodeParamRecord(app::TParamRecord{});
}

void SetUpFile(CheckingFiles& files, const std::string& file, Input& in) {
  const unsigned how = in.Byte();
  switch (how % 5) {
    case 0: return;  // missing
    case 1: files.files[file] = GoodFile(file); break;
    case 2: files.files[file] = in.Bytes(); break;
    case 3: files.files[file] = GoodFile(file); files.unreadable.insert(file); break;
    default: files.files[file] = GoodFile(file); files.oversized.insert(file); break;
  }
  if (how & 0x08) files.unmovable.insert(file);
  const std::string& bytes = files.files[file];
  if (files.unreadable.count(file) || files.oversized.count(file) || !LoaderReads(file, bytes))
    files.notRead[file] = bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  CheckingFiles files;
  for (const std::string* file : {&kHst, &kMta, &kPrm}) SetUpFile(files, *file, in);
  fakes::FakeMessageBoxes messages;
  fakes::FakeClipboard clipboard;
  fakes::FakeClock clock;
  DataFileSaver hst(files, messages, clock, kHst, app::kHistorySaveFailed);
  DataFileSaver mta(files, messages, clock, kMta, expand::kMetaSaveFailed);
  DataFileSaver prm(files, messages, clock, kPrm, app::kParamSaveFailed);

  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  options::Settings settings;
  expand::MetaList meta;
  app::ParamFile params(files, messages, {store, settings, meta, nullptr}, prm);
  params.LoadParams();
  app::StartHistory(store, files, messages, clipboard, hst, "C:\\");
  expand::InitMeta(meta, files, messages, mta);

  app::IdleSave idle(1000);
  std::uint64_t now = 0;
  const std::string bak = kHst + ".bak";
  while (in.More()) {
    now += in.Byte() * 20;
    switch (in.Byte() % 7) {
      case 0:
        store.AddClip(layout.History(), clipstore::kHistorySlot, true, in.Bytes());
        idle.Changed(now);
        break;
      case 1: meta.Append("$" + in.Bytes(), in.Bytes()); break;
      case 2: files.failAllWrites = !files.failAllWrites; break;
      case 3:
        if (!files.lockedBaks.erase(bak)) files.lockedBaks.insert(bak);
        break;
      case 4:
        if (idle.Due(now, false))
          idle.Finished(app::SaveHistory(store, hst, SaveMoment::kRunning), now);
        break;
      case 5: store.SetMaxHistory(static_cast<int>(in.Byte() % 40)); break;
      default: ++clock.now.second; break;  // the names beside the files move on
    }
  }
  app::SaveHistory(store, hst, SaveMoment::kExit);
  expand::SaveMetaFile(meta, mta, SaveMoment::kExit);
  params.SaveParams();
  // A failed save is never silent.
  if ((hst.LastSaveFailed() || mta.LastSaveFailed() || prm.LastSaveFailed()) && messages.shown.empty())
    std::abort();
  return 0;
}
