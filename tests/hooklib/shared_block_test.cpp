// The shared block as another process may have written it: every field the
// hooks act on is checked before use.
#include <gtest/gtest.h>

#include <cstring>

#include "hooklib/fake_hook_system.h"
#include "hooklib/hook_logic.h"
#include "hooklib/virtual_keys.h"

namespace ambrel::hooklib {
namespace {

constexpr Handle kMenu = 0x900;

class SharedBlockTest : public ::testing::Test {
 protected:
  SharedBlockTest() {
    fake.menus[kMenu] = {"貼り付け(&P)"};
    fake.shared.MenuLink = 1;
    fake.shared.MenuId = 28431;
    fake.shared.HotKeyCode = 'V';
    fake.shared.PasteKey = kVkV;
    fake.shared.PasteModifier = kVkControl;
  }
  void OpenEditMenu() { OnCallWndProc(state, fake, kHcAction, kWmInitMenuPopup, kMenu, 0); }
  FakeHookSystem fake;
  HookState state;
};

TEST_F(SharedBlockTest, AnUnterminatedCaptionIsCutAtItsThirtyOneBytes) {
  std::memset(fake.shared.MenuCap, 'A', sizeof fake.shared.MenuCap);
  fake.shared.terminator = 'B';
  OpenEditMenu();
  EXPECT_EQ(fake.overlongCaptions, 0);
  ASSERT_EQ(fake.appended.size(), 2u);
  EXPECT_EQ(fake.appended[1], "2304:28431:" + std::string(kMenuCapSize, 'A'));
}

TEST_F(SharedBlockTest, AMenuIdOutsideSixteenBitsSwitchesTheLinksOff) {
  for (std::int32_t id : {0, 1, 0xFFFF, 0x10000 + 28431, -28431}) {
    fake.shared.MenuId = id;
    fake.shared.EditLink = 1;
    state = HookState{};
    OpenEditMenu();
    OnCallWndProc(state, fake, kHcAction, kWmMenuSelect, kEditPasteId, static_cast<std::intptr_t>(kMenu));
    EXPECT_TRUE(fake.appended.empty()) << id;
    EXPECT_TRUE(fake.replaced.empty()) << id;
  }
}

TEST_F(SharedBlockTest, KeysOutsideTheirRangesFallBackToNoHotKeyAndCtrlV) {
  fake.shared.HotKeyCode = 0x100 + 'V';
  fake.shared.HotCtrl = 0x81;
  fake.shared.PasteKey = 0x5B;        // the Windows key
  fake.shared.PasteModifier = 0x12345;  // outside the key-state table
  state.pasteMessage = fake.pasteMessageNumber;
  HookMsg key{1, kWmKeyDown, 0x100 + 'V', 0};
  EXPECT_FALSE(OnGetMessage(state, fake, kHcAction, kPmRemove, key));
  EXPECT_EQ(state.localCopy.HotKeyCode, 0);
  EXPECT_EQ(state.localCopy.HotCtrl, kKeyDown);

  HookMsg paste{0, fake.pasteMessageNumber, kPasteByKeys, 0x20};
  OnGetMessage(state, fake, kHcAction, kPmRemove, paste);
  ASSERT_GE(fake.posted.size(), 2u);
  EXPECT_EQ(fake.posted[0].wParam, kVkV);
  EXPECT_EQ(fake.keys[kVkControl], kKeyDown);
}

TEST_F(SharedBlockTest, TheFirstHookCallRegistersThePasteMessage) {
  HookMsg other{1, 0x200, 0, 0};
  OnGetMessage(state, fake, kHcAction, kPmRemove, other);
  EXPECT_EQ(state.pasteMessage, fake.pasteMessageNumber);
  EXPECT_TRUE(state.loadTried);
}

}  // namespace
}  // namespace ambrel::hooklib
