// The originals' side file: what it matches, what it drops, and that a bad
// file never costs a clip.
#include "app/originals_file.h"

#include <gtest/gtest.h>

#include <string>

#include "app/history_file.h"
#include "clipstore/clip_store.h"
#include "editor/data_commands.h"
#include "platform/fakes.h"
#include "platform/utf8.h"

namespace ambrel::app {
namespace {

using namespace clipstore;

const std::u16string kSmile = u"日本語 \U0001F600 é 한";
const std::string kSmileText = "日本語 ? ? ?";

class OriginalsFileTest : public ::testing::Test {
 protected:
  OriginalsFileTest() {
    store.DefineDefaultSlots();
    store.AddClip(layout.History(), kHistorySlot, true, "plain");
    store.AddClip(layout.UserMenu(1), 2, true, "http://x/?", u"http://x/\U0001F600");
    store.AddClip(layout.History(), kHistorySlot, true, kSmileText, kSmile);
    store.AddClip(layout.Static(), kStaticSlot, true, "static");
  }
  // The history file and its side file saved, then read into a fresh store.
  TClipBase& Reloaded() {
    EXPECT_TRUE(SaveHistory(store, files, "h.hst"));
    EXPECT_TRUE(SaveOriginals(store, files, "h.hsu"));
    return ReloadedFromFiles();
  }
  TClipBase& ReloadedFromFiles() {
    again.DefineDefaultSlots();
    EXPECT_TRUE(LoadHistory(again, files, messages, "h.hst"));
    LoadOriginals(again, files, "h.hsu");
    return again;
  }
  std::u16string OriginalOf(const TClipBase& s, std::string_view text) {
    for (int i = 0; i < s.PageCount(); ++i)
      if (s.Page(i).text == text) return s.Page(i).original;
    ADD_FAILURE() << "no clip " << text;
    return {};
  }

