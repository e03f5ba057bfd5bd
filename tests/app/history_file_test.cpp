#include "app/history_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "clipstore/clip_store.h"
#include "platform/fakes.h"

namespace ambrel::app {
namespace {

using clipstore::PopupLayout;
using clipstore::TClipBase;

const std::string kPath = "C:\\Ambrel\\Ambrel.hst";
const std::string kDamaged = "ヒストリファイルが壊れています。初期化して起動します。";

// One 784-byte slot record, written from the record table.
std::string SlotRecord(const std::string& name, const std::string& pattern,
                       const std::string& caption, int node, int maxCount, int duplicate) {
  std::string r(784, '\0');
  auto str = [&](std::size_t off, const std::string& s) {
    r[off] = static_cast<char>(s.size());
    std::memcpy(&r[off + 1], s.data(), s.size());
  };
  auto i32 = [&](std::size_t off, int v) {
    for (int i = 0; i < 4; ++i) r[off + i] = static_cast<char>((static_cast<unsigned>(v) >> (8 * i)) & 0xFF);
  };
  str(0, name);
  str(256, pattern);
  str(512, caption);
  i32(768, node);
  i32(776, maxCount);
  r[780] = static_cast<char>(duplicate);
  return r;
}

std::string Entry(int slot, const std::string& text) {
  return std::string(1, static_cast<char>(slot)) + text + std::string(1, '\0');
}

// The records of the default slots, followed by nine unused ones.
std::string DefaultRecords(int maxCount = 5) {
  std::string r = SlotRecord("動的クリップデータ", "", "一覧 (&V)", 1, maxCount, 1) +
                  SlotRecord("静的クリップデータ", "", "静的クリップデータ", 1, maxCount, 1) +
                  SlotRecord("Usr1", "http://[^ ]*", "ＵＲＬ<例>", 1, maxCount, 1);
  return r + std::string(9 * 784, '\0');
}

class HistoryFileTest : public ::testing::Test {
 protected:
  HistoryFileTest() { store.DefineDefaultSlots(); }

  std::vector<std::string> Texts(const TClipBase& s) const {
    std::vector<std::string> out;
    for (int i = 0; i < s.PageCount(); ++i) out.push_back(s.Page(i).text);
    return out;
  }
  std::vector<int> Kinds(const TClipBase& s) const {
    std::vector<int> out;
    for (int i = 0; i < s.PageCount(); ++i) out.push_back(s.Page(i).slot.Number());
    return out;
  }
  void Add(int slot, const std::string& text) {
    store.AddClip(layout.SlotMenu(slot), slot, true, text);
  }

