// The named shared block as one process of the library holds it: the mapping
// handle for the library's lifetime, a view only for the length of one
// operation. Nothing here runs while the library is being loaded: the block
// is opened by the first hook call (to read) or the first export (to write).
#pragma once

#include <windows.h>

#include "hooklib/union_data.h"

namespace ambrel::hooklib {

// MessageBeep, then a modal box "ERROR at TESK.DLL" with the numbered text.
// Only the exports show it: they run in the program and its companion, never
// inside another program.
void ShowLibraryError(int number) noexcept;

class SettingsBlock {
 public:
  // For the exports: creates the block (readable and writable by this user
  // only) or opens it for writing; a new block gets the Ctrl+V default. A
  // failure shows error 0001 once and returns false.
  bool OpenForWriting() noexcept;
  void Close() noexcept;

  // MapSettings: a writable view, its bytes copied into `copy`; null (after
  // the error box) when it cannot be mapped. Needs OpenForWriting.
  UnionData* Map(UnionData& copy) noexcept;
  // PublishSettings: copies the view into `copy` (checked) and unmaps; with
  // broadcast, asks every top-level window's thread to reload. False after
  // the error box.
  bool Publish(UnionData* view, UnionData& copy, bool broadcast, UINT pasteMessage) noexcept;
  // The hooks' read inside any process: opens the block to read when it is
  // not open yet, copies its bytes into `copy` unchecked. Silent: a block
  // this process may not open (another user's, a lower integrity level) or
  // that does not exist yet gives false and no hot key here.
  bool Reload(UnionData& copy) noexcept;

 private:
  HANDLE mapping_ = nullptr;
  bool writable_ = false;
  bool openReported_ = false;
};

}  // namespace ambrel::hooklib
