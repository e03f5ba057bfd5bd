#include "app/clip_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fakes.h"

namespace ambrel::app {
namespace {

using namespace clipstore;

class RecordingExpander : public expand::ClipExpander {
 public:
  expand::ExpandResult Expand(std::string_view text) override {
    seen.emplace_back(text);
    return {goAhead, "<" + std::string(text) + ">"};
  }
  bool goAhead = true;
  std::vector<std::string> seen;
};

TEST(DecideChoice, ModifiersAndOrigin) {
  using A = ChoiceAction;
  auto decide = [](bool popup, bool ctrl, bool shift, bool isStatic = false, bool busy = false) {
    return DecideChoice({popup, ctrl, shift, isStatic, busy});
  };
  EXPECT_EQ(decide(false, true, true), A::kSelect);
  EXPECT_EQ(decide(true, false, false), A::kPaste);
  EXPECT_EQ(decide(true, true, false), A::kPasteQuoted);
  EXPECT_EQ(decide(true, false, true), A::kEdit);
  EXPECT_EQ(decide(true, false, true, false, /*busy=*/true), A::kNothing);
  EXPECT_EQ(decide(true, true, true), A::kMakeStatic);
  EXPECT_EQ(decide(true, true, true, /*static=*/true), A::kNothing);
  // Pasting does not wait for dialogs.
  EXPECT_EQ(decide(true, false, false, true, true), A::kPaste);
}

TEST(QuoteText, EveryLineOnceAndNoTrailingEmptyLine) {
  EXPECT_EQ(QuoteText("a\r\nb", "》"), "》a\r\n》b");
  EXPECT_EQ(QuoteText("a\r\nb\r\n", "》"), "》a\r\n》b\r\n");
  EXPECT_EQ(QuoteText("a\r\n\r\nb", "> "), "> a\r\n> \r\n> b");
  EXPECT_EQ(QuoteText("", "》"), "");
  // A lone LF is not a line break of the clip format.
  EXPECT_EQ(QuoteText("a\nb", ">"), ">a\nb");
}

TEST(ExpandClip, CommentLineAndExpansionOnlyForStaticClips) {
  RecordingExpander expander;
  EXPECT_EQ(ExpandClip(";not a comment", false, true, &expander).text, ";not a comment");
  EXPECT_TRUE(expander.seen.empty());

  expand::ExpandResult r = ExpandClip(";見出し\r\n本文", true, true, &expander);
  EXPECT_EQ(r.text, "<本文>");
  EXPECT_TRUE(r.goAhead);
  EXPECT_EQ(ExpandClip(";only a comment", true, true, &expander).text, "<>");
  EXPECT_EQ(ExpandClip("x;y", true, false, &expander).text, "x;y");
  EXPECT_EQ(ExpandClip(";c\r\nbody", true, false, nullptr).text, "body");
  EXPECT_EQ(expander.seen.size(), 2u);

  expander.goAhead = false;
  EXPECT_FALSE(ExpandClip("t", true, true, &expander).goAhead);
}

class PasteTest : public ::testing::Test {
 protected:
  PasteTest() {
    store.DefineDefaultSlots();
    for (const char* t : {"one", "two", "three"}) Copy(t);
  }
  void Copy(const std::string& text) {
    // What the clipboard viewer does with every clipboard write.
    store.AddClip(layout.History(), kHistorySlot, true, text);
  }
  bool Paste(int page, bool quote = false) {
    const bool ok = PrepareClipPaste(store, page, quote, settings, &expander, clipboard);
    if (ok) Copy(*clipboard.text);
    return ok;
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    for (int i = 0; i < store.PageCount(); ++i) out.push_back(store.Page(i).text);
    return out;
  }
  PopupLayout layout;
  TClipBase store{layout};
  fakes::FakeClipboard clipboard;
  RecordingExpander expander;
  PasteSettings settings{true, "》", u"》"};
};

TEST_F(PasteTest, ThirdHistoryClipBecomesNewestAndNewestStaysPut) {
  ASSERT_TRUE(Paste(2));
  EXPECT_EQ(*clipboard.text, "one");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "three", "two"}));
  ASSERT_TRUE(Paste(0));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "three", "two"}));
}

TEST_F(PasteTest, StaticClipStaysAndItsExpansionIsRecorded) {
  store.AddClip(layout.Static(), kStaticSlot, true, ";c\r\n$x");
  const int page = store.PageCount() - 1;
  ASSERT_TRUE(IsStaticClip(store.Page(page)));
  ASSERT_TRUE(Paste(page, /*quote=*/true));
  EXPECT_EQ(*clipboard.text, "》<$x>");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"》<$x>", "three", "two", "one", ";c\r\n$x"}));
}

TEST_F(PasteTest, UserMenuClipMovesIntoTheHistory) {
  store.AddClip(layout.UserMenu(1), 2, true, "http://a");
  ASSERT_TRUE(Paste(store.PageCount() - 1));
  EXPECT_EQ(layout.UserMenu(1).Count(), 0);
  EXPECT_EQ(Texts().front(), "http://a");
}

TEST_F(PasteTest, CancelledExpansionOrRefusedClipboardChangesNothing) {
  store.AddClip(layout.Static(), kStaticSlot, true, "s");
  expander.goAhead = false;
  EXPECT_FALSE(Paste(store.PageCount() - 1));
  EXPECT_EQ(clipboard.sets, 0);

  clipboard.failSet = true;
  EXPECT_FALSE(Paste(2));
  EXPECT_EQ(store.HistoryCount(), 3);
  EXPECT_EQ(store.Page(0).text, "one");  // put back, as the newest of its menu
  EXPECT_FALSE(Paste(-1));
  EXPECT_FALSE(Paste(99));
}

TEST_F(PasteTest, PreviewIsWhatThePasteWouldInsertAndTouchesNothing) {
  store.AddClip(layout.Static(), kStaticSlot, true, ";c\r\n$x");
  const int page = store.PageCount() - 1;
  const expand::ExpandResult preview = PrepareClipText(store.Page(page), true, settings, &expander);
  EXPECT_TRUE(preview.goAhead);
  EXPECT_EQ(preview.text, "》<$x>");
  EXPECT_EQ(PrepareClipText(store.Page(1), false, settings, &expander).text, "two");
  EXPECT_EQ(clipboard.sets, 0);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"three", "two", "one", ";c\r\n$x"}));
  expander.goAhead = false;
  EXPECT_FALSE(PrepareClipText(store.Page(page), true, settings, &expander).goAhead);
}

}  // namespace
}  // namespace ambrel::app
