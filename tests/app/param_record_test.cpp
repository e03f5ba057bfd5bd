#include "app/param_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "clipstore/clip_store.h"
#include "expand/meta_list.h"
#include "options/settings.h"
#include "platform/fakes.h"
#include "help_contexts.h"

namespace ambrel::app {
namespace {

const std::string kPath = "C:\\Ambrel\\Ambrel.prm";
const std::string kReadFailure = "パラメータの読込に失敗しました。\r\n初期化して新たに読み直します。";

// Expected file bytes, written field by field from the layout table.
class Bytes {
 public:
  Bytes() : b_(kParamRecordSize, '\0') {}
  Bytes& Int(std::size_t off, std::int32_t v) {
    for (int i = 0; i < 4; ++i) b_[off + i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    return *this;
  }
  Bytes& Word(std::size_t off, std::uint16_t v) {
    b_[off] = static_cast<char>(v & 0xFF);
    b_[off + 1] = static_cast<char>(v >> 8);
    return *this;
  }
  Bytes& Byte(std::size_t off, int v) {
    b_[off] = static_cast<char>(v);
    return *this;
  }
  // A short string with room bytes after its length byte; the rest of the
  // room is zero.
  Bytes& Str(std::size_t off, const std::string& s, std::size_t room = 255) {
    std::memset(&b_[off + 1], 0, room);
    b_[off] = static_cast<char>(s.size());
    std::memcpy(&b_[off + 1], s.data(), s.size());
    return *this;
  }
  Bytes& Rect(std::size_t off, std::int32_t l, std::int32_t t, std::int32_t w, std::int32_t h) {
    return Int(off, l).Int(off + 4, t).Int(off + 8, w).Int(off + 12, h);
  }
  // The file form: bytes 0..291 negated.
  std::string File() const {
    std::string f = b_;
    for (std::size_t i = 0; i < 292; ++i) f[i] = static_cast<char>((256 - static_cast<unsigned char>(f[i])) % 256);
    return f;
  }
  std::string& Plain() { return b_; }

 private:
  std::string b_;
};

// The record of a new installation, with the test windows' rectangles and
// tree sizes from a 480 x 300 centre panel.
Bytes DefaultRecord() {
  Bytes r;
  r.Int(288, 5).Word(304, 0x6056).Byte(306, 0).Int(308, 80);
  r.Byte(880, 1).Str(881, "⇔").Byte(1137, 0);
  r.Byte(1144, 1).Byte(1145, 0).Byte(1146, 1).Byte(1147, 1);
  r.Int(1148, 0x00FF0000).Int(1152, -16).Str(1156, "ＭＳ Ｐゴシック", 32).Byte(1189, 0).Int(1192, 12);
  r.Rect(1196, 100, 50, 514, 436);
  r.Str(1212, "⇒").Byte(1468, 1).Byte(1469, 1).Byte(1476, 1);
  r.Int(1480, 150).Int(1484, 160);
  r.Rect(1488, 1, 2, 300, 200);
  r.Byte(1504, 0).Byte(1505, 1).Str(1506, "\x81\x74");
  r.Byte(1762, 1).Byte(1763, 0).Byte(1764, 0).Byte(1765, 1).Byte(1766, 0);
  r.Int(1768, 1).Byte(1772, 0);
  r.Rect(1776, 3, 4, 250, 350).Rect(1792, 5, 6, 260, 360).Rect(1808, 7, 8, 270, 120);
  r.Byte(1824, 1).Byte(1825, 0).Byte(1826, 1).Byte(1827, 1).Byte(1828, 1);
  r.Int(1832, 0).Str(1836, "AMBREL", 30).Int(1868, 28431);
  r.Byte(1872, 0).Byte(1873, 1).Byte(1874, 1).Int(1876, 1).Int(1880, 1);
  r.Str(1884, "□");
  return r;
}

class FakeWindows : public ParamWindows {
 public:
  FakeWindows() {
    bounds[ParamWindow::kMain] = {10, 20, 514, 436};
    bounds[ParamWindow::kPreview] = {1, 2, 300, 200};
    bounds[ParamWindow::kTree] = {3, 4, 250, 350};
    bounds[ParamWindow::kList] = {5, 6, 260, 360};
    bounds[ParamWindow::kInput] = {7, 8, 270, 120};
  }
  TRect Bounds(ParamWindow w) override { return bounds[w]; }
  void SetBounds(ParamWindow w, const TRect& r) override {
    bounds[w] = r;
    order.push_back(w);
  }
  void CenterMainWindow() override {
    bounds[ParamWindow::kMain].left = 100;
    bounds[ParamWindow::kMain].top = 50;
  }
  std::map<ParamWindow, TRect> bounds;
  std::vector<ParamWindow> order;
};

class FakeHook : public options::HookControl {
 public:
  void SetKeyCode(std::uint8_t key, bool, bool, bool) override { calls.push_back("key " + std::to_string(key)); }
  void SetPasteKeyCode(int code) override { calls.push_back("paste " + std::to_string(code)); }
  void SetMenuInfo(bool link, bool, std::string_view, int) override {
    calls.push_back(std::string("menu ") + (link ? "on" : "off"));
  }
  bool Installed() const override { return installed; }
  bool installed = true;
  std::vector<std::string> calls;
};

class ParamFileTest : public ::testing::Test {
 protected:
  ParamFileTest() {
    store.DefineDefaultSlots();
    settings.InitTreeSize(480, 300);
  }

