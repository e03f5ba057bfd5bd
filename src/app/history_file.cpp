#include "app/history_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "clipstore/clip_store.h"
#include "platform/sjis.h"

namespace ambrel::app {

// The file split into its clips (their texts copied out of the file's
// bytes, once) and its twelve slot records.
struct HistoryData {
  struct Entry {
    int slot;
    std::string text;
  };
  struct SlotRecord {
    std::string name, pattern, caption;
    std::int32_t node = 0;
    std::int32_t maxCount = 0;
    bool duplicate = false;
  };
  std::vector<Entry> entries;
  std::array<SlotRecord, clipstore::kSlotCount> slots;
};

PreparedHistory::PreparedHistory() = default;
PreparedHistory::~PreparedHistory() = default;
PreparedHistory::PreparedHistory(PreparedHistory&&) noexcept = default;
PreparedHistory& PreparedHistory::operator=(PreparedHistory&&) noexcept = default;

namespace {

using clipstore::kSlotCount;
using clipstore::TClipBase;
using clipstore::TMenuSlot;

constexpr std::size_t kNameOffset = 0;
constexpr std::size_t kPatternOffset = 256;
constexpr std::size_t kCaptionOffset = 512;
constexpr std::size_t kNodeOffset = 768;
constexpr std::size_t kMenuItemOffset = 772;
constexpr std::size_t kMaxCountOffset = 776;
constexpr std::size_t kDuplicateOffset = 780;
constexpr std::size_t kShortStringRoom = 255;

const char kDamaged[] = "ヒストリファイルが壊れています。初期化して起動します。";
const char kKeptAside[] = "\r\n元のファイルは次の名前で残しています:\r\n";
const char kTooLargeToSave[] = "クリップの合計が大きすぎて、読み込める大きさを超えます。";

using Entry = HistoryData::Entry;
using SlotRecord = HistoryData::SlotRecord;

std::int32_t ReadInt(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return static_cast<std::int32_t>(v);
}

void WriteInt(std::string& out, std::size_t at, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string ReadShortString(std::string_view bytes, std::size_t at) {
  const std::size_t length = static_cast<unsigned char>(bytes[at]);
  return std::string(bytes.substr(at + 1, std::min(length, kShortStringRoom)));
}

void WriteShortString(std::string& out, std::size_t at, std::string_view value) {
  const std::size_t length = std::min(value.size(), kShortStringRoom);
  out[at] = static_cast<char>(length);
  std::memcpy(&out[at + 1], value.data(), length);
}

bool SlotInUse(const HistoryData& data, int slot) {
  return slot == clipstore::kHistorySlot || slot == clipstore::kStaticSlot ||
         data.slots[static_cast<std::size_t>(slot)].node != 0;
}

// Splits the file into entries and slot records. False for anything the
// program never writes: no end marker, a text without its zero byte, short
// slot records, a slot byte that names no slot in use.
bool ParseHistory(std::string_view bytes, HistoryData& data) {
  std::size_t pos = 0;
  for (;;) {
    if (pos >= bytes.size()) return false;
    const auto slot = static_cast<unsigned char>(bytes[pos]);
    if (slot == kHistoryEndMarker) break;
    const std::size_t end = bytes.find('\0', pos + 1);
    if (end == std::string_view::npos) return false;
    if (slot >= kSlotCount) return false;
    data.entries.push_back({slot, std::string(bytes.substr(pos + 1, end - pos - 1))});
    pos = end + 1;
  }
  const std::size_t records = pos + 1;
  if (bytes.size() - records < kSlotRecordsSize) return false;
  for (int s = 0; s < kSlotCount; ++s) {
    const std::size_t at = records + static_cast<std::size_t>(s) * kSlotRecordSize;
    SlotRecord& r = data.slots[static_cast<std::size_t>(s)];
    r.name = ReadShortString(bytes, at + kNameOffset);
    r.pattern = ReadShortString(bytes, at + kPatternOffset);
    r.caption = ReadShortString(bytes, at + kCaptionOffset);
    r.node = ReadInt(bytes, at + kNodeOffset);
    r.maxCount = ReadInt(bytes, at + kMaxCountOffset);
    r.duplicate = bytes[at + kDuplicateOffset] != 0;
  }
  return std::all_of(data.entries.begin(), data.entries.end(),
                     [&](const Entry& e) { return SlotInUse(data, e.slot); });
}

void Rebuild(TClipBase& store, HistoryData& data) {
  clipstore::PopupLayout& layout = store.Layout();
  for (int s = 0; s < kSlotCount; ++s) {
    if (!SlotInUse(data, s)) continue;
    const SlotRecord& r = data.slots[static_cast<std::size_t>(s)];
    // The user-menu dialog allows 5..30; a foreign file must not lift the
    // bounds that the file size limit rests on.
    const std::int32_t maxCount = std::clamp<std::int32_t>(r.maxCount, 5, 30);
    store.DefineSlot(r.name, r.caption, r.pattern, layout.SlotMenu(s), r.duplicate, maxCount, s);
  }
  // The history's limit and duplicate rule are settings of their own (the
  // parameter file's); a history file from another set-up must not override
  // them, or a file of 30 clips would stay 30 under a limit of 5.
  store.SetMaxHistory(store.MaxHistory());
  store.SetDuplicate(store.Duplicate());
  TClipBase::Batch batch(store);
  for (Entry& e : data.entries) {
    // The store compares a new history clip with page 0, which is a user
    // menu's or a static clip while the history is still empty; the first
    // history clip must not be dropped for matching one of those. With no
    // history clip yet, the check has nothing else to do; without the
    // duplicate rule, equal clips in a row (two new clips) stay as saved.
    const bool check = e.slot != clipstore::kHistorySlot || (store.Duplicate() && store.HistoryCount() > 0);
    store.AddClip(layout.SlotMenu(e.slot), e.slot, check, std::move(e.text));
  }
}

enum class Loaded { kLoaded, kMissing, kUnreadable, kDamaged };

// Loads the prepared file without a message; a damaged file leaves the
// store cleared.
Loaded LoadPrepared(TClipBase& store, PreparedHistory& file) {
  if (file.status == ReadStatus::kMissing) return Loaded::kMissing;
  if (file.status == ReadStatus::kError) return Loaded::kUnreadable;
  store.ClearClips();
  store.ClearSlots();
  if (!file.data) return Loaded::kDamaged;
  Rebuild(store, *file.data);
  return Loaded::kLoaded;
}

Loaded ReadHistory(TClipBase& store, Files& files, std::string_view path) {
  PreparedHistory file = PrepareHistory(files.Read(path, kMaxHistoryFileBytes));
  return LoadPrepared(store, file);
}

void ResetAfterDamage(TClipBase& store, MessageBoxes& messages, std::string_view message) {
  messages.ErrorBox(message, 0);
  store.ClearClips();
  store.ClearSlots();
  store.DefineDefaultSlots();
}

std::size_t HistoryDataSize(const TClipBase& store) {
  std::size_t size = 1 + kSlotRecordsSize;
  for (int i = 0; i < store.PageCount(); ++i) size += store.Page(i).text.size() + 2;
  return size;
}

}  // namespace

bool HistoryDataBuilder::Start(const TClipBase& store) {
  out_.clear();
  revision_ = store.Revision();
  page_ = store.PageCount() - 1;
  copied_ = 0;
  length_ = kNotMeasured;
  const std::size_t size = HistoryDataSize(store);
  if (size > kMaxHistoryFileBytes) return false;
  out_.reserve(size);
  return true;
}

HistoryDataBuilder::Progress HistoryDataBuilder::Step(const TClipBase& store, std::size_t maxBytes) {
  if (store.Revision() != revision_) return Progress::kStale;
  // The clips in reverse page order, each a slot byte, the text up to any
  // zero byte, and a zero byte; copied maxBytes at a time.
  std::size_t budget = maxBytes;
  for (; page_ >= 0; --page_, copied_ = 0, length_ = kNotMeasured) {
    const clipstore::Clip& clip = store.Page(page_);
    const std::string_view text = clip.text;
    if (length_ == kNotMeasured) {
      length_ = std::min(text.find('\0'), text.size());
      out_.push_back(static_cast<char>(clip.slot.Number()));
    }
    const std::size_t part = std::min(length_ - copied_, budget);
    out_.append(text.substr(copied_, part));
    copied_ += part;
    budget -= part;
    if (copied_ < length_) return Progress::kMore;
    out_.push_back('\0');
    if (budget == 0) {
      --page_, copied_ = 0, length_ = kNotMeasured;
      return page_ >= 0 ? Progress::kMore : Finish(store);
    }
  }
  return Finish(store);
}

HistoryDataBuilder::Progress HistoryDataBuilder::Finish(const TClipBase& store) {
  out_.push_back(static_cast<char>(kHistoryEndMarker));
  const std::size_t records = out_.size();
  out_.resize(records + kSlotRecordsSize, '\0');
  for (int s = 0; s < kSlotCount; ++s) {
    const std::size_t at = records + static_cast<std::size_t>(s) * kSlotRecordSize;
    const TMenuSlot& slot = store.Slot(s);
    WriteShortString(out_, at + kNameOffset, slot.Name);
    WriteShortString(out_, at + kPatternOffset, slot.Pattern);
    WriteShortString(out_, at + kCaptionOffset, slot.Caption);
    WriteInt(out_, at + kNodeOffset, slot.Node ? 1 : 0);
    WriteInt(out_, at + kMenuItemOffset, 0);
    WriteInt(out_, at + kMaxCountOffset, slot.MaxCount);
    out_[at + kDuplicateOffset] = slot.Duplicate ? 1 : 0;
  }
  return Progress::kDone;
}

std::string BuildHistoryData(const TClipBase& store) {
  HistoryDataBuilder builder;
  builder.Start(store);  // past the loader's limit too: the saves refuse such a store themselves
  builder.Step(store, std::string::npos);
  return builder.Take();
}

bool LoadHistory(TClipBase& store, Files& files, MessageBoxes& messages, std::string_view path) {
  const Loaded loaded = ReadHistory(store, files, path);
  if (loaded == Loaded::kDamaged) ResetAfterDamage(store, messages, kDamaged);
  return loaded == Loaded::kLoaded;
}

bool ReadHistoryFile(TClipBase& store, Files& files, std::string_view path) {
  return ReadHistory(store, files, path) == Loaded::kLoaded;
}

bool SaveHistory(const TClipBase& store, Files& files, std::string_view path) {
  // A file the loader would refuse is never written.
  if (HistoryDataSize(store) > kMaxHistoryFileBytes) return false;
  return files.WriteReplacing(path, BuildHistoryData(store));
}

bool SaveHistory(const TClipBase& store, DataFileSaver& saver, SaveMoment moment) {
  if (HistoryDataSize(store) > kMaxHistoryFileBytes) return RefuseHistorySave(saver, moment);
  return saver.Save(BuildHistoryData(store), moment);
}

bool RefuseHistorySave(DataFileSaver& saver, SaveMoment moment) {
  return saver.Refuse(kTooLargeToSave, moment);
}

std::string DriveOf(std::string_view folder) {
  std::size_t end = 0;
  for (int i = 0; i < 2 && end < folder.size(); ++i) end += sjis::CharLength(folder, end);
  return std::string(folder.substr(0, end));
}

void AddFirstRunClips(TClipBase& store, Clipboard& clipboard, std::string_view programFolder) {
  const std::string s = "\r\n=====\r\n";
  const std::string d = DriveOf(programFolder);
  const std::string samples[] = {
      ";ツリー関数(#Tree)のサンプルです\r\n選択されたフォルダは" + s + "$t(" + d + ")" + s + "です。",
      ";ファイラー関数(#Filer)のサンプルです\r\n<例>選択されたファイル名は" + s + "$r()" + s + "です。",
      ";入力関数(#Input)のサンプルです\r\n<例>実行時に入力されたデータは" + s + "$i(入力してみてね。)" + s +
          "です。",
      ";時刻に関する変数のサンプルです\r\n<例>現在は19$y年$m月$d日の $h時$n分$s秒です。",
  };
  clipstore::PopupLayout& layout = store.Layout();
  for (const std::string& sample : samples)
    store.AddClip(layout.Static(), clipstore::kStaticSlot, true, sample);
  const Copy copy = TakeCopy(clipboard);
  if (copy.verdict == CopyVerdict::kRecord)
    store.AddClip(layout.History(), clipstore::kHistorySlot, true, copy.text, copy.original);
}

PreparedHistory PrepareHistory(FileContents file) {
  PreparedHistory prepared;
  prepared.status = file.status;
  if (file.status == ReadStatus::kMissing || file.status == ReadStatus::kError) return prepared;
  auto data = std::make_unique<HistoryData>();
  if (file.status == ReadStatus::kOk && ParseHistory(file.bytes, *data)) prepared.data = std::move(data);
  return prepared;
}

std::future<PreparedHistory> PrepareHistoryAhead(Files& files, std::string path) {
  return std::async(std::launch::async, [&files, path = std::move(path)] {
    return PrepareHistory(files.Read(path, kMaxHistoryFileBytes));
  });
}

void StartHistory(TClipBase& store, Files& files, MessageBoxes& messages, Clipboard& clipboard,
                  DataFileSaver& saver, std::string_view programFolder) {
  StartHistory(store, PrepareHistory(files.Read(saver.Path(), kMaxHistoryFileBytes)), files, messages,
               clipboard, saver, programFolder);
}

void StartHistory(TClipBase& store, PreparedHistory file, Files& files, MessageBoxes& messages,
                  Clipboard& clipboard, DataFileSaver& saver, std::string_view programFolder) {
  const std::string& path = saver.Path();
  Loaded loaded = LoadPrepared(store, file);
  if (loaded == Loaded::kLoaded) return;
  if (loaded == Loaded::kDamaged) {
    // The saves at exit would put the empty store in its place and then
    // rotate it out of the .bak as well.
    const std::string kept = saver.AsideName("damaged");
    if (files.Rename(path, kept)) {
      ResetAfterDamage(store, messages, kDamaged + (kKeptAside + kept));
    } else {
      loaded = Loaded::kUnreadable;
    }
  }
  if (loaded == Loaded::kUnreadable) {
    // The user's clips are still in there: no samples, and no save over them.
    store.DefineDefaultSlots();
    saver.Block();
    return;
  }
  // The samples need the history and static menus to land in.
  if (!store.Slot(clipstore::kHistorySlot).Node || !store.Slot(clipstore::kStaticSlot).Node)
    store.DefineDefaultSlots();
  AddFirstRunClips(store, clipboard, programFolder);
}

}  // namespace ambrel::app
