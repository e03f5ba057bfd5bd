// The named shared block as one process of the library holds it: the mapping
// handle for the library's lifetime, a view only for the length of one
// operation.
#pragma once

#include <windows.h>

#include "hooklib/union_data.h"

namespace ambrel::hooklib {

// MessageBeep, then a modal box "ERROR at TESK.DLL" with the numbered text.
void ShowLibraryError(int number) noexcept;

class SettingsBlock {
 public:
  // Creates or opens the block. True when this call created it (zero-filled).
  // Failure is remembered and reported as error 0001 by the first Map.
  bool Open() noexcept;
  void Close() noexcept;

  // MapSettings: a writable view, its bytes copied into `copy`; null (after
  // the error box) when it cannot be mapped.
  UnionData* Map(UnionData& copy) noexcept;
  // PublishSettings: copies the view into `copy` and unmaps; with broadcast,
  // asks every top-level window's thread to reload. False after the error box.
  bool Publish(UnionData* view, UnionData& copy, bool broadcast, UINT pasteMessage) noexcept;
  // Map and publish without a change or a broadcast.
  bool Reload(UnionData& copy) noexcept;

 private:
  HANDLE mapping_ = nullptr;
  bool openFailed_ = false;
};

}  // namespace ambrel::hooklib
