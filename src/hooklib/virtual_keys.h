// The message and key numbers the hook logic works with, spelled out so the
// portable code needs no system header.
#pragma once

#include <cstdint>

namespace ambrel::hooklib {

inline constexpr std::uint8_t kKeyDown = 0x80;  // bit 7 of a key-state byte

inline constexpr std::uint32_t kLastVirtualKey = 0xFE;
inline constexpr std::uint32_t kVkReturn = 13;
inline constexpr std::uint32_t kVkShift = 16;
inline constexpr std::uint32_t kVkControl = 17;
inline constexpr std::uint32_t kVkMenu = 18;  // Alt
inline constexpr std::uint32_t kVkInsert = 45;
inline constexpr std::uint32_t kVkV = 86;

inline constexpr std::uint32_t kWmContextMenu = 0x7B;
inline constexpr std::uint32_t kWmKeyDown = 0x100;
inline constexpr std::uint32_t kWmKeyUp = 0x101;
inline constexpr std::uint32_t kWmInitMenuPopup = 0x117;
inline constexpr std::uint32_t kWmMenuSelect = 0x11F;
inline constexpr std::uint32_t kWmLButtonUp = 0x202;
inline constexpr std::uint32_t kWmRButtonUp = 0x205;
inline constexpr std::uint32_t kWmPaste = 0x302;

inline constexpr int kHcAction = 0;
inline constexpr int kMsgfMenu = 2;
inline constexpr std::uintptr_t kPmRemove = 1;

// The command id standard edit controls give the Paste item of their menu.
inline constexpr std::uint32_t kEditPasteId = 0x302;

}  // namespace ambrel::hooklib
