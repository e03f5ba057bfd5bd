#include "hooklib/hook_logic.h"

#include <gtest/gtest.h>

#include "hooklib/fake_hook_system.h"
#include "hooklib/virtual_keys.h"

namespace ambrel::hooklib {
namespace {

constexpr std::uint32_t kPasteMsg = 0xC200;
constexpr Handle kOwner = 0x777;

class HookLogicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UnionData& s = fake.shared;
    SetKeyFields(s, 'V', /*shift=*/true, /*ctrl=*/true, /*alt=*/false);
    SetPasteKeyFields(s, 0);
    SetMenuFields(s, true, true, "AMBREL", 28431);
    s.OwnerWindow = kOwner;
    state.pasteMessage = kPasteMsg;
  }
  bool Get(HookMsg& msg, int code = kHcAction, std::uintptr_t removal = kPmRemove) {
    return OnGetMessage(state, fake, code, removal, msg);
  }
  void Hold(std::initializer_list<std::uint32_t> keys) {
    for (std::uint32_t k : keys) fake.keys[k] = 0x81;  // bit 7 down, bit 0 toggle noise
  }
  FakeHookSystem fake;
  HookState state;
};

TEST_F(HookLogicTest, SettingsAreLoadedOnceOnFirstUse) {
  HookMsg msg{1, 0x200, 0, 0};
  Get(msg);
  Get(msg);
  OnCallWndProc(state, fake, kHcAction, 0x200, 0, 0);
  EXPECT_EQ(fake.reloads, 1);
  EXPECT_EQ(state.localCopy.PasteKey, kVkV);
}

TEST_F(HookLogicTest, AFailedFirstLoadIsNotRetriedUntilAReloadRequest) {
  HookMsg msg{1, 0x200, 0, 0};
  fake.mapFails = true;
  Get(msg);
  Get(msg);
  EXPECT_EQ(fake.reloads, 1);
  fake.mapFails = false;
  HookMsg reload{0, kPasteMsg, kReloadSettings, 0};
  Get(reload);
  EXPECT_EQ(state.localCopy.PasteKey, kVkV);
}

TEST_F(HookLogicTest, OtherMessagesMakeNoSystemCall) {
  HookMsg warm{1, 0x200, 0, 0};
  Get(warm);
  const int before = fake.calls;
  for (std::uint32_t m : {0x0Fu, 0x200u, 0x101u, 0x104u, kWmPaste}) {
    HookMsg msg{1, m, 'V', 0};
    EXPECT_FALSE(Get(msg));
  }
  HookMsg otherKey{1, kWmKeyDown, 'X', 0};
  EXPECT_FALSE(Get(otherKey));
  OnCallWndProc(state, fake, kHcAction, 0x0F, 0, 0);
  OnSysMsgFilter(state, fake, kMsgfMenu, HookMsg{1, 0x200, 0, 0});
  EXPECT_EQ(fake.calls, before);
}

TEST_F(HookLogicTest, HotKeyNeedsExactlyItsModifiers) {
  const UnionData ctrlX = [] {
    UnionData d{};
    SetKeyFields(d, 'X', false, true, false);
    SetPasteKeyFields(d, 0);
    return d;
  }();
  fake.shared = ctrlX;
  struct Case {
    std::initializer_list<std::uint32_t> held;
    bool fires;
  };
  for (const Case& c : {Case{{kVkControl}, true}, Case{{kVkControl, kVkShift}, false},
                        Case{{}, false}, Case{{kVkControl, kVkMenu}, false}}) {
    std::memset(fake.keys, 0, sizeof fake.keys);
    Hold(c.held);
    fake.posted.clear();
    HookMsg msg{0x10, kWmKeyDown, 'X', 0x2D0001};
    EXPECT_EQ(Get(msg), c.fires);
    EXPECT_EQ(fake.posted.size(), c.fires ? 1u : 0u);
  }
}

TEST_F(HookLogicTest, HotKeyIsSwallowedAndRequestsThePopupAtTheCaret) {
  Hold({kVkControl, kVkShift});
  fake.caret = {23, 56};
  fake.clientOrigin = {100, 400};
  HookMsg msg{0x10, kWmKeyDown, 'V', 0x2F0001};
  ASSERT_TRUE(Get(msg));
  EXPECT_EQ(msg.window, 0u);
  EXPECT_EQ(msg.message, kPasteMsg);
  EXPECT_EQ(msg.wParam, kSwallowedKey);
  EXPECT_EQ(msg.lParam, 0);
  ASSERT_EQ(fake.posted.size(), 1u);
  EXPECT_EQ(fake.posted[0], (PostedMessage{kOwner, fake.popupMessage, 0, 456 * 10000 + 123}));

  // The swallowed key, coming round again, does nothing.
  fake.posted.clear();
  EXPECT_FALSE(Get(msg));
  EXPECT_TRUE(fake.posted.empty());
}

