// The settings block that every process loading the hook library maps under
// one name. Its layout is read by processes built at other times, so it is
// fixed byte for byte; window and hook handles are kept as 32-bit values,
// which is all Win64 uses of them too.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ambrel::hooklib {

inline constexpr char kUnionDataName[] = "UnionData for TESK.DLL";
inline constexpr char kPopupRequestName[] = "Ambrel KeyBoard";
inline constexpr char kPasteMessageName[] = "Ambrel PasteMessage";
// A named event that exists while the 32-bit companion's hooks are set.
inline constexpr char kCompanionHooksName[] = "Ambrel 32-bit hooks";
inline constexpr int kDllVersion = 100;
inline constexpr std::size_t kMenuCapSize = 31;
// The linked item uses MenuId and MenuId - 1 as 16-bit command ids, and
// 0xFFFF is its separator's.
inline constexpr std::int32_t kFirstMenuId = 2, kLastMenuId = 0xFFFE;

struct UnionData {
  std::uint16_t HotKeyCode;
  std::uint8_t HotShift;  // 0x80: Shift must be down; 0: it must be up
  std::uint8_t HotCtrl;
  std::uint8_t HotAlt;
  std::uint8_t gap1[3];
  std::uint32_t OwnerWindow;
  std::uint32_t PasteModifier;  // VK_CONTROL or VK_SHIFT
  std::uint32_t PasteKey;       // 'V' or VK_INSERT; 0 only in a block never loaded
  std::uint32_t GetMessageHook;  // non-zero: the hooks are installed
  std::uint32_t CallWndProcHook;
  std::uint32_t SysMsgFilterHook;
  std::uint8_t EditLink;
  std::uint8_t MenuLink;
  std::uint8_t gap2[2];
  std::int32_t MenuId;
  char MenuCap[kMenuCapSize];
  char terminator;  // never written: MenuCap always ends within the block
};

static_assert(sizeof(UnionData) == 72);
static_assert(offsetof(UnionData, HotKeyCode) == 0);
static_assert(offsetof(UnionData, HotShift) == 2);
static_assert(offsetof(UnionData, HotCtrl) == 3);
static_assert(offsetof(UnionData, HotAlt) == 4);
static_assert(offsetof(UnionData, OwnerWindow) == 8);
static_assert(offsetof(UnionData, PasteModifier) == 12);
static_assert(offsetof(UnionData, PasteKey) == 16);
static_assert(offsetof(UnionData, GetMessageHook) == 20);
static_assert(offsetof(UnionData, CallWndProcHook) == 24);
static_assert(offsetof(UnionData, SysMsgFilterHook) == 28);
static_assert(offsetof(UnionData, EditLink) == 32);
static_assert(offsetof(UnionData, MenuLink) == 33);
static_assert(offsetof(UnionData, MenuId) == 36);
static_assert(offsetof(UnionData, MenuCap) == 40);
static_assert(offsetof(UnionData, terminator) == 71);

// Any process that can open the block can write any bytes into it: a copy
// read from it is brought within what its readers rely on before anything
// uses it. The caption ends within its 31 bytes, the modifier flags are
// "down" or "up", a hot key outside the virtual-key codes is no hot key, the
// paste keys are Ctrl+V or Shift+Insert (Ctrl+V for anything else), the links
// are on or off, and a menu id outside the range switches both links off.
void SanitizeSettings(UnionData& copy) noexcept;

// The field changes of the exports, applied to the mapped view.
void SetKeyFields(UnionData& data, std::uint16_t key, bool shift, bool ctrl, bool alt) noexcept;
// 0 selects Ctrl+V, any other value Shift+Insert.
void SetPasteKeyFields(UnionData& data, int code) noexcept;
// At most kMenuCapSize bytes of the caption are kept; the rest of MenuCap is
// zero, so no stale bytes of a longer earlier caption remain.
void SetMenuFields(UnionData& data, bool menuLink, bool editLink, const char* caption,
                   std::int32_t menuId) noexcept;

}  // namespace ambrel::hooklib