  PopupLayout layout, layout2;
  TClipBase store{layout}, again{layout2};
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
};

TEST_F(OriginalsFileTest, EveryOriginalComesBackToItsClipAndNoOtherGetsOne) {
  const TClipBase& loaded = Reloaded();
  EXPECT_EQ(OriginalOf(loaded, kSmileText), kSmile);
  EXPECT_EQ(OriginalOf(loaded, "http://x/?"), u"http://x/\U0001F600");
  EXPECT_TRUE(OriginalOf(loaded, "plain").empty());
  EXPECT_TRUE(OriginalOf(loaded, "static").empty());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(BuildOriginalsData(loaded), BuildOriginalsData(store));
}

TEST_F(OriginalsFileTest, AnEntryWhoseClipChangedOrMovedIsDropped) {
  ASSERT_TRUE(SaveOriginals(store, files, "h.hsu"));
  // The history file of another moment: the smile clip edited, the menu
  // clip pushed down by a newer one.
  store.SetClipText(store.PageOfClip(layout.History().At(0)->clip->id), "日本語 ? ? ?!");
  store.AddClip(layout.UserMenu(1), 2, true, "http://y/");
  ASSERT_TRUE(SaveHistory(store, files, "h.hst"));
  const TClipBase& loaded = ReloadedFromFiles();
  EXPECT_TRUE(OriginalOf(loaded, "日本語 ? ? ?!").empty()) << "hash of another text";
  EXPECT_TRUE(OriginalOf(loaded, "http://x/?").empty()) << "another position";
  EXPECT_TRUE(OriginalOf(loaded, "http://y/").empty());
}

TEST_F(OriginalsFileTest, DamagedOrMissingSideFileLosesOnlyTheOriginals) {
  ASSERT_TRUE(SaveHistory(store, files, "h.hst"));
  ASSERT_TRUE(SaveOriginals(store, files, "h.hsu"));
  const std::string good = files.files["h.hsu"];
  const std::string damaged[] = {
      "",                                      // empty
      good.substr(0, good.size() - 1),         // cut short
      "AmbrelOriginals 2\r\n",                 // a later format
      good + "0 0 zz 1\r\nx\r\n",              // no hash
      good + "0 0 0 99\r\nx\r\n",              // length past the end
      good + "0 0 0 2\r\n\xFF\xFE\r\n",        // not UTF-8
      good + "0 0 0 1 extra\r\nx\r\n",         // a field too many
  };
  for (const std::string& bytes : damaged) {
    files.files["h.hsu"] = bytes;
    PopupLayout l;
    TClipBase s{l};
    s.DefineDefaultSlots();
    ASSERT_TRUE(LoadHistory(s, files, messages, "h.hst"));
    EXPECT_EQ(LoadOriginals(s, files, "h.hsu"), 0) << bytes.size();
    EXPECT_EQ(s.PageCount(), store.PageCount());
  }
  files.files.erase("h.hsu");
  EXPECT_TRUE(OriginalOf(ReloadedFromFiles(), kSmileText).empty());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OriginalsFileTest, ReadAllCarriesTheOriginalsIntoTheStore) {
  ASSERT_TRUE(SaveHistory(store, files, "h.hst"));
  ASSERT_TRUE(SaveOriginals(store, files, "h.hsu"));
  PopupLayout l;
  TClipBase live{l};
  live.DefineDefaultSlots();
  editor::ReadAll(live, messages, [&](TClipBase& into, std::string_view path) {
    return LoadHistory(into, files, messages, path) && LoadOriginals(into, files, OriginalsPathBeside(path)) >= 0;
  }, "h.hst");
  EXPECT_EQ(OriginalOf(live, kSmileText), kSmile);
}

TEST(OriginalsPathBeside, ReplacesTheHistoryExtensionOnly) {
  EXPECT_EQ(OriginalsPathBeside("C:\\A\\Ambrel.hst"), "C:\\A\\Ambrel.hsu");
  EXPECT_EQ(OriginalsPathBeside("C:\\A\\save.HST"), "C:\\A\\save.hsu");
  EXPECT_EQ(OriginalsPathBeside("C:\\A\\save.txt"), "C:\\A\\save.txt.hsu");
  EXPECT_EQ(OriginalsPathBeside("C:\\v1.0\\save"), "C:\\v1.0\\save.hsu");
}

TEST(OriginalsSave, NoFileWithoutOriginalsNoneBesideAHistoryLeftAloneElseWrittenByTheWorker) {
  PopupLayout layout;
  TClipBase store{layout};
  store.DefineDefaultSlots();
  store.AddClip(layout.History(), kHistorySlot, true, "plain");
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
  fakes::FakeClock clock;
  DataFileSaver history(files, messages, clock, "Ambrel.hst", kHistorySaveFailed);
  DataFileSaver saver(files, messages, clock, "Ambrel.hsu", kOriginalsSaveFailed);
  SaveWorker worker(files);
  SubmitOriginals(store, files, saver, history, worker, SaveMoment::kRunning);
  ASSERT_TRUE(worker.WaitUntilWritten(5000));
  EXPECT_FALSE(files.Exists("Ambrel.hsu"));
  store.AddClip(layout.History(), kHistorySlot, true, "?", u"\U0001F600");
  history.Block();
  SubmitOriginals(store, files, saver, history, worker, SaveMoment::kExit);
  ASSERT_TRUE(worker.WaitUntilWritten(5000));
  EXPECT_FALSE(files.Exists("Ambrel.hsu"));
  DataFileSaver readHistory(files, messages, clock, "Ambrel.hst", kHistorySaveFailed);
  SubmitOriginals(store, files, saver, readHistory, worker, SaveMoment::kExit);
  ASSERT_TRUE(worker.WaitUntilWritten(5000));
  worker.Deliver();
  EXPECT_TRUE(files.Exists("Ambrel.hsu"));
}

TEST(Utf8, RoundTripsEveryUtf16TextAndRefusesBadBytes) {
  const std::u16string texts[] = {u"", u"abc", u"é한日\U0001F600", std::u16string(1, char16_t(0xD800)) + u"x"};
  for (const std::u16string& t : texts) EXPECT_EQ(utf8::ToUtf16(utf8::FromUtf16(t)), t);
  EXPECT_EQ(utf8::FromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80");
  for (const char* bad : {"\xC0\x80", "\xE0\x80\x80", "\xF4\x90\x80\x80", "\x80", "\xE3\x81"})
    EXPECT_EQ(utf8::ToUtf16(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace ambrel::app
