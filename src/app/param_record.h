// The parameter file "Ambrel.prm": one fixed 2140-byte record holding every
// setting, read once at start-up and pushed into the components that use the
// settings, collected back from them and written at exit. The record is kept
// byte for byte, so the reserved blocks and padding of a file go back out as
// they came in.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "help_contexts.h"
#include "platform/data_file_saver.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/save_worker.h"

namespace ambrel::clipstore {
class TClipBase;
}
namespace ambrel::options {
class Settings;
struct SettingRow;
}
namespace ambrel::expand {
class MetaList;
}

namespace ambrel::app {

static_assert(std::endian::native == std::endian::little,
              "the record is copied as it lies in memory: little-endian integers");

inline constexpr std::size_t kParamRecordSize = 2140;
// Bytes 0..291 (the first reserved block and MaxHistory) are stored negated.
inline constexpr std::size_t kNegatedBytes = 292;
inline constexpr std::string_view kParamFileName = "Ambrel.prm";
// Anything this large is not a parameter file.
inline constexpr std::uint64_t kMaxParamFileBytes = 1u << 20;

// A length byte and N bytes of Shift-JIS text; bytes past the length are
// undefined and a length above N is read as N.
template <std::size_t N>
struct ShortString {
  std::uint8_t length;
  char text[N];

  std::string Get() const { return std::string(text, length < N ? length : N); }
  // Cut to N bytes at a character boundary; the unused tail is zeroed.
  void Set(std::string_view value);
};

struct TRect {
  std::int32_t left, top, width, height;
};

struct TFontRecord {
  std::int32_t Color;
  std::int32_t Height;
  ShortString<32> Name;
  std::uint8_t Style;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
  std::uint8_t pad1[2];
  std::int32_t Size;
};

// Flags are bytes, not bool: a file may hold any value there, and only 0
// means false.
struct TParamRecord {
  std::uint8_t reserved0[288];
  std::int32_t MaxHistory;
  std::uint8_t reserved1[12];
  std::uint16_t HotKey;
  std::uint8_t FirstLine;
  std::uint8_t pad1;
  std::int32_t MenuLen;
  std::uint8_t reserved2[568];
  std::uint8_t PopupHint;
  ShortString<255> CrChar;
  std::uint8_t WordWrap;
  std::uint8_t reserved3[6];
  std::uint8_t UpperTab;
  std::uint8_t MultiLine;
  std::uint8_t MultiLineBar;
  std::uint8_t Distribute;
  TFontRecord EditFont;
  TRect MainBounds;
  ShortString<255> TabChar;
  std::uint8_t MetaExpand;
  std::uint8_t Duplicate;
  std::uint8_t reserved4[6];
  std::uint8_t MenuMenu;
  std::uint8_t pad2[3];
  std::int32_t TreeH;
  std::int32_t TreeW;
  TRect PreviewBounds;
  std::uint8_t ShowDebugPage;
  std::uint8_t OptionMenu;
  ShortString<255> Quote;
  std::uint8_t HelpMenu;
  std::uint8_t GridLine;
  std::uint8_t DskTpFocus;
  std::uint8_t TreeBtn;
  std::uint8_t DebugMode;
  std::uint8_t pad3;
  std::int32_t VertWindow;
  std::uint8_t ChangeSpace;
  std::uint8_t pad4[3];
  TRect TreeBounds;
  TRect ListBounds;
  TRect InputBounds;
  std::uint8_t Beginner;
  std::uint8_t FullMatching;
  std::uint8_t ListAutoSel;
  std::uint8_t TreeAutoSel;
  std::uint8_t DataSave;
  std::uint8_t pad5[3];
  std::int32_t PopupPos;
  ShortString<30> MenuCap;
  std::uint8_t pad6;
  std::int32_t MenuId;
  std::uint8_t MenuLink;
  std::uint8_t EditLink;
  std::uint8_t StaticComment;
  std::uint8_t pad7;
  std::int32_t Interval;
  std::int32_t PasteMethod;
  ShortString<255> SpaceChar;
};

static_assert(std::is_trivially_copyable_v<TParamRecord> && std::is_standard_layout_v<TParamRecord>);
static_assert(sizeof(ShortString<255>) == 256 && sizeof(ShortString<30>) == 31);
static_assert(sizeof(TFontRecord) == 48);
static_assert(offsetof(TFontRecord, Name) == 8 && offsetof(TFontRecord, Style) == 41 &&
              offsetof(TFontRecord, Size) == 44);
static_assert(sizeof(TParamRecord) == kParamRecordSize);
static_assert(offsetof(TParamRecord, MaxHistory) == 288);
static_assert(offsetof(TParamRecord, HotKey) == 304);
static_assert(offsetof(TParamRecord, FirstLine) == 306);
static_assert(offsetof(TParamRecord, MenuLen) == 308);
static_assert(offsetof(TParamRecord, PopupHint) == 880);
static_assert(offsetof(TParamRecord, CrChar) == 881);
static_assert(offsetof(TParamRecord, WordWrap) == 1137);
static_assert(offsetof(TParamRecord, UpperTab) == 1144);
static_assert(offsetof(TParamRecord, MultiLine) == 1145);
static_assert(offsetof(TParamRecord, MultiLineBar) == 1146);
static_assert(offsetof(TParamRecord, Distribute) == 1147);
static_assert(offsetof(TParamRecord, EditFont) == 1148);
static_assert(offsetof(TParamRecord, MainBounds) == 1196);
static_assert(offsetof(TParamRecord, TabChar) == 1212);
static_assert(offsetof(TParamRecord, MetaExpand) == 1468);
static_assert(offsetof(TParamRecord, Duplicate) == 1469);
static_assert(offsetof(TParamRecord, MenuMenu) == 1476);
static_assert(offsetof(TParamRecord, TreeH) == 1480);
static_assert(offsetof(TParamRecord, TreeW) == 1484);
static_assert(offsetof(TParamRecord, PreviewBounds) == 1488);
static_assert(offsetof(TParamRecord, ShowDebugPage) == 1504);
static_assert(offsetof(TParamRecord, OptionMenu) == 1505);
static_assert(offsetof(TParamRecord, Quote) == 1506);
static_assert(offsetof(TParamRecord, HelpMenu) == 1762);
static_assert(offsetof(TParamRecord, GridLine) == 1763);
static_assert(offsetof(TParamRecord, DskTpFocus) == 1764);
static_assert(offsetof(TParamRecord, TreeBtn) == 1765);
static_assert(offsetof(TParamRecord, DebugMode) == 1766);
static_assert(offsetof(TParamRecord, VertWindow) == 1768);
static_assert(offsetof(TParamRecord, ChangeSpace) == 1772);
static_assert(offsetof(TParamRecord, TreeBounds) == 1776);
static_assert(offsetof(TParamRecord, ListBounds) == 1792);
static_assert(offsetof(TParamRecord, InputBounds) == 1808);
static_assert(offsetof(TParamRecord, Beginner) == 1824);
static_assert(offsetof(TParamRecord, FullMatching) == 1825);
static_assert(offsetof(TParamRecord, ListAutoSel) == 1826);
static_assert(offsetof(TParamRecord, TreeAutoSel) == 1827);
static_assert(offsetof(TParamRecord, DataSave) == 1828);
static_assert(offsetof(TParamRecord, PopupPos) == 1832);
static_assert(offsetof(TParamRecord, MenuCap) == 1836);
static_assert(offsetof(TParamRecord, MenuId) == 1868);
static_assert(offsetof(TParamRecord, MenuLink) == 1872);
static_assert(offsetof(TParamRecord, EditLink) == 1873);
static_assert(offsetof(TParamRecord, StaticComment) == 1874);
static_assert(offsetof(TParamRecord, Interval) == 1876);
static_assert(offsetof(TParamRecord, PasteMethod) == 1880);
static_assert(offsetof(TParamRecord, SpaceChar) == 1884);

// The file bytes of a record (bytes 0..291 negated) and back. Decoding takes
// the first 2140 bytes and fails on fewer.
std::string EncodeParamRecord(const TParamRecord& record);
bool DecodeParamRecord(std::string_view bytes, TParamRecord& record);

// The five windows whose places the record keeps.
enum class ParamWindow { kMain, kPreview, kTree, kList, kInput };

class ParamWindows {
 public:
  virtual ~ParamWindows() = default;
  virtual TRect Bounds(ParamWindow window) = 0;
  virtual void SetBounds(ParamWindow window, const TRect& bounds) = 0;
  // Centres the editor window on the screen (first start).
  virtual void CenterMainWindow() = 0;
};

// The components the record is applied to and collected from. Without
// windows the five rectangles stay as they are in the record.
struct ParamTargets {
  clipstore::TClipBase& store;
  options::Settings& settings;
  expand::MetaList& meta;
  ParamWindows* windows = nullptr;
};

// What the user is told when the file cannot be saved.
inline constexpr SaveFailureNotice kParamSaveFailed{"パラメータが保存出来ません。", kHelpParamWrite};

class ParamFile {
 public:
  // saver: program folder + "Ambrel.prm", where the file is read and written.
  ParamFile(Files& files, MessageBoxes& messages, ParamTargets targets, DataFileSaver& saver);

