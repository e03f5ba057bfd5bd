#include "options/option_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clipstore/clip_store.h"
#include "expand/meta_list.h"
#include "help_contexts.h"
#include "properties/option_steps.h"

namespace ambrel::options {
namespace {

using properties::LoadOptionValues;
using properties::OptionHolders;
using properties::StoreOptionValues;

class MenuInfoHook : public HookControl {
 public:
  void SetKeyCode(std::uint8_t key, bool, bool, bool) override { keys.push_back(key); }
  void SetPasteKeyCode(int code) override { pasteCodes.push_back(code); }
  void SetMenuInfo(bool link, bool, std::string_view cap, int id) override {
    menuInfo = std::to_string(link) + " " + std::string(cap) + " " + std::to_string(id);
  }
  bool Installed() const override { return true; }
  std::vector<int> keys, pasteCodes;
  std::string menuInfo;
};

class Recorder : public SettingsObserver {
 public:
  void OnSettingChanged(Setting which) override { seen.push_back(which); }
  std::vector<Setting> seen;
};

class OptionValuesTest : public ::testing::Test {
 protected:
  OptionValuesTest() {
    store.DefineDefaultSlots();
    settings.AddObserver(&recorder);
  }
  OptionValues Load() { return LoadOptionValues(holders); }
  void Store(const OptionValues& v) { StoreOptionValues(v, holders); }
  std::vector<std::string> HistoryTexts() {
    std::vector<std::string> out;
    for (int i = 0; i < store.PageCount(); ++i)
      if (store.Page(i).slot.IsHistory()) out.push_back(store.Page(i).text);
    return out;
  }