  PopupLayout layout;
  TClipBase store{layout};
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
  fakes::FakeClipboard clipboard;
  fakes::FakeClock clock;
  DataFileSaver saver{files, messages, clock, kPath, kHistorySaveFailed};
};

TEST_F(HistoryFileTest, EmptyStoreIsTheMarkerAndNineThousandBytesOfRecords) {
  PopupLayout bareLayout;
  TClipBase bare{bareLayout};
  const std::string data = BuildHistoryData(bare);
  EXPECT_EQ(data, "\xFF" + std::string(9408, '\0'));
  EXPECT_EQ(BuildHistoryData(store), "\xFF" + DefaultRecords());
}

TEST_F(HistoryFileTest, ClipsAreWrittenInReversePageOrder) {
  Add(0, "h1");
  Add(0, "h2");
  Add(2, "u1");
  Add(1, "s1");
  Add(1, "s2");
  ASSERT_EQ(Texts(store), (std::vector<std::string>{"h2", "h1", "u1", "s2", "s1"}));
  const std::string expected = Entry(1, "s1") + Entry(1, "s2") + Entry(2, "u1") + Entry(0, "h1") +
                               Entry(0, "h2") + "\xFF" + DefaultRecords();
  ASSERT_TRUE(SaveHistory(store, files, kPath));
  EXPECT_EQ(files.Get(kPath).value(), expected);
}

TEST_F(HistoryFileTest, SavedStoreLoadsBackWithTheSamePagesMenusAndSlots) {
  store.DefineSlot("Usr2", "メール", "[a-z]+@[a-z.]+", layout.UserMenu(2), false, 7, 3);
  for (int i = 1; i <= 5; ++i) Add(0, "history " + std::to_string(i) + "\r\n二行目");
  Add(2, "http://a");
  Add(2, "http://b");
  Add(3, "x@y.jp");
  for (int i = 1; i <= 3; ++i) Add(1, ";static " + std::to_string(i));
  ASSERT_TRUE(SaveHistory(store, files, kPath));

  PopupLayout otherLayout;
  TClipBase other{otherLayout};
  other.DefineDefaultSlots();
  other.AddClip(otherLayout.History(), 0, true, "to be replaced");
  ASSERT_TRUE(LoadHistory(other, files, messages, kPath));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Texts(other), Texts(store));
  EXPECT_EQ(Kinds(other), Kinds(store));
  for (int s = 0; s < clipstore::kSlotCount; ++s) {
    EXPECT_EQ(other.Slot(s).Name, store.Slot(s).Name) << s;
    EXPECT_EQ(other.Slot(s).Caption, store.Slot(s).Caption) << s;
    EXPECT_EQ(other.Slot(s).Pattern, store.Slot(s).Pattern) << s;
    EXPECT_EQ(other.Slot(s).MaxCount, store.Slot(s).MaxCount) << s;
    EXPECT_EQ(other.Slot(s).Duplicate, store.Slot(s).Duplicate) << s;
    EXPECT_EQ(other.Slot(s).Node != nullptr, store.Slot(s).Node != nullptr) << s;
  }
  EXPECT_EQ(other.Slot(3).Node->parent, other.Slot(0).Node);
  EXPECT_EQ(other.Page(5).menuItem->parent, &otherLayout.UserMenu(1));
  EXPECT_EQ(BuildHistoryData(other), files.Get(kPath).value());
}

TEST_F(HistoryFileTest, HistoryLimitOfTheSettingsAppliesWhileLoading) {
  std::string file;
  for (int i = 1; i <= 30; ++i) file += Entry(0, "c" + std::to_string(i));
  files.files[kPath] = file + "\xFF" + DefaultRecords(30);
  store.SetMaxHistory(5);
  ASSERT_TRUE(LoadHistory(store, files, messages, kPath));
  EXPECT_EQ(Texts(store), (std::vector<std::string>{"c30", "c29", "c28", "c27", "c26"}));
  EXPECT_EQ(store.Slot(0).MaxCount, 5);
}

TEST_F(HistoryFileTest, StoreRulesApplyWhileLoading) {
  // Repeated history text is recorded once; Usr1 (duplicate check on) keeps
  // the newer of two equal clips.
  files.files[kPath] = Entry(2, "http://a") + Entry(2, "http://b") + Entry(2, "http://a") +
                       Entry(0, "x") + Entry(0, "x") + "\xFF" + DefaultRecords();
  ASSERT_TRUE(LoadHistory(store, files, messages, kPath));
  EXPECT_EQ(Texts(store), (std::vector<std::string>{"x", "http://a", "http://b"}));
}

TEST_F(HistoryFileTest, OldestHistoryClipEqualToAUserMenuClipSurvives) {
  Add(0, "http://same");
  Add(2, "http://same");
  ASSERT_TRUE(SaveHistory(store, files, kPath));
  ASSERT_TRUE(LoadHistory(store, files, messages, kPath));
  EXPECT_EQ(Texts(store), (std::vector<std::string>{"http://same", "http://same"}));
  EXPECT_EQ(Kinds(store), (std::vector<int>{0, 2}));
}

TEST_F(HistoryFileTest, UserMenuWithoutNodeIsNotDefined) {
  std::string records = DefaultRecords();
  records.replace(3 * 784, 784, SlotRecord("Usr2", "p", "Filled", 0, 9, 1));
  files.files[kPath] = std::string("\xFF") + records;
  ASSERT_TRUE(LoadHistory(store, files, messages, kPath));
  EXPECT_EQ(store.Slot(3).Node, nullptr);
  EXPECT_FALSE(layout.UserMenu(2).visible);

  // A clip filed under that menu is something the program never writes.
  files.files[kPath] = Entry(3, "orphan") + "\xFF" + records;
  EXPECT_FALSE(LoadHistory(store, files, messages, kPath));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kDamaged});
}