  ParamFile MakeFile() { return ParamFile(files, messages, {store, settings, meta, &windows}, saver); }

  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  FakeHook hook;
  options::Settings settings{&hook};
  expand::MetaList meta;
  FakeWindows windows;
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
  fakes::FakeClock clock;
  DataFileSaver saver{files, messages, clock, kPath, kParamSaveFailed};
};

TEST_F(ParamFileTest, FirstStartWritesTheDefaultRecord) {
  ParamFile params = MakeFile();
  EXPECT_TRUE(params.LoadParams());
  EXPECT_TRUE(params.FirstRun());
  EXPECT_TRUE(messages.shown.empty());

  const std::string written = files.Get(kPath).value();
  ASSERT_EQ(written.size(), 2140u);
  EXPECT_EQ(static_cast<unsigned char>(written[288]), 251);
  EXPECT_EQ(written.substr(289, 3), std::string(3, '\0'));
  const std::string expected = DefaultRecord().File();
  for (std::size_t i = 0; i < expected.size(); ++i)
    ASSERT_EQ(static_cast<unsigned char>(written[i]), static_cast<unsigned char>(expected[i])) << "byte " << i;
}

TEST_F(ParamFileTest, StoredRecordIsAppliedAndWrittenBackUnchanged) {
  Bytes in = DefaultRecord();
  // Reserved blocks and padding carry data the program never interprets.
  for (std::size_t i = 0; i < 288; ++i) in.Byte(i, static_cast<int>(i * 7 + 3));
  in.Byte(292, 0xAA).Byte(307, 0x55).Byte(600, 0x11).Byte(1140, 0x22).Byte(1190, 0x33);
  in.Byte(1477, 0x44).Byte(1767, 0x66).Byte(1867, 0x77).Byte(1875, 0x88);
  in.Int(288, 17).Word(304, 0x4041).Byte(306, 1).Int(308, 120).Byte(880, 0).Str(881, "<CR>");
  in.Byte(1137, 1).Byte(1145, 1).Str(1212, "<TAB>").Byte(1468, 0).Byte(1469, 0);
  in.Int(1148, 0x123456).Str(1156, "Courier", 32).Byte(1189, 3).Int(1192, 9);
  in.Rect(1196, -5, 7, 800, 600).Str(1506, "> ").Byte(1763, 1).Int(1768, 0).Byte(1772, 1);
  in.Byte(1824, 0).Int(1832, 3).Str(1836, "CLIPS", 30).Int(1868, 4000).Byte(1872, 1);
  in.Int(1876, 7).Int(1880, 2).Str(1884, "_");
  files.files[kPath] = in.File();

  ParamFile params = MakeFile();
  params.LoadParams();
  EXPECT_FALSE(params.FirstRun());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(store.MaxHistory(), 17);
  EXPECT_EQ(store.MenuLen(), 120);
  EXPECT_EQ(store.Captions().crChar, "<CR>");
  EXPECT_TRUE(store.Captions().firstLine);
  EXPECT_FALSE(store.Duplicate());
  EXPECT_TRUE(settings.GetWordWrap());
  EXPECT_FALSE(meta.MetaExpand());
  EXPECT_EQ(settings.HotKey(), 0x4041);
  EXPECT_EQ(settings.Quote(), "> ");
  EXPECT_EQ(settings.PasteMethod(), 2);
  EXPECT_EQ(windows.bounds[ParamWindow::kMain].width, 800);
  EXPECT_EQ(windows.order, (std::vector<ParamWindow>{ParamWindow::kMain, ParamWindow::kPreview,
                                                     ParamWindow::kTree, ParamWindow::kList,
                                                     ParamWindow::kInput}));
  // The hook-dependent settings wait for ApplyLateParams.
  EXPECT_FALSE(settings.MenuLink());
  EXPECT_TRUE(settings.Beginner());
  EXPECT_EQ(hook.calls, (std::vector<std::string>{"key 65", "paste 1"}));
  params.ApplyLateParams();
  EXPECT_TRUE(settings.MenuLink());
  EXPECT_FALSE(settings.Beginner());
  EXPECT_EQ(settings.GetEditorFont().name, "Courier");
  EXPECT_EQ(hook.calls.back(), "menu on");

  ASSERT_TRUE(params.SaveParams());
  EXPECT_EQ(files.Get(kPath).value(), in.File());
}

TEST_F(ParamFileTest, StoreClampsOutOfRangeValuesBeforeTheNextSave) {
  files.files[kPath] = DefaultRecord().Int(288, 50).Int(308, 5).File();
  ParamFile params = MakeFile();
  params.LoadParams();
  params.SaveParams();
  const std::string saved = files.Get(kPath).value();
  EXPECT_EQ(static_cast<unsigned char>(saved[288]), 256 - 30);
  EXPECT_EQ(static_cast<unsigned char>(saved[308]), 20);
}

TEST_F(ParamFileTest, NumericSettingsAreBroughtIntoRangeWhenApplied) {
  struct Case {
    std::int32_t interval, popupPos, pasteMethod, vertWindow, menuId, fontHeight, fontSize;
    std::vector<int> expected;
  };
  const std::vector<Case> cases = {
      {1, 0, 0, 0, 2, -400, 1, {1, 0, 0, 0, 2, -400, 1}},
      {10, 4, 2, 1, 0xFFFE, 400, 300, {10, 4, 2, 1, 0xFFFE, 400, 300}},
      {0, -1, -1, -1, 1, -401, 0, {1, 0, 0, 1, 2, -16, 12}},
      {11, 5, 3, 2, 0x10000, 401, 301, {10, 4, 2, 1, 0xFFFE, -16, 12}},
      {INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MAX,
       {10, 0, 2, 1, 2, -16, 12}},
  };
  for (const Case& c : cases) {
    files.files[kPath] = DefaultRecord()
                             .Int(1876, c.interval).Int(1832, c.popupPos).Int(1880, c.pasteMethod)
                             .Int(1768, c.vertWindow).Int(1868, c.menuId).Int(1152, c.fontHeight)
                             .Int(1192, c.fontSize).File();
    ParamFile params = MakeFile();
    params.LoadParams();
    params.ApplyLateParams();
    const options::EditorFont& font = settings.GetEditorFont();
    EXPECT_EQ((std::vector<int>{settings.Interval(), settings.PopupPos(), settings.PasteMethod(),
                                settings.VertWindow(), settings.MenuId(), font.height, font.size}),
              c.expected)
        << c.interval;
  }
}

TEST_F(ParamFileTest, DamagedFilesAreReportedKeptAsideAndReplacedByDefaults) {
  const std::vector<std::string> damaged = {std::string(100, 'x'), std::string(), std::string(2139, '\0')};
  const std::string kept = kPath + ".damaged-20240102-030405";
  for (std::size_t n = 0; n < damaged.size(); ++n) {
    files.files[kPath] = damaged[n];
    messages.shown.clear();
    ParamFile params = MakeFile();
    EXPECT_TRUE(params.LoadParams());
    EXPECT_FALSE(params.FirstRun());
    const std::string name = n == 0 ? kept : kept + "-" + std::to_string(n + 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kReadFailure + "\r\n元のファイルは次の名前で残しています:\r\n" + name);
    EXPECT_EQ(messages.shown[0].helpContext, kHelpParamRead);
    EXPECT_EQ(files.Get(name), damaged[n]);
    EXPECT_EQ(files.Get(kPath).value(), DefaultRecord().File()) << damaged[n].size() << " bytes";
  }
}

TEST_F(ParamFileTest, OversizedFileIsKeptAsideAndReplaced) {
  const std::string big(kMaxParamFileBytes + 1, '\0');
  files.files[kPath] = big;
  MakeFile().LoadParams();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(files.Get(kPath + ".damaged-20240102-030405"), big);
  EXPECT_EQ(files.Get(kPath).value(), DefaultRecord().File());
}

// A file held open by another program is not replaced by the defaults at
// start-up nor by the exit's save: that goes beside it, and the user is told
// so once.
TEST_F(ParamFileTest, FileThatCannotBeReadIsNeverWrittenOver) {
  for (const bool unreadable : {true, false}) {
    files = {};
    messages.shown.clear();
    DataFileSaver own{files, messages, clock, kPath, kParamSaveFailed};
    files.files[kPath] = unreadable ? DefaultRecord().Int(288, 9).File() : std::string(5, 'x');
    (unreadable ? files.unreadable : files.unmovable).insert(kPath);
    const std::string before = files.files[kPath];
    ParamFile params(files, messages, {store, settings, meta, &windows}, own);
    params.LoadParams();
    EXPECT_FALSE(params.FirstRun());
    ASSERT_EQ(messages.shown.size(), 1u) << unreadable;
    EXPECT_EQ(messages.shown[0].helpContext, kHelpDataFileUnreadable);
    const std::string beside = kPath + ".unsaved-20240102-030405";
    EXPECT_NE(messages.shown[0].text.find(beside), std::string::npos);
    EXPECT_TRUE(params.SaveParams());
    EXPECT_EQ(files.files[kPath], before) << unreadable;
    EXPECT_EQ(files.Get(beside), EncodeParamRecord(params.Record()));
    EXPECT_EQ(messages.shown.size(), 1u);
  }
}

TEST_F(ParamFileTest, LongerFileUsesItsFirstRecord) {
  files.files[kPath] = DefaultRecord().Int(288, 9).File() + "trailing";
  MakeFile().LoadParams();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(store.MaxHistory(), 9);
}

TEST_F(ParamFileTest, FailedSaveKeepsThePreviousFileAndReports) {
  files.files[kPath] = DefaultRecord().Int(288, 9).File();
  ParamFile params = MakeFile();
  params.LoadParams();
  store.SetMaxHistory(20);
  files.failAllWrites = true;
  EXPECT_FALSE(params.SaveParams());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text.rfind("パラメータが保存出来ません。\r\n" + kPath + "\r\n", 0), 0u);
  EXPECT_EQ(messages.shown[0].helpContext, kHelpParamWrite);
  EXPECT_EQ(files.Get(kPath).value(), DefaultRecord().Int(288, 9).File());
}

TEST_F(ParamFileTest, LengthBytesBeyondTheirRoomAreClamped) {
  Bytes in = DefaultRecord();
  for (std::size_t i = 1837; i < 1867; ++i) in.Byte(i, 'A');
  in.Byte(1836, 200).Byte(1867, 'Z');  // MenuCap claims 200 bytes in 30
  in.Byte(1156, 255);                  // font name claims 255 bytes in 32
  files.files[kPath] = in.File();
  ParamFile params = MakeFile();
  params.LoadParams();
  params.ApplyLateParams();
  EXPECT_EQ(settings.MenuCap(), std::string(30, 'A'));
  EXPECT_EQ(settings.GetEditorFont().name.size(), 32u);
  params.SaveParams();
  EXPECT_EQ(static_cast<unsigned char>(files.Get(kPath).value()[1836]), 30);
}

TEST_F(ParamFileTest, LongTextsAreCutAtACharacterBoundary) {
  std::string cr;
  for (int i = 0; i < 200; ++i) cr += "⇔";  // 400 bytes of double-byte characters
  store.SetCrChar(cr);
  store.SetTabChar(std::string(255, 't'));
  ParamFile params = MakeFile();
  params.SaveParams();
  const std::string saved = files.Get(kPath).value();
  EXPECT_EQ(static_cast<unsigned char>(saved[881]), 254);
  EXPECT_EQ(saved.substr(882, 254), cr.substr(0, 254));
  EXPECT_EQ(static_cast<unsigned char>(saved[1212]), 255);
}

TEST(ParamRecordCodec, NegatesExactlyTheFirst292Bytes) {
  TParamRecord record{};
  std::memset(&record, 1, sizeof record);
  const std::string bytes = EncodeParamRecord(record);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 255);
  EXPECT_EQ(static_cast<unsigned char>(bytes[291]), 255);
  EXPECT_EQ(static_cast<unsigned char>(bytes[292]), 1);
  TParamRecord back{};
  ASSERT_TRUE(DecodeParamRecord(bytes, back));
  EXPECT_EQ(std::memcmp(&back, &record, sizeof record), 0);
  EXPECT_FALSE(DecodeParamRecord(bytes.substr(1), back));
}

}  // namespace
}  // namespace ambrel::app
