// The user's table of static variables: rows of a meta character ("$" and one
// character) and the function name or text it stands for, in display order.
// The first row whose character matches wins, so the order is kept as is and
// duplicates are allowed. The TMeta window shows this list and edits it
// through these operations.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ambrel::expand {

struct MetaRow {
  std::string caption;  // "$" + the meta character
  std::string data;     // a function name or any text, CR LF line ends allowed

  bool operator==(const MetaRow&) const = default;
};

class MetaListObserver {
 public:
  virtual ~MetaListObserver() = default;
  virtual void OnRowsChanged() {}
  virtual void OnMetaExpandChanged() {}
};

// More rows than this are never read from a file: a hostile file must not be
// able to exhaust memory row by row, yet a table of a hundred thousand rows
// still loads whole (the window shows the rows on demand).
inline constexpr std::size_t kMaxMetaRows = 1u << 20;

class MetaList {
 public:
  void SetObserver(MetaListObserver* observer) { observer_ = observer; }

  const std::vector<MetaRow>& Rows() const { return rows_; }
  int Count() const { return static_cast<int>(rows_.size()); }
  const MetaRow& Row(int index) const { return rows_[static_cast<std::size_t>(index)]; }

  void Clear();
  void Assign(std::vector<MetaRow> rows);
  // Returns the new row's index.
  int Append(std::string caption, std::string data);
  // Out-of-range indexes are ignored.
  void Update(int index, std::string caption, std::string data);
  void Delete(int index);
  // Drag and drop of a row onto the row target (-1: below the last row).
  // Returns the moved row's new index, or -1 when nothing moved.
  int Move(int from, int target);

  // Whether static clips are expanded at paste time.
  bool MetaExpand() const { return metaExpand_; }
  void SetMetaExpand(bool on);

 private:
  void RowsChanged();

  std::vector<MetaRow> rows_;
  bool metaExpand_ = true;
  MetaListObserver* observer_ = nullptr;
};

// A row of rows dragged onto the row target (-1 or past the end: below the
// last row): a copy goes in after the target when the row comes from above
// it, before it otherwise, then the original goes. Returns the row's new
// index, or -1 when from is no row.
template <typename Row>
int MoveRow(std::vector<Row>& rows, int from, int target) {
  const int count = static_cast<int>(rows.size());
  if (from < 0 || from >= count) return -1;
  if (target < 0 || target >= count) target = count - 1;
  const int insertAt = from < target ? target + 1 : target;
  Row copy = rows[static_cast<std::size_t>(from)];
  rows.insert(rows.begin() + insertAt, std::move(copy));
  const int original = from < insertAt ? from : from + 1;
  rows.erase(rows.begin() + original);
  return original < insertAt ? insertAt - 1 : insertAt;
}

// The seventeen rows a new or empty table starts with.
std::vector<MetaRow> DefaultMetaList();

// Appends the rows held in block: caption, 0x00, data, 0x00, ... until an
// empty caption or the end of the block. The end of the block counts as a
// zero byte, so a last entry without its zero bytes is still read. Stops
// when rows holds kMaxMetaRows rows and returns false if more were to come.
bool ParseMetaData(std::string_view block, std::vector<MetaRow>& rows);

// The file form of rows: each caption and data followed by 0x00, then the
// closing 0x00. Text after a NUL cannot be stored and is dropped; a row with
// an empty caption would end the list early and is left out.
std::string BuildMetaData(const std::vector<MetaRow>& rows);

}  // namespace ambrel::expand