TEST_F(HistoryFileTest, EveryTruncationIsReportedAsDamagedAndResetsTheStore) {
  Add(0, "h");
  Add(2, "http://u");
  Add(1, "s");
  const std::string full = BuildHistoryData(store);
  for (std::size_t n = 0; n < full.size(); n += (n < 40 || n > full.size() - 40) ? 1 : 97) {
    files.files[kPath] = full.substr(0, n);
    messages.shown.clear();
    ASSERT_FALSE(LoadHistory(store, files, messages, kPath)) << n;
    ASSERT_EQ(messages.shown.size(), 1u) << n;
    EXPECT_EQ(messages.shown[0].text, kDamaged);
    EXPECT_EQ(messages.shown[0].helpContext, 0);
    EXPECT_EQ(messages.shown[0].buttons, static_cast<unsigned>(kBtnOk));
    EXPECT_EQ(store.PageCount(), 0);
    EXPECT_EQ(store.Slot(2).Name, "Usr1");
    EXPECT_NE(store.Slot(2).Node, nullptr);
  }
}

TEST_F(HistoryFileTest, ForeignSlotBytesAreDamaged) {
  const std::vector<std::string> damaged = {
      Entry(12, "x") + "\xFF" + DefaultRecords(),
      std::string(1000, '\x01'),
  };
  for (const std::string& content : damaged) {
    files.files[kPath] = content;
    EXPECT_FALSE(LoadHistory(store, files, messages, kPath));
  }
  EXPECT_EQ(messages.Texts(), std::vector<std::string>(2, kDamaged));
  // Read for the editor's read-all: refused without the start-up's message,
  // which tells of a reset that does not happen there.
  messages.shown.clear();
  for (const std::string& content : damaged) {
    files.files[kPath] = content;
    EXPECT_FALSE(ReadHistoryFile(store, files, kPath));
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(HistoryFileTest, TheLargestStoreTheProgramKeepsLoadsBackByteForByte) {
  // Each clip added costs time in proportion to the clips held, so a
  // thousand static clips stand for the many a user may keep.
  const int kStatics = 1000;
  store.SetMaxHistory(30);
  for (int i = 0; i < 30; ++i)
    Add(0, std::string(3u << 20, static_cast<char>('a' + i % 26)) + std::to_string(i));
  store.DefineSlot("Usr2", "Usr2", "x", layout.UserMenu(2), false, 30, 3);
  for (int i = 0; i < 30; ++i) Add(3, "user " + std::to_string(i));
  for (int i = 0; i < kStatics; ++i) Add(1, "static " + std::to_string(i));
  ASSERT_TRUE(SaveHistory(store, files, kPath));
  const std::string saved = files.Get(kPath).value();
  ASSERT_GT(saved.size(), 64u << 20);

  PopupLayout otherLayout;
  TClipBase other{otherLayout};
  other.SetMaxHistory(30);
  ASSERT_TRUE(LoadHistory(other, files, messages, kPath));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(other.PageCount(), 30 + 30 + kStatics);
  EXPECT_TRUE(BuildHistoryData(other) == saved);
}

TEST_F(HistoryFileTest, MissingFileLeavesTheStoreAndSaysNothing) {
  Add(0, "kept");
  EXPECT_FALSE(LoadHistory(store, files, messages, kPath));
  files.unreadable.insert(kPath);
  EXPECT_FALSE(LoadHistory(store, files, messages, kPath));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Texts(store), std::vector<std::string>{"kept"});
}

TEST_F(HistoryFileTest, FirstStartAddsTheSamplesAndTheClipboardText) {
  clipboard.text = "copied";
  StartHistory(store, files, messages, clipboard, saver, "D:\\Tools\\Ambrel\\");
  const std::string s = "\r\n=====\r\n";
  EXPECT_EQ(Texts(store),
            (std::vector<std::string>{
                "copied",
                ";時刻に関する変数のサンプルです\r\n<例>現在は19$y年$m月$d日の $h時$n分$s秒です。",
                ";入力関数(#Input)のサンプルです\r\n<例>実行時に入力されたデータは" + s + "$i(入力してみてね。)" + s + "です。",
                ";ファイラー関数(#Filer)のサンプルです\r\n<例>選択されたファイル名は" + s + "$r()" + s + "です。",
                ";ツリー関数(#Tree)のサンプルです\r\n選択されたフォルダは" + s + "$t(D:)" + s + "です。",
            }));
  EXPECT_EQ(Kinds(store), (std::vector<int>{0, 1, 1, 1, 1}));
  EXPECT_TRUE(messages.shown.empty());

  // A copy that asks not to be recorded, or is over the clip limit, stays out.
  for (const bool asks : {true, false}) {
    PopupLayout otherLayout;
    TClipBase other{otherLayout};
    clipboard.asksNotToRecord = asks;
    clipboard.text = asks ? "secret" : std::string(kMaxClipBytes + 1, 'x');
    StartHistory(other, files, messages, clipboard, saver, "C:\\");
    EXPECT_EQ(other.HistoryCount(), 0) << asks;
    EXPECT_EQ(other.PageCount(), 4) << asks;
  }
}

TEST_F(HistoryFileTest, DamagedFileAtStartIsKeptAsideAndNamedThenTheSamples) {
  const std::string damaged = Entry(0, "cut off") + Entry(1, "no marker");
  const std::string kept = kPath + ".damaged-20240102-030405";
  files.files[kPath] = damaged;
  files.files[kept] = "an older one";
  StartHistory(store, files, messages, clipboard, saver, "C:\\");
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kDamaged +
                                                       "\r\n元のファイルは次の名前で残しています:\r\n" +
                                                       kept + "-2"});
  EXPECT_EQ(files.Get(kept + "-2"), damaged);
  EXPECT_EQ(files.Get(kept), "an older one");
  EXPECT_FALSE(files.Exists(kPath));
  EXPECT_EQ(store.PageCount(), 4);
  EXPECT_EQ(Kinds(store), (std::vector<int>{1, 1, 1, 1}));

  // The exits that follow write the new store and its .bak, never the kept file.
  ASSERT_TRUE(SaveHistory(store, files, kPath));
  ASSERT_TRUE(SaveHistory(store, files, kPath));
  EXPECT_EQ(files.Get(kept + "-2"), damaged);
}

