#include "options/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


namespace ambrel::options {
namespace {

class RecordingHook : public HookControl {
 public:
  void SetKeyCode(std::uint8_t key, bool shift, bool ctrl, bool alt) override {
    calls.push_back("key " + std::to_string(key) + (shift ? " S" : "") + (ctrl ? " C" : "") +
                    (alt ? " A" : ""));
  }
  void SetPasteKeyCode(int code) override { calls.push_back("paste " + std::to_string(code)); }
  void SetMenuInfo(bool link, bool editLink, std::string_view cap, int id) override {
    calls.push_back("menu " + std::to_string(link) + std::to_string(editLink) + " " +
                    std::string(cap) + " " + std::to_string(id));
  }
  bool Installed() const override { return installed; }
  bool installed = false;
  std::vector<std::string> calls;
};

class RecordingObserver : public SettingsObserver {
 public:
  void OnSettingChanged(Setting which) override { seen.push_back(which); }
  std::vector<Setting> seen;
};

class SettingsTest : public ::testing::Test {
 protected:
  RecordingHook hook;
  Settings settings{&hook};
};

TEST_F(SettingsTest, StartsWithTheDesignedDefaults) {
  EXPECT_EQ(settings.HotKey(), 0x6056);
  EXPECT_EQ(settings.PopupPos(), 0);
  EXPECT_TRUE(settings.MenuMenu() && settings.OptionMenu() && settings.HelpMenu());
  EXPECT_FALSE(settings.MenuLink());
  EXPECT_TRUE(settings.DataSave() && settings.Distribute());
  EXPECT_FALSE(settings.FullMatching());
  EXPECT_EQ(settings.PasteMethod(), 1);
  EXPECT_EQ(settings.Quote(), "\x81\x74");
  EXPECT_TRUE(settings.TreeBtn() && settings.TreeAutoSel() && settings.ListAutoSel());
  EXPECT_FALSE(settings.GridLine());
  EXPECT_TRUE(settings.PopupHint() && settings.MultiLineBar() && settings.UpperTab());
  EXPECT_FALSE(settings.MultiLine());
  EXPECT_TRUE(settings.Beginner());
  EXPECT_EQ(settings.VertWindow(), 1);
  EXPECT_EQ(settings.Interval(), 1);
  EXPECT_FALSE(settings.DebugMode() || settings.DirectPopup() || settings.SelfFocus() ||
               settings.DskTpFocus() || settings.ShowDebugPage());
  EXPECT_EQ(settings.MenuCap(), "AMBREL");
  EXPECT_EQ(settings.MenuId(), 28431);
  EXPECT_TRUE(settings.EditLink());
  EXPECT_TRUE(settings.SaveParamOnExit() && settings.SaveHistoryOnExit() && settings.SaveMetaOnExit());
  EXPECT_EQ(settings.GetEditorFont().name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(settings.GetEditorFont().height, -16);
  EXPECT_FALSE(settings.GetWordWrap());
  EXPECT_TRUE(hook.calls.empty());
}

TEST_F(SettingsTest, AShortcutWithoutAKeyPartMeansNoHotKey) {
  settings.SetHotKey(0);
  EXPECT_EQ(settings.HotKey(), 0);
  settings.SetHotKey(kHotKeyShift);  // modifiers without a key
  EXPECT_EQ(settings.HotKey(), 0);
  settings.SetHotKey(kHotKeyAlt | kHotKeyCtrl | 'Q');
  EXPECT_EQ(settings.HotKey(), kHotKeyAlt | kHotKeyCtrl | 'Q');
  EXPECT_EQ(hook.calls, (std::vector<std::string>{"key 0", "key 0", "key 81 C A"}));
}

TEST_F(SettingsTest, PasteMethodPassesTheKeyForKeystrokesOnly) {
  settings.SetPasteMethod(0);
  EXPECT_EQ(settings.PasteByKeys(), 0);
  settings.SetPasteMethod(2);
  settings.SetPasteMethod(1);
  EXPECT_EQ(settings.PasteByKeys(), 1);
  EXPECT_EQ(hook.calls, (std::vector<std::string>{"paste 1", "paste 0"}));
}

TEST_F(SettingsTest, MenuLinkReachesTheHookOnlyOnceInstalled) {
  settings.SetMenuLink(true);
  EXPECT_TRUE(settings.MenuLink());
  EXPECT_TRUE(hook.calls.empty());
  hook.installed = true;
  settings.SetMenuCap("CLIP");
  settings.SetMenuId(500);
  settings.SetEditLink(false);
  settings.SetMenuLink(true);
  EXPECT_EQ(hook.calls, std::vector<std::string>{"menu 10 CLIP 500"});
}

TEST_F(SettingsTest, ObserversAreToldOfEveryAppliedChange) {
  RecordingObserver a, b;
  settings.AddObserver(&a);
  settings.AddObserver(&b);
  settings.AddObserver(&a);
  settings.SetGridLine(true);
  settings.SetWordWrap(true);
  settings.RemoveObserver(&b);
  settings.SetUpperTab(false);
  EXPECT_EQ(a.seen, (std::vector<Setting>{Setting::kGridLine, Setting::kWordWrap, Setting::kUpperTab}));
  EXPECT_EQ(b.seen, (std::vector<Setting>{Setting::kGridLine, Setting::kWordWrap}));
  EXPECT_TRUE(settings.GetWordWrap());
}

TEST_F(SettingsTest, TreeSizesStartFromThePanelAndAreClampedOnRead) {
  settings.InitTreeSize(480, 300);
  EXPECT_EQ(settings.TreeW(), 160);
  EXPECT_EQ(settings.TreeH(), 150);
  settings.SetTreeW(10);
  EXPECT_EQ(settings.GetTreeWidth(480), 50);
  settings.SetTreeH(900);
  EXPECT_EQ(settings.GetTreeHeight(300), 250);
  EXPECT_EQ(settings.TreeH(), 250);
}

TEST_F(SettingsTest, QuoteKeepsAtMost255BytesOfWholeCharacters) {
  std::string quote;
  for (int i = 0; i < 130; ++i) quote += "》";
  settings.SetQuote("x" + quote);
  EXPECT_EQ(settings.Quote().size(), 255u);
  settings.SetQuote(quote);
  EXPECT_EQ(settings.Quote().size(), 254u);
}

TEST(CutShiftJis, NeverSplitsADoubleByteCharacter) {
  EXPECT_EQ(CutShiftJis("ab表c", 3), "ab");
  EXPECT_EQ(CutShiftJis("ab表c", 4), "ab表");
  EXPECT_EQ(CutShiftJis("abc", 10), "abc");
  EXPECT_EQ(CutShiftJis("\x81", 1), "\x81");  // a lone lead byte at the end
}

}  // namespace
}  // namespace ambrel::options
