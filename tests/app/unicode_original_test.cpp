// A copy whose Unicode text Shift-JIS cannot hold: its original stays with
// the history clip through the store and the paste, never with the user
// menus' parts.
#include <gtest/gtest.h>

#include <string>

#include "app/clip_choice.h"
#include "app/copy_capture.h"
#include "clipstore/clip_store.h"
#include "options/settings.h"
#include "platform/fakes.h"
#include "usermenu/distribution.h"

namespace ambrel::app {
namespace {

using namespace clipstore;

// "見て http://example.jp/😀 é": Shift-JIS gets '?' for the last two.
const std::string kText = "見て http://example.jp/? ?";
const std::u16string kOriginal = u"見て http://example.jp/😀 é";

class UnicodeOriginalTest : public ::testing::Test {
 protected:
  UnicodeOriginalTest() { store.DefineDefaultSlots(); }
  void CopyWithOriginal() {
    clipboard.SetText(kText, kOriginal);
    capture.ClipboardChanged();
  }
  bool Paste(int page, bool quote = false) {
    if (!PrepareClipPaste(store, page, quote, paste, nullptr, clipboard)) return false;
    capture.ClipboardChanged();  // the clipboard viewer hears the paste
    return true;
  }

  PopupLayout layout;
  TClipBase store{layout};
  options::Settings settings;
  fakes::FakeMessageBoxes messages;
  usermenu::Distributor distributor{store, settings, messages};
  fakes::FakeClipboard clipboard;
  ClipboardCapture capture{settings, clipboard, store, distributor, messages};
  PasteSettings paste{true, "> ", u"> "};
};

TEST_F(UnicodeOriginalTest, CaptureKeepsTheOriginalForTheHistoryClipOnly) {
  CopyWithOriginal();
  ASSERT_EQ(store.HistoryCount(), 1);
  EXPECT_EQ(store.Page(0).text, kText);
  EXPECT_EQ(store.Page(0).original, kOriginal);
  ASSERT_EQ(layout.UserMenu(1).Count(), 1);
  const Clip& part = *layout.UserMenu(1).At(0)->clip;
  EXPECT_EQ(part.text, "http://example.jp/?");
  EXPECT_TRUE(part.original.empty());

  // Same Shift-JIS text, another original: another copy, not a duplicate.
  clipboard.SetText(kText, u"見て http://example.jp/🙂 é");
  capture.ClipboardChanged();
  EXPECT_EQ(store.HistoryCount(), 2);
  CopyWithOriginal();
  EXPECT_EQ(store.HistoryCount(), 2) << "the older equal copy gives way";
  EXPECT_EQ(store.Page(0).original, kOriginal);
}

TEST_F(UnicodeOriginalTest, PasteAndQuotePutTheOriginalAndItComesBackWithTheClip) {
  CopyWithOriginal();
  clipboard.SetText("later");
  capture.ClipboardChanged();
  const int page = store.PageOfClip(layout.History().At(1)->clip->id);
  ASSERT_TRUE(Paste(page));
  EXPECT_EQ(*clipboard.text, kText);
  EXPECT_EQ(clipboard.original, kOriginal);
  EXPECT_EQ(store.Page(0).original, kOriginal) << "the pasted clip is the newest, original and all";
  EXPECT_EQ(store.HistoryCount(), 2);

  store.SetClipText(0, kText + "\r\n2");
  ASSERT_TRUE(store.Page(0).original.empty()) << "an edited text has no original any more";
  store.AddClip(layout.History(), kHistorySlot, true, "a\r\nb", u"a\U0001F600\r\nb");
  ASSERT_TRUE(Paste(0, /*quote=*/true));
  EXPECT_EQ(*clipboard.text, "> a\r\n> b");
  EXPECT_EQ(clipboard.original, u"> a\U0001F600\r\n> b");
}

TEST_F(UnicodeOriginalTest, RefusedPasteKeepsTheOriginalAndStaticOrMovedClipsDecideAlike) {
  CopyWithOriginal();
  clipboard.SetText("later");
  capture.ClipboardChanged();
  clipboard.failSet = true;
  EXPECT_FALSE(Paste(1));
  EXPECT_EQ(store.Page(0).original, kOriginal) << "put back with its original";
  clipboard.failSet = false;

  // Dragged into a user menu, the clip keeps it; made static, it has none.
  ASSERT_TRUE(store.MoveClip(store.Page(0).node, store.Slot(2).Node));
  const Clip& moved = store.Page(store.PageOfClip(layout.UserMenu(1).At(0)->clip->id));
  EXPECT_EQ(moved.original, kOriginal);
  EXPECT_EQ(PreparedOriginal(moved, false, paste), kOriginal);
  store.MakeStatic(moved.pageIndex);
  const Clip& made = *layout.Static().At(0)->clip;
  EXPECT_TRUE(made.original.empty());
}

TEST(BoundedUnicodeLength, MeasuresOnlyTwiceTheLimitAndNeverPastTheBlock) {
  const std::u16string block(100, u'a');
  EXPECT_EQ(BoundedUnicodeLength(block.data(), 5, 10), 5u) << "no NUL: the block's size";
  EXPECT_EQ(BoundedUnicodeLength(block.data(), 21, 10), 21u);
  EXPECT_EQ(BoundedUnicodeLength(block.data(), 22, 10), std::nullopt) << "22 units are at least 11 bytes";
  EXPECT_EQ(BoundedUnicodeLength(u"ab\0cd", 5, 10), 2u);
}

}  // namespace
}  // namespace ambrel::app