  // Reads and applies the file. A missing file starts afresh (FirstRun). A
  // short or oversized one is reported, kept aside as
  // path + ".damaged-<date>-<time>" and replaced by defaults. One that is
  // there but cannot be read (or cannot be moved aside) blocks the saver, so
  // the defaults never replace it. Always true.
  bool LoadParams();
  // Collects and writes where the saver says; on failure the saver reports
  // and the previous file stays in place.
  bool SaveParams();
  // The exit's save, written by the worker.
  void SubmitParams(SaveWorker& worker);
  // Centres the editor, collects the components' current (default) state and
  // writes it, unless the file there could not be read.
  void InitParams();
  // Fills every setting field from the components, as the settings table
  // places them; reserved and padding bytes keep what was read.
  void CollectParams();
  // Pushes the record into the components in their fixed order.
  void ApplyParams();
  // The settings that need the hook library or the fonts: MenuLink,
  // Beginner, EditFont.
  void ApplyLateParams();

  // True when no parameter file existed at start-up (greeting follows).
  bool FirstRun() const { return firstRun_; }
  const TParamRecord& Record() const { return record_; }
  TParamRecord& Record() { return record_; }

 private:
  // One row of the settings table from its holder into the record, and back.
  void CollectRow(const options::SettingRow& row);
  void ApplyRow(const options::SettingRow& row);

  Files& files_;
  MessageBoxes& messages_;
  ParamTargets targets_;
  DataFileSaver& saver_;
  TParamRecord record_{};
  bool firstRun_ = false;
};

}  // namespace ambrel::app