TEST_F(HookLogicTest, OnlyRemovedActionMessagesCount) {
  Hold({kVkControl, kVkShift});
  HookMsg peeked{0x10, kWmKeyDown, 'V', 0};
  EXPECT_FALSE(Get(peeked, kHcAction, /*PM_NOREMOVE=*/0));
  EXPECT_FALSE(Get(peeked, /*HC_NOREMOVE=*/3, kPmRemove));
  EXPECT_EQ(peeked.message, kWmKeyDown);
  EXPECT_TRUE(fake.posted.empty());
}

TEST_F(HookLogicTest, CaretAtClientOriginFallsBackToTheMouse) {
  fake.caret = {0, 0};
  fake.cursor = {640, 480};
  PostPopupRequest(state, fake);
  EXPECT_EQ(fake.posted.back().lParam, 480 * 10000 + 640);
  // x + y = 0 with a negative part counts as no caret too.
  fake.caret = {-5, 5};
  PostPopupRequest(state, fake);
  EXPECT_EQ(fake.posted.back().lParam, 480 * 10000 + 640);
}

TEST(PositionPacking, RoundTripsAndHoldsCoordinatesInRange) {
  EXPECT_EQ(PackPosition({123, 456}), 4560123);
  const Point p = UnpackPosition(static_cast<std::uint32_t>(PackPosition({9999, 9999})));
  EXPECT_EQ(p.x, 9999);
  EXPECT_EQ(p.y, 9999);
  EXPECT_EQ(PackPosition({-300, 20}), 200000);
  EXPECT_EQ(PackPosition({12000, -1}), 9999);
}

TEST_F(HookLogicTest, PasteByMessageBecomesWmPasteForTheFocus) {
  HookMsg msg{0, kPasteMsg, kPasteByMessage, 0x4242};
  ASSERT_TRUE(Get(msg));
  EXPECT_EQ(fake.foregroundSet, std::vector<Handle>{0x4242});
  EXPECT_EQ(msg.window, fake.focus);
  EXPECT_EQ(msg.message, kWmPaste);
  EXPECT_EQ(msg.wParam, 0u);
  EXPECT_EQ(msg.lParam, 0);
}

TEST_F(HookLogicTest, PasteByKeysPressesTheModifierInThreadStateThenReleasesIt) {
  SetPasteKeyFields(fake.shared, 7);  // Shift+Insert
  Hold({kVkControl, kVkShift});
  fake.foreground = 0x4242;
  HookMsg msg{0, kPasteMsg, kPasteByKeys, 0x4242};
  EXPECT_FALSE(Get(msg));  // the request itself passes on unchanged
  EXPECT_TRUE(fake.foregroundSet.empty());
  EXPECT_EQ(fake.keys[kVkShift], kKeyDown);
  EXPECT_EQ(fake.keys[kVkControl], 0);
  ASSERT_EQ(fake.posted.size(), 3u);
  EXPECT_EQ(fake.posted[0], (PostedMessage{fake.focus, kWmKeyDown, kVkInsert, 0x52 << 16}));
  EXPECT_EQ(fake.posted[1],
            (PostedMessage{fake.focus, kWmKeyUp, kVkInsert,
                           static_cast<std::intptr_t>((0x52u << 16) + 0xC0000001u)}));
  EXPECT_EQ(fake.posted[2], (PostedMessage{0, kPasteMsg, kReleaseModifier, 0}));

  HookMsg release{0, kPasteMsg, kReleaseModifier, 0};
  Get(release);
  EXPECT_EQ(fake.keys[kVkShift], 0);
}

TEST_F(HookLogicTest, PasteByKeysBringsTheTargetForwardWhenItIsNot) {
  HookMsg msg{0, kPasteMsg, kPasteByKeys, 0x4242};
  Get(msg);
  EXPECT_EQ(fake.foregroundSet, std::vector<Handle>{0x4242});
  EXPECT_EQ(fake.keys[kVkControl], kKeyDown);
  EXPECT_EQ(fake.posted[0].wParam, kVkV);
}