TEST_F(HistoryFileTest, FailedSaveKeepsThePreviousFile) {
  Add(0, "old");
  ASSERT_TRUE(SaveHistory(store, files, kPath));
  const std::string before = files.Get(kPath).value();
  Add(0, "new");
  files.failAllWrites = true;
  EXPECT_FALSE(SaveHistory(store, files, kPath));
  EXPECT_EQ(files.Get(kPath).value(), before);
  EXPECT_TRUE(messages.shown.empty());
}

// A history file held open by another program at start-up: the store starts
// empty without the samples, the user is told once, and every save of the
// session goes beside the file, never over it nor over its .bak.
TEST_F(HistoryFileTest, FileThatCannotBeReadIsNeverWrittenOver) {
  const std::string mine = Entry(0, "mine") + "\xFF" + DefaultRecords();
  files.files[kPath] = mine;
  files.files[kPath + ".bak"] = "older";
  files.unreadable.insert(kPath);
  clipboard.text = "copied";
  PopupLayout freshLayout;
  TClipBase fresh{freshLayout};
  StartHistory(fresh, files, messages, clipboard, saver, "C:\\");
  EXPECT_EQ(fresh.PageCount(), 0);
  EXPECT_TRUE(fresh.Slot(clipstore::kHistorySlot).Node);
  const std::string beside = kPath + ".unsaved-20240102-030405";
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].helpContext, kHelpDataFileUnreadable);
  EXPECT_NE(messages.shown[0].text.find(kPath), std::string::npos);
  EXPECT_NE(messages.shown[0].text.find(beside), std::string::npos);

  fresh.AddClip(freshLayout.History(), clipstore::kHistorySlot, true, "new");
  ASSERT_TRUE(SaveHistory(fresh, saver, SaveMoment::kRunning));
  ASSERT_TRUE(SaveHistory(fresh, saver, SaveMoment::kExit));
  EXPECT_EQ(files.Get(kPath), mine);
  EXPECT_EQ(files.Get(kPath + ".bak"), "older");
  EXPECT_EQ(files.Get(beside), BuildHistoryData(fresh));
  EXPECT_EQ(messages.shown.size(), 1u);
}

// The start-up reads the file on another thread while it makes its windows:
// what it then loads is what a read at that moment gives, for a saved
// file, a missing one (the samples) and one that cannot be read.
TEST_F(HistoryFileTest, FileReadAheadStartsLikeAReadAtStart) {
  Add(0, "history");
  Add(1, ";static");
  ASSERT_TRUE(SaveHistory(store, files, kPath));
  for (const char* fileIs : {"saved", "missing", "unreadable"}) {
    if (std::string(fileIs) == "missing") files.files.erase(kPath);
    if (std::string(fileIs) == "unreadable") files.unreadable.insert(kPath);
    PopupLayout nowLayout, aheadLayout;
    TClipBase now{nowLayout}, ahead{aheadLayout};
    DataFileSaver nowSaver{files, messages, clock, kPath, kHistorySaveFailed};
    DataFileSaver aheadSaver{files, messages, clock, kPath, kHistorySaveFailed};
    StartHistory(now, files, messages, clipboard, nowSaver, "C:\\");
    StartHistory(ahead, PrepareHistoryAhead(files, kPath).get(), files, messages, clipboard, aheadSaver, "C:\\");
    EXPECT_EQ(Texts(ahead), Texts(now)) << fileIs;
    EXPECT_EQ(Kinds(ahead), Kinds(now)) << fileIs;
    EXPECT_EQ(aheadSaver.Blocked(), nowSaver.Blocked()) << fileIs;
  }
}

