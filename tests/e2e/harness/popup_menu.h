// Driving a popup menu that another process tracks (TrackPopupMenu). The
// menu's items cannot be read from outside, so an item is chosen by keys:
// the menu's modal loop runs in the owner's thread and takes key messages
// from that thread's queue, which posting to the menu window reaches.
#pragma once

#include <windows.h>

namespace ambrel::e2e {

// The visible menu window (class "#32768"), of `processId` when not 0,
// within `timeoutMs`; nullptr when none opened.
HWND WaitForPopupMenu(unsigned timeoutMs, DWORD processId = 0);
// A submenu opened from `openMenu`: another visible menu window of
// `processId` (0: any) within `timeoutMs`; nullptr when none opened.
HWND WaitForSubmenu(HWND openMenu, unsigned timeoutMs, DWORD processId = 0);

// True when no visible menu window of `processId` (0: any) is left within
// `timeoutMs`.
bool WaitForPopupMenuClosed(unsigned timeoutMs, DWORD processId = 0);

// Chooses the item at `index` (0-based, separators not counted, as the
// arrow keys skip them) with Down presses and Enter.
void ChooseMenuItemByIndex(HWND menu, int index);
// Chooses the item whose mnemonic (the letter after '&') is `key`.
void ChooseMenuItemByMnemonic(HWND menu, char key);
// Closes the menu without a choice and waits until it is gone: a menu still
// open swallows the next menu its program is asked for.
bool DismissMenu(HWND menu);

}  // namespace ambrel::e2e
