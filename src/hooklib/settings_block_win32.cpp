#include "hooklib/settings_block_win32.h"

#include <cstring>

namespace ambrel::hooklib {

void ShowLibraryError(int number) noexcept {
  const char* text = number == 1   ? "メモリマップドファイルのマッピングエラーです＞0001"
                     : number == 2 ? "メモリマップドファイルのマッピングエラーです＞0002"
                                   : "メモリマップドファイルのマッピングエラーです＞0003";
  MessageBeep(MB_ICONEXCLAMATION);
  MessageBoxA(nullptr, text, "ERROR at TESK.DLL", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
}

bool SettingsBlock::Open() noexcept {
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT, 0,
                                sizeof(UnionData), kUnionDataName);
  if (!mapping_) {
    openFailed_ = true;
    return false;
  }
  return GetLastError() != ERROR_ALREADY_EXISTS;
}

void SettingsBlock::Close() noexcept {
  if (mapping_) CloseHandle(mapping_);
  mapping_ = nullptr;
}

UnionData* SettingsBlock::Map(UnionData& copy) noexcept {
  if (!mapping_) {
    // Reported once: the block will not appear later in this process.
    if (openFailed_) ShowLibraryError(1);
    openFailed_ = false;
    return nullptr;
  }
  auto* view = static_cast<UnionData*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, 0));
  if (!view) {
    ShowLibraryError(2);
    return nullptr;
  }
  std::memcpy(&copy, view, sizeof copy);
  return view;
}

bool SettingsBlock::Publish(UnionData* view, UnionData& copy, bool broadcast,
                            UINT pasteMessage) noexcept {
  std::memcpy(&copy, view, sizeof copy);
  if (!UnmapViewOfFile(view)) {
    ShowLibraryError(3);
    return false;
  }
  if (broadcast && pasteMessage != 0) PostMessageA(HWND_BROADCAST, pasteMessage, 3, 0);
  return true;
}

bool SettingsBlock::Reload(UnionData& copy) noexcept {
  UnionData* view = Map(copy);
  return view && Publish(view, copy, false, 0);
}

}  // namespace ambrel::hooklib
