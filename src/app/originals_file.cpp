#include "app/originals_file.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "clipstore/clip_store.h"
#include "platform/sjis.h"
#include "platform/utf8.h"

namespace ambrel::app {
namespace {

using clipstore::Clip;
using clipstore::TClipBase;

constexpr std::string_view kHeader = "AmbrelOriginals 1\r\n";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHistoryExtension = ".HST";
constexpr std::string_view kOriginalsExtension = ".hsu";

struct Entry {
  int slot = 0;
  std::size_t position = 0;
  std::uint64_t hash = 0;
  std::u16string original;
};

// The place of each page among the clips of its slot.
std::vector<std::size_t> PositionsInSlots(const TClipBase& store) {
  std::vector<std::size_t> seen(clipstore::kSlotCount, 0), positions;
  positions.reserve(static_cast<std::size_t>(store.PageCount()));
  for (int i = 0; i < store.PageCount(); ++i)
    positions.push_back(seen[static_cast<std::size_t>(store.Page(i).slot.Number())]++);
  return positions;
}

template <typename Number>
bool ReadNumber(std::string_view& line, Number& value, int base = 10) {
  const std::size_t end = line.find(' ');
  const std::string_view field = line.substr(0, end);
  const auto [ptr, error] = std::from_chars(field.data(), field.data() + field.size(), value, base);
  if (field.empty() || error != std::errc() || ptr != field.data() + field.size()) return false;
  line.remove_prefix(end == std::string_view::npos ? line.size() : end + 1);
  return true;
}

// Splits the file into entries; false for anything the program never writes.
bool ParseOriginals(std::string_view bytes, std::vector<Entry>& entries) {
  if (bytes.substr(0, kHeader.size()) != kHeader) return false;
  bytes.remove_prefix(kHeader.size());
  while (!bytes.empty()) {
    const std::size_t end = bytes.find(kLineEnd);
    if (end == std::string_view::npos) return false;
    std::string_view line = bytes.substr(0, end);
    Entry e;
    std::size_t length = 0;
    if (!ReadNumber(line, e.slot) || !ReadNumber(line, e.position) || !ReadNumber(line, e.hash, 16) ||
        !ReadNumber(line, length) || !line.empty())
      return false;
    bytes.remove_prefix(end + kLineEnd.size());
    if (length > bytes.size() || bytes.substr(length, kLineEnd.size()) != kLineEnd) return false;
    std::optional<std::u16string> original = utf8::ToUtf16(bytes.substr(0, length));
    if (!original) return false;
    e.original = std::move(*original);
    bytes.remove_prefix(length + kLineEnd.size());
    entries.push_back(std::move(e));
  }
  return true;
}

}  // namespace

std::string OriginalsPathBeside(std::string_view historyPath) {
  const std::size_t dot = sjis::FindLastOf(historyPath, ".");
  bool isHistory = dot != std::string_view::npos && historyPath.size() - dot == kHistoryExtension.size();
  for (std::size_t i = 0; isHistory && i < kHistoryExtension.size(); ++i)
    isHistory = sjis::AsciiUpper(historyPath[dot + i]) == kHistoryExtension[i];
  return std::string(historyPath.substr(0, isHistory ? dot : historyPath.size())).append(kOriginalsExtension);
}

std::uint64_t TextHash(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash;
}

std::string BuildOriginalsData(const TClipBase& store) {
  std::string out(kHeader);
  const std::vector<std::size_t> positions = PositionsInSlots(store);
  for (int i = 0; i < store.PageCount(); ++i) {
    const Clip& clip = store.Page(i);
    if (clip.original.empty()) continue;
    const std::string original = utf8::FromUtf16(clip.original);
    char line[96];
    std::snprintf(line, sizeof line, "%d %zu %016llx %zu\r\n", clip.slot.Number(),
                  positions[static_cast<std::size_t>(i)], static_cast<unsigned long long>(TextHash(clip.text)),
                  original.size());
    out.append(line).append(original).append(kLineEnd);
  }
  return out;
}

int ApplyOriginalsData(TClipBase& store, std::string_view bytes) {
  std::vector<Entry> entries;
  if (!ParseOriginals(bytes, entries)) return 0;
  // The pages of each slot in order, so that any number of entries costs
  // time in proportion to their number.
  std::vector<std::vector<int>> pagesOfSlot(clipstore::kSlotCount);
  for (int i = 0; i < store.PageCount(); ++i)
    pagesOfSlot[static_cast<std::size_t>(store.Page(i).slot.Number())].push_back(i);
  int given = 0;
  for (Entry& e : entries) {
    if (e.slot < 0 || e.slot >= clipstore::kSlotCount) continue;
    const std::vector<int>& pages = pagesOfSlot[static_cast<std::size_t>(e.slot)];
    if (e.position >= pages.size()) continue;
    const int page = pages[e.position];
    const Clip& clip = store.Page(page);
    // A static clip is expanded, never pasted as it was copied.
    if (clip.slot.IsStatic() || !clip.original.empty() || e.original.empty() || TextHash(clip.text) != e.hash)
      continue;
    store.SetClipOriginal(page, std::move(e.original));
    ++given;
  }
  return given;
}

int LoadOriginals(TClipBase& store, Files& files, std::string_view path) {
  const FileContents file = files.Read(path, kMaxOriginalsFileBytes);
  return file.status == ReadStatus::kOk ? ApplyOriginalsData(store, file.bytes) : 0;
}

namespace {

bool HasOriginals(const TClipBase& store) {
  for (int i = 0; i < store.PageCount(); ++i)
    if (!store.Page(i).original.empty()) return true;
  return false;
}

}  // namespace

bool SaveOriginals(const TClipBase& store, Files& files, std::string_view path) {
  if (!HasOriginals(store) && !files.Exists(path)) return true;
  const std::string bytes = BuildOriginalsData(store);
  return bytes.size() <= kMaxOriginalsFileBytes && files.WriteReplacing(path, bytes);
}

void SubmitOriginals(const TClipBase& store, Files& files, DataFileSaver& saver, const DataFileSaver& history,
                     SaveWorker& worker, SaveMoment moment) {
  if (history.Blocked()) return;
  if (!HasOriginals(store) && !files.Exists(saver.Target())) return;
  std::string bytes = BuildOriginalsData(store);
  if (bytes.size() > kMaxOriginalsFileBytes) {
    saver.Refuse("元のテキストの合計が大きすぎて、読み込める大きさを超えます。", moment);
    return;
  }
  worker.Submit(saver, std::move(bytes), moment);
}

}  // namespace ambrel::app