  MenuInfoHook hook;
  Recorder recorder;
  Settings settings{&hook};
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  expand::MetaList meta;
  OptionHolders holders{settings, store, meta};
};

TEST_F(OptionValuesTest, ValidateChecksEachBoundInOrder) {
  struct Case {
    int maxHistory, menuLen, interval;
    std::uint16_t hotKey;
    std::optional<OptionField> failing;
  };
  const Case cases[] = {
      {5, 200, 0, 0x6056, std::nullopt},
      {100, 0, 10, 0x6056, std::nullopt},
      {4, 80, 1, 0x6056, OptionField::kMaxHistory},
      {101, 201, 11, 0, OptionField::kMaxHistory},  // the first failure wins
      {30, 201, 11, 0, OptionField::kMenuLen},
      {30, -1, 1, 0x6056, OptionField::kMenuLen},
      {30, 80, 11, 0, OptionField::kInterval},
      {30, 80, 1, 0, OptionField::kHotKey},
      {30, 80, 1, 0x6000, OptionField::kHotKey},  // modifiers without a key
  };
  for (const Case& c : cases) {
    OptionValues v = Load();
    v.maxHistory = c.maxHistory;
    v.menuLen = c.menuLen;
    v.interval = c.interval;
    v.hotKey = c.hotKey;
    const auto failure = ValidateOptions(v);
    ASSERT_EQ(failure.has_value(), c.failing.has_value()) << c.maxHistory << " " << c.menuLen;
    if (failure) {
      EXPECT_EQ(failure->field, *c.failing);
    }
  }
  OptionValues v = Load();
  v.maxHistory = 101;
  auto f = ValidateOptions(v);
  EXPECT_STREQ(f->message, "クリップデータ登録数の値が範囲を越えています。");
  EXPECT_EQ(f->helpContext, kHelpMaxHistoryRange);
  EXPECT_EQ(f->page, OptionPage::kData);
  v = Load();
  v.interval = 11;
  f = ValidateOptions(v);
  EXPECT_EQ(f->helpContext, kHelpIntervalRange);
  EXPECT_EQ(f->page, OptionPage::kOther);
  v = Load();
  v.hotKey = 0;
  f = ValidateOptions(v);
  EXPECT_STREQ(f->message, "ポップアップキーが指定されていません。");
  EXPECT_EQ(f->helpContext, kHelpNoHotKey);
  EXPECT_EQ(f->page, OptionPage::kMenu);
}

TEST_F(OptionValuesTest, StoringWhatWasLoadedChangesNothing) {
  settings.SetPasteMethod(2);
  settings.SetSaveHistoryOnExit(false);
  store.SetMenuLen(33);
  const OptionValues before = Load();
  EXPECT_TRUE(before.skipHistory);
  EXPECT_FALSE(before.skipParam);
  Store(before);
  EXPECT_EQ(Load(), before);
}

TEST_F(OptionValuesTest, StoreAppliesInItsOrder) {
  OptionValues v = Load();
  v.menuCap = "LINK";
  v.menuId = 500;
  v.menuLink = true;
  recorder.seen.clear();
  Store(v);
  const std::vector<Setting> expected = {
      Setting::kHotKey,      Setting::kPopupHint,   Setting::kUpperTab,     Setting::kMultiLine,
      Setting::kMultiLineBar, Setting::kEditorFont, Setting::kWordWrap,     Setting::kDataSave,
      Setting::kGridLine,    Setting::kQuote,       Setting::kMenuMenu,     Setting::kOptionMenu,
      Setting::kHelpMenu,    Setting::kBeginner,    Setting::kDebugMode,    Setting::kDirectPopup,
      Setting::kSelfFocus,   Setting::kDskTpFocus,  Setting::kFullMatching, Setting::kListAutoSel,
      Setting::kTreeAutoSel, Setting::kInterval,    Setting::kMenuId,       Setting::kMenuCap,
      Setting::kEditLink,    Setting::kMenuLink,    Setting::kTreeButtons,  Setting::kDistribute,
      Setting::kVertWindow,  Setting::kPasteMethod, Setting::kPopupPos};
  EXPECT_EQ(recorder.seen, expected);
  // The link reaches the library with the caption and id of the same store.
  EXPECT_EQ(hook.menuInfo, "1 LINK 500");
}

TEST_F(OptionValuesTest, StoreReachesTheStoreAndTheLibrary) {
  for (int i = 1; i <= 8; ++i) store.AddClip(layout.History(), 0, true, "clip" + std::to_string(i));
  OptionValues v = Load();
  v.maxHistory = 5;
  v.menuLen = 10;
  v.crChar = "#";
  v.pasteMethod = 0;
  v.hotKey = 0x6041;
  v.skipHistory = true;
  hook.pasteCodes.clear();
  Store(v);
  EXPECT_EQ(HistoryTexts(), (std::vector<std::string>{"clip8", "clip7", "clip6", "clip5", "clip4"}));
  EXPECT_EQ(store.MenuLen(), 20);
  EXPECT_EQ(store.Captions().crChar, "#");
  EXPECT_TRUE(hook.pasteCodes.empty());  // WM_PASTE needs no paste key
  EXPECT_EQ(hook.keys.back(), 0x41);
  EXPECT_FALSE(settings.SaveHistoryOnExit());
  EXPECT_TRUE(settings.SaveParamOnExit());
  EXPECT_TRUE(settings.SaveMetaOnExit());

  v.maxHistory = 50;
  v.pasteMethod = 1;
  Store(v);
  EXPECT_EQ(store.MaxHistory(), 30);
  EXPECT_EQ(hook.pasteCodes, std::vector<int>{0});
}

TEST(HotKeyTest, PlainAndShiftOnlyKeysBecomeCtrlShift) {
  EXPECT_EQ(NormalizeHotKey('A'), 0x6041);
  EXPECT_EQ(NormalizeHotKey(kHotKeyShift | 'A'), 0x6041);
  EXPECT_EQ(NormalizeHotKey(kHotKeyCtrl | 'A'), kHotKeyCtrl | 'A');
  EXPECT_EQ(NormalizeHotKey(kHotKeyAlt | kHotKeyShift | 'A'), kHotKeyAlt | kHotKeyShift | 'A');
  EXPECT_EQ(NormalizeHotKey(0), 0);
  // The control's bits: Shift 1, Ctrl 2, Alt 4 in the high byte.
  EXPECT_EQ(ShortcutFromHotKeyControl(0x0651), kHotKeyCtrl | kHotKeyAlt | 'Q');
  EXPECT_EQ(ShortcutFromHotKeyControl(0x0151), 0x6051);
  EXPECT_EQ(ShortcutFromHotKeyControl(0x0051), 0x6051);
  EXPECT_EQ(HotKeyControlFromShortcut(0x6056), 0x0356);
  EXPECT_EQ(HotKeyControlFromShortcut(kHotKeyAlt | 'Z'), 0x045A);
}

TEST(SpinFieldTest, TextThatIsNoNumberReadsAsTheMinimum) {
  EXPECT_EQ(SpinFieldValue("101", 5), 101);
  EXPECT_EQ(SpinFieldValue(" 7 ", 5), 7);
  EXPECT_EQ(SpinFieldValue("", 5), 5);
  EXPECT_EQ(SpinFieldValue("1x", 5), 5);
  EXPECT_EQ(SpinFieldValue("abc", 20), 20);
}

}  // namespace
}  // namespace ambrel::options