TEST_F(HistoryFileTest, DamagedFileThatCannotBeMovedAsideIsLeftAlone) {
  files.files[kPath] = "damaged";
  files.unmovable.insert(kPath);
  StartHistory(store, files, messages, clipboard, saver, "C:\\");
  EXPECT_TRUE(saver.Blocked());
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(store.PageCount(), 0);
  ASSERT_TRUE(SaveHistory(store, saver, SaveMoment::kExit));
  EXPECT_EQ(files.Get(kPath), "damaged");
}

// Saves that fail are told once while the program runs, naming the file,
// and once more when the exit's save fails too; the first that works clears
// the failure.
TEST_F(HistoryFileTest, FailedSavesAreToldOnceAndAgainAtExit) {
  Add(0, "kept");
  files.failAllWrites = true;
  EXPECT_FALSE(SaveHistory(store, saver, SaveMoment::kRunning));
  EXPECT_FALSE(SaveHistory(store, saver, SaveMoment::kRunning));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].helpContext, kHelpHistoryNotSaved);
  EXPECT_EQ(messages.shown[0].text.rfind("ヒストリファイルが保存出来ませんでした。\r\n" + kPath + "\r\n", 0), 0u);
  EXPECT_TRUE(saver.LastSaveFailed());
  EXPECT_FALSE(SaveHistory(store, saver, SaveMoment::kExit));
  EXPECT_EQ(messages.shown.size(), 2u);
  files.failAllWrites = false;
  EXPECT_TRUE(SaveHistory(store, saver, SaveMoment::kExit));
  EXPECT_FALSE(saver.LastSaveFailed());
  EXPECT_EQ(messages.shown.size(), 2u);
}

TEST(DriveOf, TakesTheFirstTwoCharacters) {
  EXPECT_EQ(DriveOf("C:\\Program Files\\"), "C:");
  EXPECT_EQ(DriveOf("\\\\server\\share\\"), "\\\\");
  EXPECT_EQ(DriveOf("表\\"), "表\\");  // a double-byte first character
  EXPECT_EQ(DriveOf("C"), "C");
}

}  // namespace
}  // namespace ambrel::app

namespace ambrel::app {
namespace {

// The bytes made a piece at a time are the file's bytes, whatever the piece
// size (clips split anywhere, a text cut at its zero byte); a change of the
// store between pieces makes the copy stale.
TEST(HistoryDataBuilderTest, PiecesMakeTheSameBytesUntilTheStoreChanges) {
  PopupLayout layout;
  TClipBase store{layout};
  store.DefineDefaultSlots();
  store.AddClip(layout.Static(), clipstore::kStaticSlot, true, ";定型\r\n表示");
  store.AddClip(layout.History(), clipstore::kHistorySlot, true, std::string("before\0after", 12));
  store.AddClip(layout.History(), clipstore::kHistorySlot, true, std::string(5000, 'x'));
  const std::string whole = BuildHistoryData(store);
  for (const std::size_t piece : {std::size_t{1}, std::size_t{6}, std::size_t{4999}, std::size_t{5000}}) {
    HistoryDataBuilder builder;
    ASSERT_TRUE(builder.Start(store));
    int steps = 1;
    while (builder.Step(store, piece) == HistoryDataBuilder::Progress::kMore) ++steps;
    EXPECT_EQ(builder.Take(), whole) << "pieces of " << piece;
    EXPECT_GE(steps, static_cast<int>(5000 / piece)) << "no piece is larger than asked";
  }
  HistoryDataBuilder builder;
  ASSERT_TRUE(builder.Start(store));
  EXPECT_EQ(builder.Step(store, 100), HistoryDataBuilder::Progress::kMore);
  store.DeleteClip(0);
  EXPECT_EQ(builder.Step(store, 100), HistoryDataBuilder::Progress::kStale);
}

}  // namespace
}  // namespace ambrel::app