// The target already foreground but its activation not yet handled: no focus.
TEST_F(HookLogicTest, PasteActivatesATargetThatHasNoFocusYet) {
  fake.foreground = 0x4242;
  fake.focus = 0;
  HookMsg byMessage{0, kPasteMsg, kPasteByMessage, 0x4242};
  ASSERT_TRUE(Get(byMessage));
  EXPECT_EQ(fake.activated, std::vector<Handle>{0x4242});
  EXPECT_EQ(byMessage.window, fake.focusOnActivation);

  fake.focus = 0;
  HookMsg byKeys{0, kPasteMsg, kPasteByKeys, 0x4242};
  Get(byKeys);
  EXPECT_EQ(fake.activated.size(), 2u);
  ASSERT_FALSE(fake.posted.empty());
  EXPECT_EQ(fake.posted[0].window, fake.focusOnActivation);
  EXPECT_TRUE(fake.foregroundSet.empty());
}

TEST_F(HookLogicTest, ReloadRequestRefreshesTheCopy) {
  HookMsg warm{1, 0x200, 0, 0};
  Get(warm);
  SetKeyFields(fake.shared, 'Q', false, false, true);
  HookMsg reload{0, kPasteMsg, kReloadSettings, 0};
  Get(reload);
  EXPECT_EQ(state.localCopy.HotKeyCode, 'Q');
  EXPECT_EQ(state.localCopy.HotAlt, kKeyDown);
}

TEST(PasteCaption, ByteForByteAndCaseSensitive) {
  EXPECT_TRUE(IsPasteCaption("&Paste\tCtrl+V"));
  EXPECT_TRUE(IsPasteCaption("貼り付け(&P)"));
  EXPECT_FALSE(IsPasteCaption("&paste"));
  EXPECT_FALSE(IsPasteCaption("Paste"));
  EXPECT_FALSE(IsPasteCaption("&Past"));
  EXPECT_FALSE(IsPasteCaption("貼り"));
  EXPECT_FALSE(IsPasteCaption(""));
}

class MenuLinkTest : public HookLogicTest {
 protected:
  static constexpr Handle kMenu = 0x900;
  void Init() { OnCallWndProc(state, fake, kHcAction, kWmInitMenuPopup, kMenu, 0); }
};

TEST_F(MenuLinkTest, AppendsSeparatorAndItemAfterAPasteItem) {
  fake.menus[kMenu] = {"元に戻す(&U)", "切り取り(&T)", "貼り付け(&P)\tCtrl+V", "削除"};
  Init();
  EXPECT_EQ(fake.appended, (std::vector<std::string>{"2304:65535:-", "2304:28431:AMBREL"}));
}

TEST_F(MenuLinkTest, NoItemTwiceNorInOwnProcessNorBeyondPosition100NorWhenOff) {
  fake.menus[kMenu] = {"&Paste"};
  fake.ids[kMenu][0] = 28431;
  Init();
  EXPECT_TRUE(fake.appended.empty());

  fake.ids[kMenu].clear();
  fake.ownProcess = true;
  Init();
  EXPECT_TRUE(fake.appended.empty());
  fake.ownProcess = false;

  std::vector<std::string> many(101, "x");
  many.push_back("&Paste");
  fake.menus[kMenu] = many;
  Init();
  EXPECT_TRUE(fake.appended.empty());
  fake.menus[kMenu][100] = "&Paste";
  Init();
  EXPECT_EQ(fake.appended.size(), 2u);

  fake.appended.clear();
  SetMenuFields(fake.shared, false, true, "AMBREL", 28431);
  state.localCopy = fake.shared;
  Init();
  EXPECT_TRUE(fake.appended.empty());
}

