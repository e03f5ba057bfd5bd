#include "expand/meta_list.h"

#include <algorithm>
#include <utility>

namespace ambrel::expand {

void MetaList::RowsChanged() {
  if (observer_) observer_->OnRowsChanged();
}

void MetaList::Clear() {
  rows_.clear();
  RowsChanged();
}

void MetaList::Assign(std::vector<MetaRow> rows) {
  rows_ = std::move(rows);
  RowsChanged();
}

int MetaList::Append(std::string caption, std::string data) {
  rows_.push_back({std::move(caption), std::move(data)});
  RowsChanged();
  return Count() - 1;
}

void MetaList::Update(int index, std::string caption, std::string data) {
  if (index < 0 || index >= Count()) return;
  rows_[static_cast<std::size_t>(index)] = {std::move(caption), std::move(data)};
  RowsChanged();
}

void MetaList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  rows_.erase(rows_.begin() + index);
  RowsChanged();
}

int MetaList::Move(int from, int target) {
  const int moved = MoveRow(rows_, from, target);
  if (moved >= 0) RowsChanged();
  return moved;
}

void MetaList::SetMetaExpand(bool on) {
  metaExpand_ = on;
  if (observer_) observer_->OnMetaExpandChanged();
}

std::vector<MetaRow> DefaultMetaList() {
  return {
      {"$y", "$Year"},     {"$m", "$Month"},     {"$d", "$Date"},    {"$h", "$Hour"},
      {"$n", "$Minute"},   {"$s", "$Second"},    {"$c", "$CrntDir"}, {"$b", "$ClipBoard"},
      {"$$", "$MetaChar"}, {"$f", "#FileData"},  {"$v", "#Env"},     {"$i", "#Input"},
      {"$e", "#Edit"},     {"$r", "#Filer"},     {"$l", "#List"},    {"$t", "#Tree"},
      {"$x", "こんにちは"},
  };
}

namespace {

// The text from pos up to the next zero byte or the end; pos moves past the
// zero byte.
std::string_view TakeText(std::string_view block, std::size_t& pos) {
  const std::size_t end = std::min(block.find('\0', pos), block.size());
  std::string_view text = block.substr(pos, end - pos);
  pos = end < block.size() ? end + 1 : end;
  return text;
}

std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

bool ParseMetaData(std::string_view block, std::vector<MetaRow>& rows) {
  std::size_t pos = 0;
  while (pos < block.size() && block[pos] != '\0') {
    if (rows.size() >= kMaxMetaRows) return false;
    std::string_view caption = TakeText(block, pos);
    std::string_view data = TakeText(block, pos);
    rows.push_back({std::string(caption), std::string(data)});
  }
  return true;
}

std::string BuildMetaData(const std::vector<MetaRow>& rows) {
  std::size_t size = 1;
  for (const MetaRow& row : rows) size += row.caption.size() + row.data.size() + 2;
  std::string out;
  out.reserve(size);
  for (const MetaRow& row : rows) {
    const std::string_view caption = UpToNul(row.caption);
    if (caption.empty()) continue;
    out.append(caption);
    out.push_back('\0');
    out.append(UpToNul(row.data));
    out.push_back('\0');
  }
  out.push_back('\0');
  return out;
}

}  // namespace ambrel::expand
