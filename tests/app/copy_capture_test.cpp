#include "app/copy_capture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "clipstore/clip_store.h"
#include "options/settings.h"
#include "platform/fakes.h"
#include "usermenu/distribution.h"

namespace ambrel::app {
namespace {

using fakes::FakeClipboard;

TEST(CopyCapture, RecordsAPlainCopyAndLeavesOutWhatIsNotOne) {
  FakeClipboard clipboard;
  EXPECT_EQ(TakeCopy(clipboard).verdict, CopyVerdict::kNothing) << "no text";
  clipboard.SetText("表示");
  Copy copy = TakeCopy(clipboard);
  EXPECT_EQ(copy.verdict, CopyVerdict::kRecord);
  EXPECT_EQ(copy.text, "表示");
  EXPECT_EQ(clipboard.openReadings, 0) << "the clipboard is closed again";
  clipboard.failOpen = true;
  EXPECT_EQ(TakeCopy(clipboard).verdict, CopyVerdict::kNothing) << "busy clipboard";
  clipboard.failOpen = false;
  clipboard.asksNotToRecord = true;
  EXPECT_EQ(TakeCopy(clipboard).verdict, CopyVerdict::kNothing) << "marked";
}

// What another program does while the copy is read: the marks and the
// sequence number are looked at within the same opening and after it.
TEST(CopyCapture, ACopyMarkedOrReplacedWhileItIsReadIsNotRecorded) {
  FakeClipboard clipboard;
  clipboard.SetText("password");
  int readsWhileOpen = 0;
  clipboard.whileReading = [&](FakeClipboard& c) {
    readsWhileOpen += c.openReadings;
    c.asksNotToRecord = true;  // the writer adds its mark after the text
  };
  EXPECT_EQ(TakeCopy(clipboard).verdict, CopyVerdict::kNothing);
  EXPECT_EQ(readsWhileOpen, 1);

  // A password manager's copy lands between the notification and the read.
  clipboard.asksNotToRecord = false;
  clipboard.whileReading = [](FakeClipboard& c) {
    c.SetText("secret");
    c.asksNotToRecord = false;  // its mark is set a moment later
  };
  EXPECT_EQ(TakeCopy(clipboard).verdict, CopyVerdict::kNothing);
  clipboard.whileReading = nullptr;
  EXPECT_EQ(TakeCopy(clipboard).verdict, CopyVerdict::kRecord) << "its own notification reads it";
}

TEST(CopyCapture, ATextOverTheLimitIsMeasuredButNeverCopied) {
  FakeClipboard clipboard;
  clipboard.text = std::string(kMaxClipBytes, 'x');
  EXPECT_EQ(TakeCopy(clipboard).text.size(), kMaxClipBytes) << "the limit itself is kept";
  clipboard.text->push_back('y');
  const Copy copy = TakeCopy(clipboard);
  EXPECT_EQ(copy.verdict, CopyVerdict::kTooLarge);
  EXPECT_TRUE(copy.text.empty());
  // Within the limit a NUL ends the text, even in a larger block.
  (*clipboard.text)[3] = '\0';
  EXPECT_EQ(TakeCopy(clipboard).text, "xxx");
}

// A block as large as another program made it, of which only limit + 1 bytes
// may be touched: the sanitizer stops any read past the buffer.
TEST(CopyCapture, ReadingStopsOneByteAfterTheLimitWhateverTheBlockSize) {
  constexpr std::size_t kLimit = 64;
  const auto block = std::make_unique<char[]>(kLimit + 1);
  std::memset(block.get(), 'a', kLimit + 1);
  const BoundedText big = ReadBoundedText(block.get(), std::size_t{1} << 30, kLimit);
  EXPECT_TRUE(big.tooLarge);
  EXPECT_TRUE(big.text.empty());
  // A block without its NUL is read to its end and no further.
  const BoundedText exact = ReadBoundedText(block.get(), kLimit, kLimit);
  EXPECT_FALSE(exact.tooLarge);
  EXPECT_EQ(exact.text, std::string(kLimit, 'a'));
  block[10] = '\0';
  EXPECT_EQ(ReadBoundedText(block.get(), std::size_t{1} << 30, kLimit).text, std::string(10, 'a'));
}

// What the running program does with each clipboard change.
TEST(ClipboardCapture, RecordsIntoTheHistoryAndTheUserMenusUnlessSwitchedOffOrTooLarge) {
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  store.DefineDefaultSlots();
  options::Settings settings;
  fakes::FakeMessageBoxes messages;
  usermenu::Distributor distributor{store, settings, messages};
  FakeClipboard clipboard;
  ClipboardCapture capture{settings, clipboard, store, distributor, messages};
  const auto history = [&] { return store.HistoryCount(); };
  const auto addressMenu = [&] { return layout.UserMenu(1).Count(); };

  clipboard.SetText("詳しくは http://example.jp/a を見て");
  capture.ClipboardChanged();
  ASSERT_EQ(history(), 1);
  EXPECT_EQ(store.Page(0).text, "詳しくは http://example.jp/a を見て");
  EXPECT_EQ(addressMenu(), 1);
  for (int page = 0; page < store.PageCount(); ++page)
    if (store.Page(page).text == "http://example.jp/a") store.DeleteClip(page--);
  ASSERT_EQ(addressMenu(), 0);
  capture.ClipboardChanged();
  EXPECT_EQ(history(), 1);
  EXPECT_EQ(addressMenu(), 0) << "a copy the history refuses as a duplicate is not distributed";

  settings.SetDataSave(false);
  clipboard.SetText("http://example.jp/b");
  capture.ClipboardChanged();
  settings.SetDataSave(true);
  EXPECT_EQ(history(), 1) << "switched off";

  clipboard.text = std::string(kMaxClipBytes + 1, 'x');
  capture.ClipboardChanged();
  EXPECT_EQ(history(), 1);
  EXPECT_EQ(messages.faultSounds, 1);
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace ambrel::app