TEST_F(MenuLinkTest, ChoosingTheLinkedItemRequestsThePopupOnce) {
  HookState& s = state;
  OnSysMsgFilter(s, fake, kMsgfMenu, {0, kWmMenuSelect, 28431, kMenu});
  EXPECT_EQ(s.lastMenuSelection, 28431);
  OnSysMsgFilter(s, fake, kMsgfMenu, {0, kWmLButtonUp, 0, 0});
  EXPECT_EQ(fake.posted.size(), 1u);
  EXPECT_EQ(s.lastMenuSelection, kNoSelection);
  OnSysMsgFilter(s, fake, kMsgfMenu, {0, kWmLButtonUp, 0, 0});
  EXPECT_EQ(fake.posted.size(), 1u);

  // Another item, or Enter on nothing, requests nothing; other keys keep the selection.
  OnSysMsgFilter(s, fake, kMsgfMenu, {0, kWmMenuSelect, 12, kMenu});
  OnSysMsgFilter(s, fake, kMsgfMenu, {0, kWmKeyDown, 40, 0});
  EXPECT_EQ(s.lastMenuSelection, 12);
  OnSysMsgFilter(s, fake, kMsgfMenu, {0, kWmKeyDown, kVkReturn, 0});
  EXPECT_EQ(fake.posted.size(), 1u);

  // The selection sent to the menu's owner counts as well.
  OnCallWndProc(s, fake, kHcAction, kWmMenuSelect, 28431, kMenu);
  OnSysMsgFilter(s, fake, kMsgfMenu, {0, kWmKeyDown, kVkReturn, 0});
  EXPECT_EQ(fake.posted.size(), 2u);

  // Outside a menu loop nothing happens.
  OnSysMsgFilter(s, fake, 0, {0, kWmMenuSelect, 28431, kMenu});
  EXPECT_EQ(s.lastMenuSelection, kNoSelection);

  OnSysMsgFilter(s, fake, kMsgfMenu, {0, kWmMenuSelect, 28431, kMenu});
  OnCallWndProc(s, fake, kHcAction, kWmContextMenu, 0, 0);
  EXPECT_EQ(s.lastMenuSelection, kNoSelection);
}

TEST_F(MenuLinkTest, EditLinkRenumbersTheEditControlsPasteItem) {
  fake.menus[kMenu] = {"元に戻す(&U)", "貼り付け(&P)"};
  fake.ids[kMenu][1] = kEditPasteId;
  OnSysMsgFilter(state, fake, kMsgfMenu, {0, kWmMenuSelect, kEditPasteId, kMenu});
  EXPECT_EQ(fake.replaced, std::vector<std::string>{"2304:770->28430:貼り付け(&P)"});
  EXPECT_EQ(state.lastMenuSelection, 28430);
  OnSysMsgFilter(state, fake, kMsgfMenu, {0, kWmKeyDown, kVkReturn, 0});
  EXPECT_EQ(fake.posted.size(), 1u);

  // One selection that reaches both hooks still chooses the renumbered item,
  // by Enter and by the mouse; the item is renumbered once per menu.
  for (const std::uint32_t choice : {kWmKeyDown, kWmLButtonUp}) {
    fake.ids[kMenu][1] = kEditPasteId;  // the menu opens again
    fake.replaced.clear();
    OnSysMsgFilter(state, fake, kMsgfMenu, {0, kWmMenuSelect, kEditPasteId, kMenu});
    OnCallWndProc(state, fake, kHcAction, kWmMenuSelect, kEditPasteId, kMenu);
    EXPECT_EQ(state.lastMenuSelection, 28430);
    const std::size_t before = fake.posted.size();
    OnSysMsgFilter(state, fake, kMsgfMenu, {0, choice, kVkReturn, 0});
    EXPECT_EQ(fake.posted.size(), before + 1);
    EXPECT_EQ(fake.replaced.size(), 1u);
  }

  // Without EditLink the Paste item stays a Paste item.
  SetMenuFields(fake.shared, true, false, "AMBREL", 28431);
  state.localCopy = fake.shared;
  fake.replaced.clear();
  OnSysMsgFilter(state, fake, kMsgfMenu, {0, kWmMenuSelect, kEditPasteId, kMenu});
  EXPECT_TRUE(fake.replaced.empty());
}

TEST(UnionDataFields, ExportsChangeExactlyTheirFields) {
  UnionData d{};
  SetPasteKeyFields(d, 5);
  EXPECT_EQ(d.PasteKey, kVkInsert);
  EXPECT_EQ(d.PasteModifier, kVkShift);
  SetPasteKeyFields(d, 0);
  EXPECT_EQ(d.PasteKey, kVkV);
  EXPECT_EQ(d.PasteModifier, kVkControl);

  SetMenuFields(d, true, false, "0123456789012345678901234567890123456789", 7);
  EXPECT_EQ(std::string(d.MenuCap), "0123456789012345678901234567890");
  EXPECT_EQ(d.terminator, 0);
  SetMenuFields(d, true, false, "AB", 7);
  EXPECT_EQ(std::string(d.MenuCap), "AB");
  EXPECT_EQ(d.MenuCap[kMenuCapSize - 1], 0);
}

}  // namespace
}  // namespace ambrel::hooklib
